#pragma once

#include <QHash>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// The database connection (ADOConnection1): one SQLite file opened through
// Qt SQL. Opening never creates a file: a missing file or one that is not a
// database fails with the engine's text.
class Connection {
public:
    explicit Connection(const QString& name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString name() const { return m_name; }
    void open(const QString& path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }

    // The engine's own handle, for statements (see Statement).
    sqlite3* handle() const;

    // Runs a statement that returns no rows.
    void exec(const QString& sql);

    // Where the database stands: two stamps differ when something may have
    // been written in between, through this connection (its count of changed
    // rows) or committed by another one (the engine's data_version).
    struct ChangeStamp {
        qint64 ownChanges = -1;
        qint64 dataVersion = -1;
        bool operator==(const ChangeStamp& other) const {
            return ownChanges == other.ownChanges && dataVersion == other.dataVersion;
        }
        bool operator!=(const ChangeStamp& other) const { return !(*this == other); }
    };
    ChangeStamp changeStamp();
    // True while a transaction is open (an import in progress): the data is in
    // the middle of a change and is better read when it ends.
    bool inTransaction() const;

    // Groups many single-row posts into one write (one disk sync). Posts keep
    // working as usual; commitBatch() stores everything posted since begin.
    // Both wait for another process's write lock up to the busy timeout (5 s)
    // and then throw DatabaseBusy. A commit that fails rolls the batch back.
    void beginBatch();
    void commitBatch();
    // Gives the whole batch up: nothing posted since the outermost begin is
    // stored. Never throws.
    void rollbackBatch() noexcept;

    // Prepared statements kept for reuse (see Statement): a statement run again
    // and again, like the import's lookup and insert, is parsed only once.
    sqlite3_stmt* takeCached(const QString& sql);
    void giveBack(const QString& sql, sqlite3_stmt* statement);

private:
    void dropCache();
    QHash<QString, sqlite3_stmt*> m_cache;
    QString m_name;
    QString m_qtConnection;
    sqlite3* m_handle = nullptr;
    int m_batchDepth = 0;
};
