#pragma once

#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// Reads a source ahead on a thread of its own, so that inflating a workbook
// part and scanning it run side by side. At most `chunks` chunks wait to be
// taken, so the memory stays bounded whatever the source holds. What the source
// throws is thrown by read() once the chunks before the failure are taken.
class ReadAhead {
public:
    // Fills the buffer with up to `capacity` bytes and returns how many; 0 at the end.
    using Source = std::function<qsizetype(char* buffer, qsizetype capacity)>;

    explicit ReadAhead(Source source, qsizetype chunkBytes = qsizetype(256) << 10, int chunks = 4);
    // Stops the reading thread (after the read it is in) and waits for it.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Like the source: up to `capacity` bytes, 0 at the end.
    qsizetype read(char* buffer, qsizetype capacity);

private:
    void produce();

    Source m_source;
    const qsizetype m_chunkBytes;
    const size_t m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_ready; // guarded by m_mutex, as are the three below
    bool m_sourceDone = false;
    bool m_stop = false;
    std::exception_ptr m_failure;
    QByteArray m_current; // taken by the reader
    qsizetype m_currentPos = 0;
    std::thread m_thread;
};
