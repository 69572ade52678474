#pragma once

#include "analysis/Fairness.h"
#include "gui/analysis/AnalysisPage.h"

class QBarSeries;
class QBarCategoryAxis;
class QChartView;
class QComboBox;
class QLabel;
class QValueAxis;

// "Случайность": whether the stored draws look like fair draws, test by test
// in plain words, with the observed against the expected counts of the test
// chosen in the table.
class FairnessPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit FairnessPage(QWidget* parent = nullptr);
    void recompute(AnalysisSource& source) override;
    Analysis::TextTable exportTable() const override;
    QString exportName() const override { return QStringLiteral("случайность.csv"); }

    QComboBox* lastNBox() const { return m_lastN; }
    const Analysis::FairnessReport& report() const { return m_report; }

private:
    void showChart(int row);

    QComboBox* m_lastN;
    QLabel* m_summary;
    QChartView* m_chartView;
    QBarSeries* m_series;
    QBarCategoryAxis* m_axisX;
    QValueAxis* m_axisY;
    Analysis::FairnessReport m_report;
};
