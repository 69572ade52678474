#include "gui/analysis/PairsPage.h"

#include "analysis/AnalysisTables.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

PairsPage::PairsPage(QWidget* parent)
    : AnalysisPage(parent), m_lastN(createLastNBox(0, this)), m_summary(new QLabel(this)) {
    setObjectName(QStringLiteral("PairsPage"));
    m_lastN->setObjectName(QStringLiteral("PairsLastN"));
    model()->setRows(AnalysisRows::pairHeader(), {});

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Последние тиражи:"), this));
    top->addWidget(m_lastN);
    top->addSpacing(16);
    top->addWidget(m_summary);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tableView(), 1);

    connect(m_lastN, &QComboBox::currentIndexChanged, this, &AnalysisPage::optionsChanged);
}

void PairsPage::recompute(AnalysisSource& source) {
    m_pairs = Analysis::computeTopPairs(*source.draws(), chosenLastN(m_lastN));
    model()->setRows(AnalysisRows::pairHeader(), AnalysisRows::pairRows(m_pairs));
    // A given pair is in a draw of six balls from 49 with the chance 15/1176.
    const double expected = double(m_pairs.lastN) * 15.0 / 1176.0;
    m_summary->setText(QStringLiteral("%1 самых частых пар, учтено тиражей: %2; в среднем на "
                                      "пару ожидается %3")
                           .arg(Analysis::kTopPairs)
                           .arg(m_pairs.lastN)
                           .arg(AnalysisRows::twoDecimals(expected)));
}

Analysis::TextTable PairsPage::exportTable() const {
    return Analysis::pairsTable(m_pairs);
}
