#pragma once

#include "update/DrawImport.h"

class Connection;

// Writes an import's rows to disk in chunks of a few hundred milliseconds:
// one disk sync per chunk rather than per draw keeps the import fast, and a
// process killed half-way loses at most the chunk it was writing. A chunk the
// database refuses to commit (DatabaseBusy when another process holds it too
// long) is rolled back whole, and the counts go back with it, so that they
// tell what is stored.
class ImportBatch {
public:
    // Begins the first chunk.
    ImportBatch(Connection& connection, DrawImport::ImportCounts& counts);
    // After each row: commits the chunk when its time is up and begins the next.
    void rowDone();
    // The chunks begun so far: between two, another program may have written.
    int chunk() const { return m_chunk; }
    // Commits the last chunk.
    void finish();
    // After a failure: commits the rows before it; the first error is the one
    // to report, so a failing commit is not thrown.
    void keepWhatIsDone() noexcept;

private:
    void commit();
    Connection& m_connection;
    DrawImport::ImportCounts& m_counts;
    DrawImport::ImportCounts m_stored;
    qint64 m_chunkStart = 0;
    int m_chunk = 1;
};
