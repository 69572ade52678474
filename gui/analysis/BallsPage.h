#pragma once

#include "analysis/BallStats.h"
#include "gui/analysis/AnalysisPage.h"

class QComboBox;
class QLabel;

// "Шары": hits, delays and the newest-N hits of every ball, the hottest and
// coldest marked, and a chart of hits (with the expected level) or of the
// current delay.
class BallsPage : public AnalysisPage {
    Q_OBJECT
public:
    enum class Measure { Hits, Delay };

    explicit BallsPage(QWidget* parent = nullptr);
    void recompute(AnalysisSource& source) override;
    Analysis::TextTable exportTable() const override;
    QString exportName() const override { return QStringLiteral("шары.csv"); }
    BallChart* chart() const { return m_chart; }
    QWidget* chartView() const override;

    QComboBox* lastNBox() const { return m_lastN; }
    QComboBox* measureBox() const { return m_measure; }

private:
    void plotChart();
    QComboBox* m_lastN;
    QComboBox* m_measure;
    QLabel* m_summary;
    BallChart* m_chart;
    Analysis::BallTable m_balls;
};
