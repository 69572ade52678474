#include "gui/analysis/AnalysisPage.h"

#include "gui/analysis/AnalysisModel.h"
#include "widgets/ScreenFit.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <vector>

std::shared_ptr<const Draws::History> AnalysisSource::draws() {
    if (!m_draws)
        m_draws = std::make_shared<const Draws::History>(Draws::read(m_connection));
    return m_draws;
}

AnalysisPage::AnalysisPage(QWidget* parent)
    : QWidget(parent), m_model(new AnalysisModel(this)), m_view(createSortableView(m_model, this)) {
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(false);
    // The view has taken the new rows when the model says so.
    connect(m_model, &QAbstractItemModel::modelReset, this, &AnalysisPage::fitColumns);
    m_view->viewport()->installEventFilter(this);
}

bool AnalysisPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

void AnalysisPage::fitColumns() {
    // The columns share the width in proportion to what their titles and
    // cells need and never get less; the table is never narrower than its
    // titles, so that they show whole at the window's smallest size too.
    QHeaderView* header = m_view->horizontalHeader();
    const int count = header->count();
    std::vector<int> needed(size_t(qMax(count, 0)));
    int titles = 0;
    int total = 0;
    for (int i = 0; i < count; ++i) {
        const int title = header->sectionSizeHint(i);
        titles += title;
        needed[size_t(i)] =
            qMax(title, static_cast<const QAbstractItemView*>(m_view)->sizeHintForColumn(i));
        total += needed[size_t(i)];
    }
    m_view->setMinimumWidth(titles + 2 * m_view->frameWidth() +
                            m_view->verticalScrollBar()->sizeHint().width());
    const int room = m_view->viewport()->width();
    int used = 0;
    for (int i = 0; i < count; ++i) {
        int width = needed[size_t(i)];
        if (total > 0 && total < room)
            width = i + 1 < count ? int(qint64(width) * room / total) : room - used;
        header->resizeSection(i, width);
        used += width;
    }
}

QVBoxLayout* AnalysisPage::scrollingLayout() {
    return ScreenFit::scrollingLayout(this);
}

QComboBox* createLastNBox(int initialN, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const int n : {10, 25, 50, 100})
        box->addItem(QString::number(n), n);
    box->addItem(QStringLiteral("все"), 0);
    box->setCurrentIndex(qMax(0, box->findData(initialN)));
    return box;
}

int chosenLastN(const QComboBox* box) {
    return box->currentData().toInt();
}
