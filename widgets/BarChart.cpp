#include "widgets/BarChart.h"

#include "dataset/Query.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// The classic sixteen-colour palette that charts give bars one after another.
const QColor kPalette[] = {
    QColor(255, 0, 0),     QColor(0, 128, 0),     QColor(255, 255, 0), QColor(0, 0, 255),
    QColor(255, 255, 255), QColor(128, 128, 128), QColor(255, 0, 255), QColor(0, 128, 128),
    QColor(0, 0, 128),     QColor(128, 0, 0),     QColor(0, 255, 0),   QColor(128, 128, 0),
    QColor(128, 0, 128),   QColor(192, 192, 192), QColor(0, 255, 255), QColor(0, 0, 0)};
constexpr int kColours = static_cast<int>(std::size(kPalette));

} // namespace

BarChart::BarChart(const QString& title, QWidget* parent)
    // Given its chart at once, the view does not make a default one first.
    : QChartView(new QChart, parent), m_series(new QStackedBarSeries),
      m_axisX(new QBarCategoryAxis), m_axisLeft(new QValueAxis), m_axisRight(new QValueAxis) {
    QChart* chart = this->chart();
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    m_series->setName(QStringLiteral("Series1"));
    m_series->setBarWidth(0.7);
    m_series->setLabelsVisible(false);
    chart->addSeries(m_series);
    QFont small = chart->font();
    small.setPixelSize(9);
    m_axisX->setLabelsFont(small);
    m_axisLeft->setLabelsFont(small);
    m_axisRight->setLabelsFont(small);
    m_axisLeft->setLabelFormat(QStringLiteral("%d"));
    m_axisRight->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisLeft, Qt::AlignLeft);
    chart->addAxis(m_axisRight, Qt::AlignRight);
    m_series->attachAxis(m_axisX);
    m_series->attachAxis(m_axisLeft);
    setRenderHint(QPainter::Antialiasing, false);
    setFrameShape(QFrame::NoFrame);
}

void BarChart::bind(Query* dataSet, const QString& xField, const QString& yField) {
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    m_xField = xField;
    m_yField = yField;
    connect(dataSet, &Query::rowsReset, this, &BarChart::reload);
    reload();
}

void BarChart::reload() {
    // Points in ascending X order.
    QList<QPair<qint64, qreal>> points;
    const Query* q = m_dataSet;
    const bool active = q && q->isActive();
    if (active) {
        const int x = q->fieldIndex(m_xField);
        const int y = q->fieldIndex(m_yField);
        if (x >= 0 && y >= 0) {
            const int rows = q->recordCount();
            points.reserve(rows);
            for (int r = 0; r < rows; ++r)
                points.append({q->valueAt(r, x).toLongLong(), q->valueAt(r, y).toDouble()});
        }
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_labels.clear();
    m_values.clear();
    for (const auto& p : points) {
        m_labels.append(QString::number(p.first));
        m_values.append(p.second);
    }
    if (active) {
        draw();
        return;
    }
    // A closed query is usually opened again at once (a re-read): the bars go
    // only if it is still closed when the window next gets to its events.
    if (!m_drawPending) {
        m_drawPending = true;
        QTimer::singleShot(0, this, [this] {
            m_drawPending = false;
            draw();
        });
    }
}

void BarChart::draw() {
    if (m_values.size() != m_drawn.size()) {
        rebuildBars();
    } else {
        for (int i = 0; i < m_values.size(); ++i) {
            if (m_values.at(i) != m_drawn.at(i)) {
                m_sets.at(i % kColours)->replace(i, m_values.at(i));
                m_drawn[i] = m_values.at(i);
            }
        }
    }
    if (m_axisX->categories() != m_labels)
        m_axisX->setCategories(m_labels);
    fitValueAxes();
}

void BarChart::rebuildBars() {
    // One set per palette colour, each holding the bars of its colour (zero
    // elsewhere): every bar gets its own colour with few chart items.
    m_series->clear();
    m_sets.clear();
    const int n = static_cast<int>(m_values.size());
    for (int c = 0; c < qMin(kColours, n); ++c) {
        auto* set = new QBarSet(QString::number(c));
        QList<qreal> row(n, 0.0);
        for (int i = c; i < n; i += kColours)
            row[i] = m_values.at(i);
        set->append(row);
        m_sets.append(set);
    }
    m_series->append(m_sets);
    // After the series has taken the sets: adding them applies the chart
    // theme's brush and pen, a white outline that leaves a white bar unseen.
    for (int c = 0; c < m_sets.size(); ++c) {
        m_sets.at(c)->setBrush(kPalette[c]);
        m_sets.at(c)->setPen(QPen(Qt::black, 1));
    }
    m_drawn = m_values;
}

void BarChart::fitValueAxes() {
    const qreal top = m_values.isEmpty() ? 0 : *std::max_element(m_values.begin(), m_values.end());
    const qreal range = top > 0 ? top : 1;
    if (range == m_drawnTop)
        return;
    m_drawnTop = range;
    // The round range is worked out on an axis outside the chart: each change
    // of a shown axis lays all its labels out again.
    QValueAxis round;
    round.setRange(0, range);
    round.applyNiceNumbers();
    // Counts are whole: a step below one would label ticks alike ("0 0 0 1"),
    // so a short axis (a top of a few counts) gets one tick per count instead.
    // Longer axes have round steps of 1, 2 or 5 times a power of ten.
    int ticks = round.tickCount();
    qreal max = round.max();
    if ((max - round.min()) / (ticks - 1) < 1) {
        max = std::ceil(max);
        ticks = int(max) + 1;
    }
    for (QValueAxis* axis : {m_axisLeft, m_axisRight}) {
        axis->setTickCount(ticks);
        axis->setRange(round.min(), max);
    }
}
