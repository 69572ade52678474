#include "dataset/Query.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Statement.h"
#include "runtime/AppError.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorSink.h"

#include <QRegularExpression>
#include <cmath>
#include <sqlite3.h>

namespace {

const QString kRowidColumn = QStringLiteral("__rowid__");

QString quoted(const QString& identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// The one table every stored column of the result comes from, or empty when the
// result is computed, joined or combined (then it is read-only).
QString sourceTable(const QString& sql, const Statement& statement) {
    static const QRegularExpression combined(QStringLiteral("\\b(union|intersect|except|join)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (combined.match(sql).hasMatch())
        return QString();
    QString table;
    for (int i = 0; i < statement.columnCount(); ++i) {
        const QString t = statement.columnTableName(i);
        if (t.isEmpty())
            continue;
        if (!table.isEmpty() && t.compare(table, Qt::CaseInsensitive) != 0)
            return QString();
        table = t;
    }
    return table;
}

// Whether name is a table of the database (not a view or a table-valued function).
bool isStoredTable(Connection& connection, const QString& name) {
    Statement lookup(connection, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                                "AND name = ?1 COLLATE NOCASE"));
    lookup.bind(1, name);
    return lookup.step();
}

// Position of the FROM keyword of the outermost SELECT (outside brackets,
// quotes and comments), or -1.
int topLevelFrom(const QString& sql) {
    int depth = 0;
    const int n = static_cast<int>(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
            c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            i = static_cast<int>(sql.indexOf(close, i + 1));
            if (i < 0)
                return -1;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            i = static_cast<int>(sql.indexOf(QLatin1Char('\n'), i));
            if (i < 0)
                return -1;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            i = static_cast<int>(sql.indexOf(QLatin1String("*/"), i + 2));
            if (i < 0)
                return -1;
            ++i; // onto the closing '/'
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && (c == QLatin1Char('f') || c == QLatin1Char('F')) &&
                   sql.mid(i, 4).compare(QLatin1String("from"), Qt::CaseInsensitive) == 0 &&
                   (i == 0 ||
                    !(sql.at(i - 1).isLetterOrNumber() || sql.at(i - 1) == QLatin1Char('_'))) &&
                   (i + 4 >= n ||
                    !(sql.at(i + 4).isLetterOrNumber() || sql.at(i + 4) == QLatin1Char('_')))) {
            return i;
        }
    }
    return -1;
}

} // namespace

Query::Query(Connection* connection, const QString& name, QObject* parent)
    : QObject(parent), m_connection(connection) {
    setObjectName(name);
}

Query::~Query() = default;

void Query::clearSql() {
    close();
    m_sql.clear();
}

void Query::addSql(const QString& line) {
    close();
    m_sql.append(line);
}

void Query::setSql(const QString& text) {
    close();
    m_sql = QStringList{text};
}

void Query::setParam(const QString& name, const QVariant& value) {
    m_params.insert(name.toLower(), value);
}

void Query::setDataSource(DataSource* master) {
    if (m_masterLink)
        disconnect(m_masterLink);
    m_master = master;
    if (master)
        m_masterLink = connect(master, &DataSource::dataChange, this, &Query::masterChanged);
}

void Query::masterChanged(const QString& field) {
    if (!isActive())
        return;
    if (!field.isEmpty() && !m_params.contains(field.toLower()))
        return;
    ErrorSink::guarded([this] {
        close();
        open();
    });
}

void Query::open() {
    if (isActive())
        return;
    const QString text = sql();
    Statement probe(*m_connection, text);
    // Taken before the rows are read: a change that comes in between counts
    // as one made after the open.
    const Connection::ChangeStamp openedAt = m_connection->changeStamp();
    // Parameters named like a master column follow the master's current row.
    if (m_master && m_master->dataSet()->isActive()) {
        const Query* master = m_master->dataSet();
        for (int i = 1; i <= probe.parameterCount(); ++i) {
            const QString p = probe.parameterName(i).mid(1);
            if (master->hasField(p))
                setParam(p, master->value(p));
        }
    }
    QString table = sourceTable(text, probe);
    if (!table.isEmpty() && !isStoredTable(*m_connection, table))
        table.clear(); // computed by a table-valued function: nothing to write back
    std::unique_ptr<Statement> withRowid;
    if (!table.isEmpty()) {
        // The row identifier goes last in the select list, so that positional
        // ORDER BY terms keep meaning the same columns.
        const int from = topLevelFrom(text);
        if (from > 0) {
            const QString rewritten = text.left(from) + QLatin1String(", ") + quoted(table) +
                                      QLatin1String(".rowid AS ") + quoted(kRowidColumn) +
                                      QLatin1Char(' ') + text.mid(from);
            try {
                withRowid = std::make_unique<Statement>(*m_connection, rewritten);
            } catch (const AppError&) {
                table.clear();
            }
        } else {
            table.clear();
        }
    }
    Statement& statement = withRowid ? *withRowid : probe;
    for (int i = 1; i <= statement.parameterCount(); ++i) {
        const QString p = statement.parameterName(i);
        statement.bind(i, m_params.value(p.mid(1).toLower()));
    }

    const int columns = statement.columnCount() - (withRowid ? 1 : 0);
    QStringList names;
    QStringList origins;
    for (int c = 0; c < columns; ++c) {
        names.append(statement.columnName(c));
        origins.append(table.isEmpty() ? QString() : statement.columnOriginName(c));
    }
    std::vector<ColumnStore> store(static_cast<size_t>(columns));
    std::vector<qint64> rowids;
    sqlite3_stmt* raw = statement.raw();
    while (statement.step()) {
        if (withRowid)
            rowids.push_back(sqlite3_column_int64(raw, columns));
        for (int c = 0; c < columns; ++c)
            store[static_cast<size_t>(c)].appendFrom(raw, c);
    }

    m_names = names;
    m_insertColumns.clear();
    m_insertSql.clear();
    m_nameIndex.clear();
    for (int c = 0; c < names.size(); ++c)
        m_nameIndex.insert(names.at(c), c);
    m_origins = origins;
    m_table = table;
    m_columns = std::move(store);
    m_rowids = std::move(rowids);
    m_openedAt = openedAt;
    m_state = State::Browse;
    m_current = recordCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = recordCount() == 0;
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT dataChanged(QString());
}

void Query::close() {
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_columns.clear();
    m_rowids.clear();
    m_names.clear();
    m_nameIndex.clear();
    m_origins.clear();
    m_table.clear();
    m_buffer.clear();
    m_modified.clear();
    m_current = -1;
    m_bof = m_eof = true;
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
}

bool Query::changedSinceOpen() const {
    return !isActive() || m_connection->changeStamp() != m_openedAt;
}

void Query::requireActive() const {
    if (!isActive())
        throw AppError(name() +
                       QLatin1String(": Cannot perform this operation on a closed dataset"));
}

int Query::recordCount() const {
    return m_columns.empty() ? (isActive() ? static_cast<int>(m_rowids.size()) : 0)
                             : m_columns.front().size();
}

void Query::setCurrent(int row) {
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (row == m_current)
        return;
    m_current = row;
    Q_EMIT dataChanged(QString());
}

void Query::first() {
    requireActive();
    m_bof = true;
    m_eof = recordCount() == 0;
    setCurrent(recordCount() > 0 ? 0 : -1);
}

void Query::last() {
    requireActive();
    m_eof = true;
    m_bof = recordCount() == 0;
    setCurrent(recordCount() - 1);
}

int Query::moveBy(int distance) {
    requireActive();
    const int count = recordCount();
    if (count == 0 || distance == 0)
        return 0;
    const qint64 wanted = qint64(m_current) + distance;
    const int target = static_cast<int>(qBound<qint64>(qint64(0), wanted, qint64(count - 1)));
    m_bof = wanted < 0;
    m_eof = wanted > count - 1;
    const int moved = target - m_current;
    setCurrent(target);
    return moved;
}

void Query::setRecNo(int row) {
    requireActive();
    if (row < 0 || row >= recordCount())
        return;
    m_bof = m_eof = false;
    setCurrent(row);
}

int Query::fieldCount() const {
    return static_cast<int>(m_names.size());
}

QStringList Query::fieldNames() const {
    return m_names;
}

int Query::fieldIndex(const QString& name) const {
    const auto exact = m_nameIndex.constFind(name);
    if (exact != m_nameIndex.constEnd())
        return exact.value();
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Query::requireField(int index, const QString& field) const {
    if (index < 0)
        throw AppError(name() + QLatin1String(": Field '") + field + QLatin1String("' not found"));
}

QVariant Query::valueAt(int row, int column) const {
    if (column < 0 || column >= fieldCount() || row < 0 || row >= recordCount())
        return QVariant();
    return m_columns[static_cast<size_t>(column)].value(row);
}

QVariant Query::value(const QString& field) const {
    requireActive();
    const int index = fieldIndex(field);
    requireField(index, field);
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[static_cast<size_t>(index)];
    return valueAt(m_current, index);
}

int Query::asInteger(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return static_cast<int>(std::nearbyint(v.toDouble()));
    if (v.typeId() == QMetaType::QString)
        return Conversions::strToInt(v.toString());
    return static_cast<int>(v.toLongLong());
}

QString Query::asString(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString();
}

QDate Query::asDate(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return QDate();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    const QDate date = QDate::fromString(v.toString().left(10), Qt::ISODate);
    if (!date.isValid())
        throw AppError(QLatin1Char('\'') + v.toString() + QLatin1String("' is not a valid date"));
    return date;
}

void Query::setValue(const QString& field, const QVariant& value) {
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(name() + QLatin1String(": Dataset not in edit or insert mode"));
    const int index = fieldIndex(field);
    requireField(index, field);
    if (m_origins.at(index).isEmpty())
        throw AppError(QLatin1String("Field '") + m_names.at(index) +
                       QLatin1String("' cannot be modified"));
    m_buffer[static_cast<size_t>(index)] = value;
    m_modified[static_cast<size_t>(index)] = true;
    Q_EMIT dataChanged(m_names.at(index));
}

void Query::setTableValue(const QString& column, const QVariant& value) {
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(name() + QLatin1String(": Dataset not in edit or insert mode"));
    bool shown = false;
    for (int c = 0; c < fieldCount(); ++c) {
        if (m_origins.at(c).compare(column, Qt::CaseInsensitive) != 0)
            continue;
        m_buffer[static_cast<size_t>(c)] = value;
        m_modified[static_cast<size_t>(c)] = true;
        shown = true;
        Q_EMIT dataChanged(m_names.at(c));
    }
    if (shown)
        return;
    for (qsizetype i = 0; i < m_hiddenColumns.size(); ++i) {
        if (m_hiddenColumns.at(i).compare(column, Qt::CaseInsensitive) == 0) {
            m_hiddenValues[i] = value;
            return;
        }
    }
    m_hiddenColumns.append(column);
    m_hiddenValues.append(value);
}

void Query::beginNewRow(bool atEnd) {
    requireActive();
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (isReadOnly())
        throw AppError(name() + QLatin1String(": Cannot modify a read-only dataset"));
    m_buffer.assign(static_cast<size_t>(fieldCount()), QVariant());
    m_modified.assign(static_cast<size_t>(fieldCount()), false);
    m_hiddenColumns.clear();
    m_hiddenValues.clear();
    m_insertAtEnd = atEnd;
    m_state = State::Insert;
    Q_EMIT stateChanged();
}

void Query::insert() {
    beginNewRow(false);
}

void Query::append() {
    beginNewRow(true);
}

void Query::edit() {
    requireActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (isEmpty()) {
        insert();
        return;
    }
    if (isReadOnly())
        throw AppError(name() + QLatin1String(": Cannot modify a read-only dataset"));
    m_buffer.clear();
    for (int c = 0; c < fieldCount(); ++c)
        m_buffer.push_back(valueAt(m_current, c));
    m_modified.assign(static_cast<size_t>(fieldCount()), false);
    m_hiddenColumns.clear();
    m_hiddenValues.clear();
    m_state = State::Edit;
    Q_EMIT stateChanged();
}

void Query::cancel() {
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_buffer.clear();
    m_modified.clear();
    m_state = State::Browse;
    Q_EMIT stateChanged();
    Q_EMIT dataChanged(QString());
}

void Query::post() {
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    QStringList columns;
    QList<QVariant> values;
    for (int c = 0; c < fieldCount(); ++c) {
        if (!m_modified[static_cast<size_t>(c)] || columns.contains(m_origins.at(c)))
            continue;
        columns.append(m_origins.at(c));
        values.append(m_buffer[static_cast<size_t>(c)]);
    }
    columns += m_hiddenColumns;
    values += m_hiddenValues;
    sqlite3* db = m_connection->handle();
    try {
        if (m_state == State::Insert) {
            // Rows posted one after another set the same columns: build the
            // text once for them.
            if (columns != m_insertColumns || m_insertSql.isEmpty()) {
                QStringList marks;
                QStringList names;
                for (const QString& c : columns) {
                    names.append(quoted(c));
                    marks.append(QStringLiteral("?"));
                }
                m_insertSql = QLatin1String("INSERT INTO ") + quoted(m_table);
                if (columns.isEmpty())
                    m_insertSql += QLatin1String(" DEFAULT VALUES");
                else
                    m_insertSql += QLatin1String(" (") + names.join(QLatin1String(", ")) +
                                   QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) +
                                   QLatin1Char(')');
                m_insertColumns = columns;
            }
            Statement statement(*m_connection, m_insertSql);
            for (int i = 0; i < values.size(); ++i)
                statement.bind(i + 1, values.at(i));
            statement.run();
            const int at = m_insertAtEnd ? recordCount() : qMax(m_current, 0);
            for (int c = 0; c < fieldCount(); ++c) {
                const auto col = static_cast<size_t>(c);
                m_columns[col].insert(at, m_modified[col] ? m_buffer[col] : QVariant());
            }
            m_rowids.insert(m_rowids.begin() + at, sqlite3_last_insert_rowid(db));
            m_current = at;
            m_bof = m_eof = false;
        } else if (!columns.isEmpty()) {
            QStringList sets;
            for (const QString& c : columns)
                sets.append(quoted(c) + QLatin1String(" = ?"));
            Statement statement(*m_connection, QLatin1String("UPDATE ") + quoted(m_table) +
                                                   QLatin1String(" SET ") +
                                                   sets.join(QLatin1String(", ")) +
                                                   QLatin1String(" WHERE rowid = ?"));
            for (int i = 0; i < values.size(); ++i)
                statement.bind(i + 1, values.at(i));
            statement.bind(static_cast<int>(values.size()) + 1,
                           qlonglong(m_rowids[static_cast<size_t>(m_current)]));
            statement.run();
            for (int c = 0; c < fieldCount(); ++c) {
                const auto col = static_cast<size_t>(c);
                // Columns drawn from the same table column change together.
                const int source = static_cast<int>(columns.indexOf(m_origins.at(c)));
                if (source >= 0)
                    m_columns[col].set(m_current, values.at(source));
            }
        }
    } catch (...) {
        // A row the engine refused is dropped: nothing half-stored stays pending.
        cancel();
        throw;
    }
    const bool inserted = m_state == State::Insert;
    m_buffer.clear();
    m_modified.clear();
    m_state = State::Browse;
    if (inserted)
        Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT dataChanged(QString());
}

void Query::deleteRecord() {
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (isEmpty())
        throw AppError(name() +
                       QLatin1String(": Cannot perform this operation on an empty dataset"));
    if (isReadOnly())
        throw AppError(name() + QLatin1String(": Cannot modify a read-only dataset"));
    Statement statement(*m_connection, QLatin1String("DELETE FROM ") + quoted(m_table) +
                                           QLatin1String(" WHERE rowid = ?"));
    statement.bind(1, qlonglong(m_rowids[static_cast<size_t>(m_current)]));
    statement.run();
    for (auto& column : m_columns)
        column.remove(m_current);
    m_rowids.erase(m_rowids.begin() + m_current);
    m_current = qMin(m_current, recordCount() - 1);
    m_eof = recordCount() == 0;
    Q_EMIT rowsReset();
    Q_EMIT dataChanged(QString());
}
