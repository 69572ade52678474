#pragma once

#include "runtime/AppError.h"

#include <QString>
#include <QVariant>

class Connection;
struct sqlite3;
struct sqlite3_stmt;

// The database stayed locked by another connection or process for longer than
// the busy timeout: nothing of the failing statement was written.
class DatabaseBusy : public AppError {
public:
    using AppError::AppError;
};

// A prepared SQLite statement that turns every engine failure into an AppError
// carrying the engine's own text.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    // Reuses a statement the connection prepared before for the same text, and
    // gives it back for reuse when done.
    Statement(Connection& connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);           // 1-based
    void bind(const QString& name, const QVariant& value); // ":Name"; ignored when absent
    // The same without a QVariant, for statements run many thousand times.
    void bindInt64(int index, qint64 value);
    void bindText(int index, QByteArrayView utf8);
    int parameterCount() const;
    QString parameterName(int index) const;

    // Advances to the next row; false when done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    // Makes a statement that ran ready to be bound and run again.
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString columnOriginName(int i) const; // table column behind a result column, or empty
    QString columnTableName(int i) const;
    QVariant value(int i) const;
    sqlite3_stmt* raw() const { return m_stmt; }

private:
    [[noreturn]] void fail() const;
    void prepare(const QString& sql);
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    Connection* m_cache = nullptr;
    QString m_sql;
};
