#pragma once

#include <QChartView>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class Query;
class QBarCategoryAxis;
class QBarSet;
class QValueAxis;
class QStackedBarSeries;

// A bar chart fed by a query (DBChart1 with its series Series1): one bar per row,
// X labels from one column in ascending order, heights from another, each bar
// its own colour with a thin dark outline. It follows the query as it opens and
// closes: a re-read with as many bars as before only changes the heights that
// differ; bar items are made anew only when the number of bars changes.
class BarChart : public QChartView {
    Q_OBJECT
public:
    BarChart(const QString& title, QWidget* parent = nullptr);
    void bind(Query* dataSet, const QString& xField, const QString& yField);

    // What the query holds now, in X order (what the chart shows).
    QStringList labels() const { return m_labels; }
    QList<qreal> values() const { return m_values; }

private:
    void reload();
    void draw();
    void rebuildBars();
    void fitValueAxes();

    QPointer<Query> m_dataSet;
    QString m_xField;
    QString m_yField;
    QStackedBarSeries* m_series;
    QBarCategoryAxis* m_axisX;
    QValueAxis* m_axisLeft;
    QValueAxis* m_axisRight;
    QStringList m_labels;
    QList<qreal> m_values;
    // What the bar items show: heights by bar, one set per palette colour
    // (bar i belongs to set i mod 16), and the top of the value axes.
    QList<qreal> m_drawn;
    QList<QBarSet*> m_sets;
    qreal m_drawnTop = -1;
    bool m_drawPending = false;
};
