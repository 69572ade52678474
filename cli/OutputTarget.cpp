#include "cli/OutputTarget.h"

#include "cli/Console.h"
#include "runtime/AppError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

OutputTarget::OutputTarget(Console& console, const QString& fileName)
    : m_console(console), m_fileName(fileName == QLatin1String("-") ? QString() : fileName) {
    if (m_fileName.isEmpty())
        return;
    // A path under /dev or /proc names a descriptor or a device even when it
    // leads to a regular file (/dev/stdout redirected into one): appending
    // keeps what the shell's ">>" put there.
    const QFileInfo info(m_fileName);
    const QString path = info.absoluteFilePath();
    m_stream = (info.exists() && !info.isFile()) || path.startsWith(QLatin1String("/dev/")) ||
               path.startsWith(QLatin1String("/proc/"));
    const QByteArray native = QFile::encodeName(m_fileName);
    struct stat existing {};
    if (!m_stream && ::stat(native.constData(), &existing) == 0) {
        // Replaced as the shell's ">" would write it: refused when it may not
        // be written, and with its mode and owner kept.
        if (::access(native.constData(), W_OK) != 0)
            failWith(qt_error_string(errno));
        m_keptMode = existing.st_mode & 07777;
        m_keptOwner = existing.st_uid;
        m_keptGroup = existing.st_gid;
    }
    if (m_stream)
        m_file = std::make_unique<QFile>(m_fileName);
    else
        m_file = std::make_unique<QSaveFile>(m_fileName);
    // A device or a pipe cannot seek to its end, and need not: only a regular
    // file is opened for appending.
    const QIODevice::OpenMode mode =
        !m_stream       ? QIODevice::WriteOnly
        : info.isFile() ? QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered
                        : QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (!m_file->open(mode))
        fail();
}

OutputTarget::~OutputTarget() {
    if (m_file && !m_stream)
        static_cast<QSaveFile*>(m_file.get())->cancelWriting();
}

void OutputTarget::fail() const {
    failWith(m_file->errorString());
}

void OutputTarget::failWith(const QString& reason) const {
    throw AppError(QStringLiteral("не удалось записать «%1» (%2)").arg(m_fileName, reason));
}

void OutputTarget::write(const char* data, qsizetype size) {
    if (!m_file) {
        m_console.write(data, size);
        return;
    }
    if (m_file->write(data, size) != size)
        fail();
}

void OutputTarget::commit() {
    if (!m_file) {
        m_console.flush();
        return;
    }
    if (m_keptMode >= 0) {
        const int handle = m_file->handle();
        if (::fchown(handle, m_keptOwner, m_keptGroup) != 0) {
            // Another owner is for the superuser to give; the group may still be kept.
            [[maybe_unused]] const int groupKept = ::fchown(handle, uid_t(-1), m_keptGroup);
        }
        if (::fchmod(handle, mode_t(m_keptMode)) != 0)
            failWith(qt_error_string(errno));
    }
    if (m_stream ? !m_file->flush() || m_file->error() != QFileDevice::NoError
                 : !static_cast<QSaveFile*>(m_file.get())->commit())
        fail();
    m_file.reset();
}

namespace {

constexpr size_t kBufferSize = size_t(1) << 20;

// "00" "01" ... "99": two digits per division.
constexpr char kDigitPairs[] = "00010203040506070809"
                               "10111213141516171819"
                               "20212223242526272829"
                               "30313233343536373839"
                               "40414243444546474849"
                               "50515253545556575859"
                               "60616263646566676869"
                               "70717273747576777879"
                               "80818283848586878889"
                               "90919293949596979899";

} // namespace

OutputBuffer::OutputBuffer(OutputTarget& target)
    : m_target(target), m_data(static_cast<char*>(std::malloc(kBufferSize))),
      m_capacity(kBufferSize) {
    if (!m_data)
        throw std::bad_alloc();
}

OutputBuffer::~OutputBuffer() {
    std::free(m_data);
}

void OutputBuffer::append(const char* data, size_t size) {
    while (size > 0) {
        if (m_used == m_capacity)
            flush();
        const size_t piece = std::min(size, m_capacity - m_used);
        std::memcpy(m_data + m_used, data, piece);
        m_used += piece;
        data += piece;
        size -= piece;
    }
}

void OutputBuffer::appendDouble(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    append(text, static_cast<size_t>(result.ptr - text));
}

void OutputBuffer::flush() {
    if (m_used == 0)
        return;
    m_target.write(m_data, static_cast<qsizetype>(m_used));
    m_used = 0;
}

size_t OutputBuffer::formatInteger(char* out, qint64 value) {
    char digits[kIntegerRoom];
    char* end = digits + sizeof digits;
    char* p = end;
    // Unsigned, so that the smallest 64-bit value has a magnitude too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    while (magnitude >= 100) {
        const size_t pair = size_t(magnitude % 100) * 2;
        magnitude /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (magnitude >= 10) {
        const size_t pair = size_t(magnitude) * 2;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    } else {
        *--p = char('0' + magnitude);
    }
    size_t length = 0;
    if (value < 0)
        out[length++] = '-';
    const size_t count = size_t(end - p);
    std::memcpy(out + length, p, count);
    return length + count;
}
