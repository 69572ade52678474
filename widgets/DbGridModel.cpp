#include "widgets/DbGridModel.h"

#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "runtime/DisplayForms.h"

DbGridModel::DbGridModel(const QVector<GridColumn>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns), m_fieldIndex(columns.size(), -1) {}

void DbGridModel::setDataSource(DataSource* source) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &DataSource::rowsReset, this, &DbGridModel::reset);
        connect(source, &DataSource::stateChange, this, &DbGridModel::currentRowEdited);
        connect(source, &DataSource::dataChange, this, [this](const QString& field) {
            if (field.isEmpty())
                currentMoved(false);
        });
    }
    reset();
}

void DbGridModel::setTitle(int column, const QString& title) {
    m_columns[column].title = title;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void DbGridModel::reset() {
    const Query* q = m_source ? m_source->dataSet() : nullptr;
    const bool active = q && q->isActive();
    const int rows = active ? q->recordCount() : 0;
    QVector<int> fields(m_columns.size(), -1);
    if (active)
        for (int c = 0; c < m_columns.size(); ++c)
            fields[c] = q->fieldIndex(m_columns.at(c).field);
    if (rows != m_rows || fields != m_fieldIndex || rows == 0) {
        beginResetModel();
        m_rows = rows;
        m_fieldIndex = fields;
        m_current = active ? q->recNo() : -1;
        endResetModel();
    } else if (rows > 0) {
        // Same shape: repaint the cells instead of rebuilding the view.
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    }
    currentMoved(true);
}

void DbGridModel::currentRowEdited() {
    // Beginning or ending an edit changes what the current row shows (the
    // pending values); the rows themselves change only with rowsReset.
    if (m_current >= 0 && m_current < m_rows)
        Q_EMIT dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
}

void DbGridModel::currentMoved(bool afterReset) {
    const Query* q = m_source ? m_source->dataSet() : nullptr;
    const int row = q && q->isActive() ? q->recNo() : -1;
    const int previous = m_current;
    // A reset loses the view's current index: it is set again even when the
    // row number stays.
    if (row == previous && !afterReset)
        return;
    m_current = row;
    if (previous >= 0 && previous < m_rows)
        Q_EMIT headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < m_rows)
        Q_EMIT headerDataChanged(Qt::Vertical, row, row);
    Q_EMIT currentRowChanged(row);
}

int DbGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int DbGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DbGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_source)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignLeft);
    if (role != Qt::DisplayRole)
        return QVariant();
    const int field = m_fieldIndex.value(index.column(), -1);
    if (field < 0)
        return QVariant();
    const Query* q = m_source->dataSet();
    // While the current row is being edited, show the pending values.
    if (index.row() == q->recNo() && q->state() == Query::State::Edit)
        return displayText(q->value(q->fieldNames().at(field)));
    return displayText(q->valueAt(index.row(), field));
}

QVariant DbGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns.at(section).title : QString();
    // Row indicator: a marker on the current row.
    return section == m_current ? QStringLiteral("\u25B6") : QString();
}
