#pragma once

#include "analysis/Fairness.h"
#include "gui/analysis/AnalysisPage.h"

class QBarSeries;
class QCategoryAxis;
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
    QWidget* chartView() const override;
    // The axis under the bars: the labels shown, thinned where they would crowd.
    QStringList shownLabels() const;

    QComboBox* lastNBox() const { return m_lastN; }
    const Analysis::FairnessReport& report() const { return m_report; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChart(int row);
    void labelAxis();
    int m_shownRow = -1;

    QComboBox* m_lastN;
    QLabel* m_summary;
    QChartView* m_chartView;
    QBarSeries* m_series;
    QCategoryAxis* m_axisX;
    QValueAxis* m_axisY;
    Analysis::FairnessReport m_report;
};
