#include "gui/analysis/LabNetChart.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

LabNetChart::LabNetChart(QWidget* parent)
    : QChartView(parent), m_net(new QLineSeries), m_expected(new QLineSeries),
      m_axisX(new QValueAxis), m_axisY(new QValueAxis) {
    setObjectName(QStringLiteral("LabNetChart"));
    m_net->setName(QStringLiteral("Итог билетов с начала, руб."));
    m_expected->setName(QStringLiteral("Ожидаемый итог случайных билетов"));
    auto* chart = new QChart;
    for (QLineSeries* series : {m_net, m_expected})
        chart->addSeries(series);
    // The tickets' own line solid and strong, the expectation dashed beside
    // it: the two read apart where they run together.
    m_net->setPen(QPen(QColor(20, 80, 200), 2.5));
    m_expected->setPen(QPen(QColor(200, 60, 20), 1.5, Qt::DashLine));
    chart->setLocalizeNumbers(true); // digit groups as the window writes them
    m_axisX->setLabelFormat(QStringLiteral("%.0f"));
    m_axisX->setTitleText(QStringLiteral("Тираж"));
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    m_axisY->setTitleText(QStringLiteral("Руб."));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QLineSeries* series : {m_net, m_expected}) {
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(240);
    clear();
}

void LabNetChart::showOutcomes(const std::vector<Lab::DrawOutcome>& draws, qint64 ticketPrice) {
    QList<QPointF> net;
    QList<QPointF> expected;
    net.reserve(qsizetype(draws.size()));
    expected.reserve(qsizetype(draws.size()));
    double netSum = 0;
    double expectedSum = 0;
    double low = 0;
    double high = 0;
    for (const Lab::DrawOutcome& draw : draws) {
        const double cost = double(draw.tickets) * double(ticketPrice);
        netSum += double(draw.prize) - cost;
        expectedSum += draw.expectedPrize - cost;
        net.append(QPointF(double(draw.tir), netSum));
        expected.append(QPointF(double(draw.tir), expectedSum));
        low = std::min({low, netSum, expectedSum});
        high = std::max({high, netSum, expectedSum});
    }
    m_net->replace(net);
    m_expected->replace(expected);
    if (draws.empty()) {
        clear();
        return;
    }
    chart()->setTitle(QString());
    // Round steps (1, 2 or 5 times a power of ten) on both axes.
    m_axisX->setRange(double(draws.front().tir),
                      double(std::max(draws.back().tir, draws.front().tir + 1)));
    m_axisX->applyNiceNumbers();
    const double margin = std::max(1.0, (high - low) * 0.05);
    m_axisY->setRange(low - margin, high + margin);
    m_axisY->applyNiceNumbers();
    for (QValueAxis* axis : {m_axisX, m_axisY})
        axis->setVisible(true);
    chart()->legend()->setVisible(true);
}

void LabNetChart::clear() {
    // Nothing to show yet: no axes with made-up ticks, just what will be here.
    m_net->clear();
    m_expected->clear();
    for (QValueAxis* axis : {m_axisX, m_axisY})
        axis->setVisible(false);
    chart()->legend()->setVisible(false);
    chart()->setTitle(
        QStringLiteral("Здесь будет итог билетов тираж за тиражом после «Проверить»"));
}
