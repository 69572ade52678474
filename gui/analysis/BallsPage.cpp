#include "gui/analysis/BallsPage.h"

#include "analysis/AnalysisTables.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"
#include "gui/analysis/BallChart.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The mean run without a ball when each ball comes out with chance 6/49.
constexpr double kExpectedDelay = 43.0 / 6.0;

} // namespace

BallsPage::BallsPage(QWidget* parent)
    : AnalysisPage(parent), m_lastN(createLastNBox(50, this)), m_measure(new QComboBox(this)),
      m_summary(new QLabel(this)), m_chart(new BallChart(this)) {
    setObjectName(QStringLiteral("BallsPage"));
    m_lastN->setObjectName(QStringLiteral("BallsLastN"));
    m_measure->setObjectName(QStringLiteral("ChartMeasure"));
    m_measure->addItem(QStringLiteral("выпадения за эти тиражи"), int(Measure::Hits));
    m_measure->addItem(QStringLiteral("текущая задержка"), int(Measure::Delay));
    m_summary->setWordWrap(true);
    model()->setRows(AnalysisRows::ballHeader(50, false), {});

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Последние тиражи:"), this));
    top->addWidget(m_lastN);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("Диаграмма:"), this));
    top->addWidget(m_measure);
    top->addStretch(1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(tableView());
    split->addWidget(m_chart);
    split->setChildrenCollapsible(false);
    tableView()->setMinimumHeight(160);
    m_chart->setMinimumHeight(220);
    split->setSizes({300, 280});
    // The table's titles show whole: a window narrower than they are scrolls.
    QVBoxLayout* layout = scrollingLayout();
    layout->addLayout(top);
    layout->addWidget(m_summary);
    layout->addWidget(split, 1);

    connect(m_lastN, &QComboBox::currentIndexChanged, this, &AnalysisPage::optionsChanged);
    connect(m_measure, &QComboBox::currentIndexChanged, this, &BallsPage::plotChart);
}

void BallsPage::recompute(AnalysisSource& source) {
    const int lastN = chosenLastN(m_lastN);
    m_balls = Analysis::computeBallStats(*source.draws(), lastN);
    model()->setRows(AnalysisRows::ballHeader(lastN, lastN == 0), AnalysisRows::ballRows(m_balls));
    m_summary->setText(AnalysisRows::ballSummaryText(m_balls, lastN == 0));
    plotChart();
}

QWidget* BallsPage::chartView() const {
    return m_chart;
}

Analysis::TextTable BallsPage::exportTable() const {
    return Analysis::ballsTable(m_balls);
}

void BallsPage::plotChart() {
    std::array<qreal, 49> values{};
    std::array<BallChart::Mark, 49> marks{};
    const bool hits = Measure(m_measure->currentData().toInt()) == Measure::Hits;
    for (size_t i = 0; i < 49; ++i) {
        const Analysis::BallStat& s = m_balls.balls[i];
        values[i] = qreal(hits ? s.hitsLastN : s.delay);
        marks[i] = s.hot    ? BallChart::Mark::Hot
                   : s.cold ? BallChart::Mark::Cold
                            : BallChart::Mark::None;
    }
    if (hits) {
        const double expected = double(m_balls.lastN) * 6.0 / 49.0;
        const QString window = chosenLastN(m_lastN) == 0
                                   ? QStringLiteral("за все тиражи")
                                   : QStringLiteral("за последние %1").arg(m_balls.lastN);
        m_chart->plot(QStringLiteral("Выпадения %1; линия — ожидаемое (%2)")
                          .arg(window, AnalysisRows::twoDecimals(expected)),
                      values, marks, expected);
    } else {
        m_chart->plot(QStringLiteral("Текущая задержка, тиражей; линия — в среднем ожидаемая (%1)")
                          .arg(AnalysisRows::twoDecimals(kExpectedDelay)),
                      values, marks, kExpectedDelay);
    }
}
