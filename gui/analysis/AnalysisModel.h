#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QVariant>
#include <vector>

class QTableView;

// One cell of an analysis table: the text shown and the value it sorts by
// (numbers sort as numbers; an invalid value sorts before every other).
struct AnalysisCell {
    QString text;
    QVariant sortKey;
};

struct AnalysisRow {
    std::vector<AnalysisCell> cells;
    QColor background; // invalid: the view's own
    QString toolTip;
};

// A read-only table of ready-made rows for the analysis window.
class AnalysisModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;

    explicit AnalysisModel(QObject* parent = nullptr);
    void setRows(const QStringList& header, std::vector<AnalysisRow> rows);
    QString text(int row, int column) const; // for tests and the status of a table

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_header;
    std::vector<AnalysisRow> m_rows;
};

// A view over the model through a sorting proxy: click a title to sort by it.
QTableView* createSortableView(AnalysisModel* model, QWidget* parent);

// The model rows in the order the view shows them.
std::vector<int> shownOrder(const QTableView* view);
