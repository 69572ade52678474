#pragma once

#include "analysis/PairStats.h"
#include "gui/analysis/AnalysisPage.h"

class QComboBox;
class QLabel;

// "Пары": the most frequent pairs of balls over all or the newest N draws.
class PairsPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit PairsPage(QWidget* parent = nullptr);
    void recompute(AnalysisSource& source) override;
    Analysis::TextTable exportTable() const override;
    QString exportName() const override { return QStringLiteral("пары.csv"); }

    QComboBox* lastNBox() const { return m_lastN; }

private:
    QComboBox* m_lastN;
    QLabel* m_summary;
    Analysis::PairTable m_pairs;
};
