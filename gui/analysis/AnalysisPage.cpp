#include "gui/analysis/AnalysisPage.h"

#include "gui/analysis/AnalysisModel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableView>

const Analysis::DrawHistory& AnalysisSource::draws() {
    if (!m_draws)
        m_draws = Analysis::readDrawHistory(m_connection);
    return *m_draws;
}

AnalysisPage::AnalysisPage(QWidget* parent)
    : QWidget(parent), m_model(new AnalysisModel(this)), m_view(createSortableView(m_model, this)) {
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
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
