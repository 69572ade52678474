#include "workbook/xlsx/ReadAhead.h"

#include <cstring>

ReadAhead::ReadAhead(Source source, qsizetype chunkBytes, int chunks)
    : m_source(std::move(source)), m_chunkBytes(chunkBytes), m_chunks(size_t(qMax(chunks, 1))),
      m_thread(&ReadAhead::produce, this) {}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ReadAhead::produce() {
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || m_ready.size() < m_chunks; });
            if (m_stop)
                return;
        }
        QByteArray chunk(m_chunkBytes, Qt::Uninitialized);
        qsizetype got = 0;
        std::exception_ptr failure;
        try {
            got = m_source(chunk.data(), chunk.size());
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (failure || got <= 0) {
                m_failure = failure;
                m_sourceDone = true;
            } else {
                chunk.truncate(got);
                m_ready.push_back(std::move(chunk));
            }
        }
        m_changed.notify_all();
        if (failure || got <= 0)
            return;
    }
}

qsizetype ReadAhead::read(char* buffer, qsizetype capacity) {
    if (m_currentPos >= m_current.size()) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_sourceDone; });
        if (m_ready.empty()) {
            if (m_failure)
                std::rethrow_exception(m_failure);
            return 0;
        }
        m_current = std::move(m_ready.front());
        m_ready.pop_front();
        m_currentPos = 0;
        lock.unlock();
        m_changed.notify_all();
    }
    const qsizetype n = qMin(capacity, m_current.size() - m_currentPos);
    std::memcpy(buffer, m_current.constData() + m_currentPos, size_t(n));
    m_currentPos += n;
    return n;
}
