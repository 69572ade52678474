#pragma once

#include "lab/Backtest.h"

#include <QChartView>

class QLineSeries;
class QValueAxis;

// The backtest draw by draw: the cumulative net of the tickets (prizes won
// minus what they cost) against the net random tickets would have been
// expected to make on the same draws.
class LabNetChart : public QChartView {
    Q_OBJECT
public:
    explicit LabNetChart(QWidget* parent = nullptr);
    void showOutcomes(const std::vector<Lab::DrawOutcome>& draws, qint64 ticketPrice);
    void clear();

    QLineSeries* netSeries() const { return m_net; }
    QLineSeries* expectedSeries() const { return m_expected; }

private:
    QLineSeries* m_net;
    QLineSeries* m_expected;
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
};
