#include "update/ImportBatch.h"

#include "dataset/Connection.h"
#include "runtime/Clock.h"

namespace {
// A chunk of posts ends after this long, so that a killed import loses little.
constexpr qint64 kChunkMilliseconds = 250;
} // namespace

ImportBatch::ImportBatch(Connection& connection, DrawImport::ImportCounts& counts)
    : m_connection(connection), m_counts(counts), m_stored(counts), m_chunkStart(Clock::now()) {
    m_connection.beginBatch();
}

void ImportBatch::commit() {
    try {
        m_connection.commitBatch();
    } catch (...) {
        m_counts = m_stored;
        throw;
    }
    m_stored = m_counts;
}

void ImportBatch::rowDone() {
    if (Clock::now() - m_chunkStart < kChunkMilliseconds)
        return;
    commit();
    m_connection.beginBatch();
    m_chunkStart = Clock::now();
    ++m_chunk;
}

void ImportBatch::finish() {
    commit();
}

void ImportBatch::keepWhatIsDone() noexcept {
    try {
        commit();
    } catch (...) {
    }
}
