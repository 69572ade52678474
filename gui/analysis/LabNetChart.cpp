#include "gui/analysis/LabNetChart.h"

#include <QChart>
#include <QLineSeries>
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
    m_axisX->setLabelFormat(QStringLiteral("%.0f"));
    m_axisX->setTitleText(QStringLiteral("Тираж"));
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
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
    if (draws.empty())
        return;
    m_axisX->setRange(double(draws.front().tir),
                      double(std::max(draws.back().tir, draws.front().tir + 1)));
    const double margin = std::max(1.0, (high - low) * 0.05);
    m_axisY->setRange(low - margin, high + margin);
}

void LabNetChart::clear() {
    m_net->clear();
    m_expected->clear();
}
