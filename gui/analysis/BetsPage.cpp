#include "gui/analysis/BetsPage.h"

#include "analysis/AnalysisTables.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"
#include "gui/analysis/AnalysisSettings.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

BetsPage::BetsPage(QWidget* parent)
    : AnalysisPage(parent), m_price(new QDoubleSpinBox(this)), m_totals(new QLabel(this)) {
    setObjectName(QStringLiteral("BetsPage"));
    m_price->setObjectName(QStringLiteral("BetPrice"));
    m_price->setRange(0, 1000000);
    m_price->setDecimals(2);
    m_price->setSingleStep(10);
    m_price->setSuffix(QStringLiteral(" руб."));
    m_price->setValue(AnalysisSettings::betPrice());
    m_price->setToolTip(QStringLiteral("Цена одной ставки; 0 — не считать потраченное"));
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    model()->setRows(AnalysisRows::betHeader(), {});

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Цена ставки:"), this));
    top->addWidget(m_price);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tableView(), 1);
    layout->addWidget(m_totals);

    connect(m_price, &QDoubleSpinBox::valueChanged, this, &BetsPage::priceChanged);
}

void BetsPage::recompute(AnalysisSource& source) {
    m_bets = Analysis::readMyBets(source.connection());
    model()->setRows(AnalysisRows::betHeader(), AnalysisRows::betRows(m_bets));
    m_totals->setText(AnalysisRows::betTotalsText(m_bets.totals, priceKopecks()));
}

Analysis::TextTable BetsPage::exportTable() const {
    return Analysis::betsTable(m_bets);
}

qint64 BetsPage::priceKopecks() const {
    return qint64(std::llround(m_price->value() * 100.0));
}

void BetsPage::priceChanged() {
    AnalysisSettings::setBetPrice(m_price->value());
    m_totals->setText(AnalysisRows::betTotalsText(m_bets.totals, priceKopecks()));
}
