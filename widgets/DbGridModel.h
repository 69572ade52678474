#pragma once

#include "dataset/DataSource.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>
#include <QVector>

// One persistent grid column: the result column it shows, its title and width.
struct GridColumn {
    QString field;
    QString title;
    int width = 64;
};

// The rows of a data source's query under the grid's persistent columns. A
// column whose field the query lacks stays empty. Only visible cells are read.
class DbGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DbGridModel(const QVector<GridColumn>& columns, QObject* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }

    void setTitle(int column, const QString& title);
    QString title(int column) const { return m_columns.at(column).title; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    void currentRowChanged(int row);

private:
    void reset();
    void currentRowEdited();
    void currentMoved(bool afterReset);
    QVector<GridColumn> m_columns;
    QVector<int> m_fieldIndex; // result column per grid column, -1 when absent
    QPointer<DataSource> m_source;
    int m_rows = 0;
    int m_current = -1;
};
