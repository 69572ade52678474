#include "dataset/Statement.h"

#include "dataset/Connection.h"
#include "runtime/AppError.h"

#include <QDate>
#include <sqlite3.h>

namespace {

// The engine's last error as an exception; a lock that did not come free in
// time is told apart, so that callers can say so.
[[noreturn]] void throwEngineError(sqlite3* db) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const int code = sqlite3_errcode(db) & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw DatabaseBusy(message);
    throw AppError(message);
}

} // namespace

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db) {
    if (!db)
        throw AppError(QStringLiteral("Database connection is not open"));
    prepare(sql);
}

Statement::Statement(Connection& connection, const QString& sql)
    : m_db(connection.handle()), m_cache(&connection), m_sql(sql) {
    m_stmt = connection.takeCached(sql);
    if (!m_stmt)
        prepare(sql);
}

void Statement::prepare(const QString& sql) {
    sqlite3* db = m_db;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throwEngineError(db);
    }
    if (!m_stmt)
        throw AppError(QStringLiteral("Command text does not contain a statement"));
}

Statement::~Statement() {
    if (m_cache && m_stmt)
        m_cache->giveBack(m_sql, m_stmt);
    else
        sqlite3_finalize(m_stmt);
}

void Statement::fail() const {
    throwEngineError(m_db);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray iso = value.toDate().toString(Qt::ISODate).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, iso.constData(), static_cast<int>(iso.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, text.constData(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

void Statement::bindInt64(int index, qint64 value) {
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        fail();
}

void Statement::bindText(int index, QByteArrayView utf8) {
    if (sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
}

void Statement::bind(const QString& name, const QVariant& value) {
    const int index = sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
    if (index > 0)
        bind(index, value);
}

int Statement::parameterCount() const {
    return sqlite3_bind_parameter_count(m_stmt);
}

QString Statement::parameterName(int index) const {
    return QString::fromUtf8(sqlite3_bind_parameter_name(m_stmt, index));
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    // The error of the last step, if any, was thrown by that step already.
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::columnOriginName(int i) const {
    return QString::fromUtf8(sqlite3_column_origin_name(m_stmt, i));
}

QString Statement::columnTableName(int i) const {
    return QString::fromUtf8(sqlite3_column_table_name(m_stmt, i));
}

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i)),
                              sqlite3_column_bytes(m_stmt, i)));
    }
}
