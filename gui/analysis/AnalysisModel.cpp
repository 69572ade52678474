#include "gui/analysis/AnalysisModel.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

AnalysisModel::AnalysisModel(QObject* parent) : QAbstractTableModel(parent) {}

void AnalysisModel::setRows(const QStringList& header, std::vector<AnalysisRow> rows) {
    beginResetModel();
    m_header = header;
    m_rows = std::move(rows);
    endResetModel();
}

QString AnalysisModel::text(int row, int column) const {
    return m_rows.at(size_t(row)).cells.at(size_t(column)).text;
}

int AnalysisModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AnalysisModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant AnalysisModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const AnalysisRow& row = m_rows[size_t(index.row())];
    if (size_t(index.column()) >= row.cells.size())
        return {};
    const AnalysisCell& cell = row.cells[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case SortRole:
        return cell.sortKey;
    case Qt::BackgroundRole:
        return row.background.isValid() ? QVariant(row.background) : QVariant();
    case Qt::ToolTipRole:
        return row.toolTip.isEmpty() ? QVariant() : QVariant(row.toolTip);
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant AnalysisModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_header.size())
        return m_header.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QTableView* createSortableView(AnalysisModel* model, QWidget* parent) {
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(AnalysisModel::SortRole);
    auto* view = new QTableView(parent);
    view->setModel(proxy);
    // The rows keep the order they come in until a title is clicked.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false); // Tab goes on to the next control; arrows move within
    view->setAlternatingRowColors(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

std::vector<int> shownOrder(const QTableView* view) {
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(view->model());
    std::vector<int> order;
    if (!proxy)
        return order;
    order.reserve(size_t(proxy->rowCount()));
    for (int row = 0; row < proxy->rowCount(); ++row)
        order.push_back(proxy->mapToSource(proxy->index(row, 0)).row());
    return order;
}
