#include "dataset/Connection.h"

#include "dataset/Statement.h"
#include "runtime/AppError.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QUuid>
#include <sqlite3.h>

namespace {

// An SQLite URI for the path that opens read-write and never creates the file.
QString uriFor(const QString& path) {
    QString escaped;
    for (const QChar c : path) {
        if (c == QLatin1Char('%'))
            escaped += QLatin1String("%25");
        else if (c == QLatin1Char('?'))
            escaped += QLatin1String("%3f");
        else if (c == QLatin1Char('#'))
            escaped += QLatin1String("%23");
        else
            escaped += c;
    }
    return QLatin1String("file:") + escaped + QLatin1String("?mode=rw");
}

} // namespace

Connection::Connection(const QString& name) : m_name(name) {}

Connection::~Connection() {
    close();
}

void Connection::open(const QString& path) {
    close();
    if (path.trimmed().isEmpty())
        throw AppError(QStringLiteral("No database file name given"));
    m_qtConnection = m_name + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_qtConnection);
        db.setDatabaseName(uriFor(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString message = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_qtConnection);
            throw AppError(message.isEmpty() ? QStringLiteral("Cannot open database") : message);
        }
        const QVariant h = db.driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3* const*>(h.constData());
    }
    try {
        if (!m_handle)
            throw AppError(QStringLiteral("The database driver gave no engine handle"));
        // SQLite opens any file lazily; reading the schema proves it is a database.
        Statement check(m_handle, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        check.run();
        // Let large sorts (the combination order) use both cores.
        exec(QStringLiteral("PRAGMA threads = %1").arg(qBound(1, QThread::idealThreadCount(), 4)));
    } catch (...) {
        close();
        throw;
    }
}

void Connection::close() {
    if (m_qtConnection.isEmpty())
        return;
    dropCache();
    m_handle = nullptr;
    m_batchDepth = 0;
    {
        QSqlDatabase db = QSqlDatabase::database(m_qtConnection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_qtConnection);
    m_qtConnection.clear();
}

sqlite3* Connection::handle() const {
    if (!m_handle)
        throw AppError(QStringLiteral("Database connection is not open"));
    return m_handle;
}

void Connection::exec(const QString& sql) {
    Statement statement(*this, sql);
    statement.run();
}

Connection::ChangeStamp Connection::changeStamp() {
    ChangeStamp stamp;
    stamp.ownChanges = sqlite3_total_changes64(handle());
    Statement dataVersion(*this, QStringLiteral("PRAGMA data_version"));
    if (dataVersion.step())
        stamp.dataVersion = sqlite3_column_int64(dataVersion.raw(), 0);
    return stamp;
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(handle()) == 0;
}

void Connection::beginBatch() {
    // BEGIN IMMEDIATE takes the write lock at once, waiting for another
    // writer up to the busy timeout; a failure leaves no batch open.
    if (m_batchDepth == 0 && sqlite3_get_autocommit(handle()))
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    ++m_batchDepth;
}

void Connection::commitBatch() {
    if (m_batchDepth == 0)
        return;
    if (--m_batchDepth > 0 || sqlite3_get_autocommit(handle()))
        return;
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        // A COMMIT that failed (another process kept reading past the busy
        // timeout, a full disk) leaves the transaction open: every later post
        // would join it and be lost with it. Give the batch up instead; the
        // COMMIT's error is the one reported, whatever the ROLLBACK answers.
        if (!sqlite3_get_autocommit(m_handle))
            sqlite3_exec(m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Connection::rollbackBatch() noexcept {
    m_batchDepth = 0;
    if (m_handle && !sqlite3_get_autocommit(m_handle))
        sqlite3_exec(m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
}

sqlite3_stmt* Connection::takeCached(const QString& sql) {
    // Taken out while in use, so that a nested use of the same text prepares its own.
    return m_cache.take(sql);
}

void Connection::giveBack(const QString& sql, sqlite3_stmt* statement) {
    constexpr int kCacheSize = 32;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (!m_handle || m_cache.contains(sql) || m_cache.size() >= kCacheSize) {
        sqlite3_finalize(statement);
        return;
    }
    m_cache.insert(sql, statement);
}

void Connection::dropCache() {
    for (sqlite3_stmt* statement : std::as_const(m_cache))
        sqlite3_finalize(statement);
    m_cache.clear();
}
