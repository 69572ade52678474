#pragma once

#include <QString>
#include <memory>

class Console;
class QFileDevice;

// Where a command's output goes: standard output, or a regular file (or a new
// one) that is replaced only when everything was written, so that a failure
// leaves the earlier file (or none) rather than half an output. A file that
// may not be written is refused; one that is replaced keeps its mode and, as
// far as the user may keep them, its owner and group. Anything else that
// exists — a named pipe, a terminal, a device, /dev/stdout — is opened and
// written as a stream: replacing it would take it away from its readers.
class OutputTarget {
public:
    // An empty file name or "-" means standard output.
    OutputTarget(Console& console, const QString& fileName);
    ~OutputTarget(); // a file not committed is discarded
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // Both throw AppError, one line: «не удалось записать «FILE» (the system's reason)».
    void write(const char* data, qsizetype size);
    void commit();

private:
    [[noreturn]] void fail() const;
    [[noreturn]] void failWith(const QString& reason) const;
    Console& m_console;
    QString m_fileName;
    std::unique_ptr<QFileDevice> m_file;
    bool m_stream = false;
    int m_keptMode = -1; // the replaced file's permission bits; -1: a new file
    uint m_keptOwner = 0;
    uint m_keptGroup = 0;
};

// Output gathered in a large buffer and handed to the target in big pieces,
// with the number formatting done in place (no temporary strings).
class OutputBuffer {
public:
    explicit OutputBuffer(OutputTarget& target);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void append(char c) {
        if (m_used == m_capacity)
            flush();
        m_data[m_used++] = c;
    }
    void append(const char* data, size_t size);
    void appendInteger(qint64 value) {
        if (m_capacity - m_used < kIntegerRoom)
            flush();
        m_used += formatInteger(m_data + m_used, value);
    }
    // The shortest text that reads back as the same double ("5", "0.1", "1e+20").
    void appendDouble(double value);
    // Hands everything to the target.
    void flush();

    static constexpr size_t kIntegerRoom = 20; // "-9223372036854775808"
    // Writes the decimal digits of value at out; returns their count.
    static size_t formatInteger(char* out, qint64 value);

private:
    OutputTarget& m_target;
    char* m_data;
    size_t m_capacity;
    size_t m_used = 0;
};
