#include "gui/analysis/BallChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

BallChart::BallChart(QWidget* parent)
    : QChartView(parent), m_plain(new QBarSet(QStringLiteral("Шары"))),
      m_hot(new QBarSet(QStringLiteral("Горячие"))),
      m_cold(new QBarSet(QStringLiteral("Холодные"))), m_levelLine(new QLineSeries),
      m_axisY(new QValueAxis) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    QFont titleFont = font();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);

    // Three stacked sets, each holding only its own bars, give three colours.
    auto* bars = new QStackedBarSeries;
    m_plain->setColor(QColor(128, 128, 128));
    m_hot->setColor(QColor(220, 40, 20));
    m_cold->setColor(QColor(40, 90, 220));
    for (QBarSet* set : {m_plain, m_hot, m_cold}) {
        set->setBorderColor(set->color().darker(130));
        set->append(QList<qreal>(49, 0.0));
    }
    bars->append({m_plain, m_hot, m_cold});
    bars->setBarWidth(0.7);
    chart->addSeries(bars);
    QPen pen(QColor(0, 140, 0));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    m_levelLine->setPen(pen);
    chart->addSeries(m_levelLine);

    auto* axisX = new QBarCategoryAxis;
    QStringList labels;
    for (int ball = 1; ball <= 49; ++ball)
        labels << QString::number(ball);
    axisX->append(labels);
    QFont small = font();
    small.setPixelSize(9);
    axisX->setLabelsFont(small);
    axisX->setTruncateLabels(false); // two digits are a little wider than a bar
    m_axisY->setLabelsFont(small);
    m_axisY->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(m_levelLine)}) {
        series->attachAxis(axisX);
        series->attachAxis(m_axisY);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, true);
}

void BallChart::plot(const QString& title, const std::array<qreal, 49>& values,
                     const std::array<Mark, 49>& marks, std::optional<qreal> level) {
    m_values = values;
    m_level = level;
    chart()->setTitle(title);
    qreal top = *std::max_element(values.begin(), values.end());
    top = std::max(top, level.value_or(0.0));
    m_axisY->setRange(0, top > 0 ? top * 1.05 : 1.0);
    m_axisY->applyNiceNumbers();
    // A ball at 0 keeps a thin stub in its colour, so that it reads as "none"
    // rather than as a missing bar.
    const qreal stub = m_axisY->max() * kStubShare;
    // Whole lists at once: one update of the chart per set, not one per bar.
    QList<qreal> plain(49, 0.0), hot(49, 0.0), cold(49, 0.0);
    for (size_t i = 0; i < 49; ++i) {
        QList<qreal>& list = marks[i] == Mark::Hot ? hot : marks[i] == Mark::Cold ? cold : plain;
        list[qsizetype(i)] = std::max(values[i], stub);
    }
    const std::pair<QBarSet*, const QList<qreal>*> sets[] = {
        {m_plain, &plain}, {m_hot, &hot}, {m_cold, &cold}};
    for (const auto& [set, list] : sets) {
        set->remove(0, set->count());
        set->append(*list);
    }
    m_levelLine->clear();
    if (level)
        m_levelLine->append({QPointF(-0.5, *level), QPointF(48.5, *level)});
}

qreal BallChart::barHeight(int ball) const {
    const qsizetype i = ball - 1;
    return m_plain->at(i) + m_hot->at(i) + m_cold->at(i);
}

QString BallChart::title() const {
    return chart()->title();
}
