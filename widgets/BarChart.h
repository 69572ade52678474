#pragma once

#include <QChartView>
#include <QPointer>
#include <QString>

class Query;
class QBarCategoryAxis;
class QValueAxis;
class QStackedBarSeries;

// A bar chart fed by a query (DBChart1 with its series Series1): one bar per row,
// X labels from one column in ascending order, heights from another, each bar
// its own colour. It redraws whenever the query opens or closes.
class BarChart : public QChartView {
    Q_OBJECT
public:
    BarChart(const QString& title, QWidget* parent = nullptr);
    void bind(Query* dataSet, const QString& xField, const QString& yField);

    // What is drawn now, in X order (for tests and the status of the chart).
    QStringList labels() const { return m_labels; }
    QList<qreal> values() const { return m_values; }

private:
    void reload();
    QPointer<Query> m_dataSet;
    QString m_xField;
    QString m_yField;
    QStackedBarSeries* m_series;
    QBarCategoryAxis* m_axisX;
    QValueAxis* m_axisLeft;
    QValueAxis* m_axisRight;
    QStringList m_labels;
    QList<qreal> m_values;
};
