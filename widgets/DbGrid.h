#pragma once

#include "dataset/DataSource.h"
#include "widgets/DbGridModel.h"

#include <QTableView>

class MessageBoxes;

// A read-only data-aware grid: title row, row indicator, whole-row selection,
// resizable persistent columns. The selected row is the query's current row.
// Ctrl+Delete deletes the current row after a confirmation.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    DbGrid(const QVector<GridColumn>& columns, MessageBoxes* boxes, QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_model->dataSource(); }
    void setColumnTitle(int column, const QString& title) { m_model->setTitle(column, title); }
    QString columnTitle(int column) const { return m_model->title(column); }

Q_SIGNALS:
    // A double click anywhere on the grid.
    void gridDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void followCurrent(int row);
    void selectionMoved(const QModelIndex& current);
    QWidget* m_corner = nullptr; // the corner button between the title row and the row indicator
    DbGridModel* m_model;
    MessageBoxes* m_boxes;
    bool m_syncing = false;
};
