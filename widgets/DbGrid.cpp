#include "widgets/DbGrid.h"

#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "runtime/ErrorSink.h"
#include "widgets/DbGridDelegate.h"
#include "widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>

DbGrid::DbGrid(const QVector<GridColumn>& columns, MessageBoxes* boxes, QWidget* parent)
    : QTableView(parent), m_model(new DbGridModel(columns, this)), m_boxes(boxes) {
    setModel(m_model);
    setItemDelegate(new DbGridDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the next control; the arrows move within the grid.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setMinimumWidth(12);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 0; c < columns.size(); ++c)
        if (columns.at(c).width > 0)
            setColumnWidth(c, columns.at(c).width);
    // Double clicks on the title row, the row indicator and the corner reach
    // those parts, not the grid's cells (a disabled corner button swallows them).
    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* part : {horizontalHeader()->viewport(), verticalHeader()->viewport(), m_corner})
        if (part)
            part->installEventFilter(this);
    connect(m_model, &DbGridModel::currentRowChanged, this, &DbGrid::followCurrent);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { selectionMoved(current); });
}

void DbGrid::setDataSource(DataSource* source) {
    m_model->setDataSource(source);
}

void DbGrid::followCurrent(int row) {
    if (m_syncing)
        return;
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex target = m_model->index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        scrollTo(target);
    } else {
        selectionModel()->clearSelection();
    }
    m_syncing = false;
}

void DbGrid::selectionMoved(const QModelIndex& current) {
    if (m_syncing || !current.isValid() || !dataSource())
        return;
    m_syncing = true;
    ErrorSink::guarded([&] {
        Query* q = dataSource()->dataSet();
        if (q->isActive())
            q->setRecNo(current.row());
    });
    m_syncing = false;
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        Query* q = dataSource() ? dataSource()->dataSet() : nullptr;
        if (!q || !q->isActive() || q->isEmpty())
            return;
        BoxRequest request;
        request.owner = window();
        request.text = QStringLiteral("Delete record?");
        request.caption = QStringLiteral("Confirm");
        request.icon = BoxIcon::Question;
        request.buttons = BoxButtons::OkCancel;
        if (m_boxes->show(request) == BoxResult::Ok)
            ErrorSink::guarded([q] { q->deleteRecord(); });
        return;
    }
    // Rows are read-only in place: no editing or inserting keys.
    if (event->key() == Qt::Key_Insert)
        return;
    QTableView::keyPressEvent(event);
}

bool DbGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport() ||
         watched == m_corner))
        Q_EMIT gridDoubleClicked(); // the part still handles it (a title border fits its column)
    return QTableView::eventFilter(watched, event);
}

void DbGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    Q_EMIT gridDoubleClicked();
}
