#pragma once

#include "dataset/ColumnStore.h"
#include "dataset/Connection.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class DataSource;

// A query with a static snapshot and a cursor (ADOQuery1 ... ADOQuery5).
// Opening runs the SQL text once and keeps the rows; changes made elsewhere
// show only after the next open. Rows are inserted, edited and deleted in the
// table the query reads (found from the result columns), and the snapshot
// follows each change at once.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Query(Connection* connection, const QString& name, QObject* parent = nullptr);
    ~Query() override;

    QString name() const { return objectName(); }

    // SQL text. Replacing it closes the query.
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QString& text);
    QString sql() const { return m_sql.join(QLatin1Char('\n')); }

    // Named parameters (":Tir"), bound at every open.
    void setParam(const QString& name, const QVariant& value);

    // Master link: while set, a parameter named like a master column takes the
    // master's current value, and the query runs again whenever the master's
    // current row changes.
    void setDataSource(DataSource* master);
    DataSource* dataSource() const { return m_master; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isReadOnly() const { return m_table.isEmpty(); }
    // Whether the database may have changed since the query was opened, so
    // that opening it again could give other rows (true when closed).
    bool changedSinceOpen() const;

    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const { return m_current; } // 0-based; -1 with no rows
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    int moveBy(int distance); // returns the distance moved
    void setRecNo(int row);

    int fieldCount() const;
    QStringList fieldNames() const;
    int fieldIndex(const QString& name) const; // -1 when absent; case-insensitive
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    // Field of the current row (or of the row being edited or inserted).
    QVariant value(const QString& field) const;
    QVariant valueAt(int row, int column) const; // snapshot cell, for grids
    int asInteger(const QString& field) const;
    QString asString(const QString& field) const;
    QDate asDate(const QString& field) const;

    void setValue(const QString& field, const QVariant& value);
    void setAsInteger(const QString& field, qint64 value) { setValue(field, qlonglong(value)); }
    void setAsFloat(const QString& field, double value) { setValue(field, value); }
    void setAsDate(const QString& field, const QDate& value) { setValue(field, value); }
    // Sets a column of the table the query writes, by the table's own column
    // name, whether the result shows it under that name, under an alias or not
    // at all ("ss1 as s1" shows ss1 as s1 and leaves s1 out). Result columns
    // drawn from it show the value; post() stores it with the rest.
    void setTableValue(const QString& column, const QVariant& value);

    void insert(); // new row before the current one
    void append(); // new row after the last one
    void edit();   // on an empty result this begins a new row instead
    void post();
    void cancel();
    void deleteRecord();

Q_SIGNALS:
    // The rows were replaced (open, close, insert, delete): views rebuild.
    void rowsReset();
    // The current row moved or its data changed. field is empty for a row change.
    void dataChanged(const QString& field);
    // Opened, closed, or began/ended an edit.
    void stateChanged();

private:
    void requireActive() const;
    void requireField(int index, const QString& field) const;
    void beginNewRow(bool atEnd);
    void masterChanged(const QString& field);
    void setCurrent(int row);

    Connection* m_connection;
    QStringList m_sql;
    QHash<QString, QVariant> m_params; // keys lower-case, without ':'
    DataSource* m_master = nullptr;
    QMetaObject::Connection m_masterLink;

    State m_state = State::Inactive;
    QStringList m_names;
    QHash<QString, int> m_nameIndex; // exact names; other letter cases are searched
    QStringList m_origins;           // table column behind each result column, empty when computed
    QString m_table;                 // empty: read-only result
    std::vector<ColumnStore> m_columns;
    std::vector<qint64> m_rowids;
    Connection::ChangeStamp m_openedAt;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

    // Row being edited or inserted.
    std::vector<QVariant> m_buffer;
    std::vector<bool> m_modified;
    QStringList m_hiddenColumns; // table columns set that no result column shows
    QList<QVariant> m_hiddenValues;
    bool m_insertAtEnd = false;
    QStringList m_insertColumns; // columns of the last INSERT text built
    QString m_insertSql;
};
