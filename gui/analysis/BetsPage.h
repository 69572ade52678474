#pragma once

#include "analysis/MyBets.h"
#include "gui/analysis/AnalysisPage.h"

class QDoubleSpinBox;
class QLabel;

// "Мои ставки": every bet with its matches and prize, and the totals under
// the table. The bet price is kept in the user's settings.
class BetsPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit BetsPage(QWidget* parent = nullptr);
    void recompute(AnalysisSource& source) override;
    Analysis::TextTable exportTable() const override;
    QString exportName() const override { return QStringLiteral("ставки.csv"); }

    QDoubleSpinBox* priceBox() const { return m_price; }
    QLabel* totalsLabel() const { return m_totals; }

private:
    void priceChanged();
    qint64 priceKopecks() const;
    QDoubleSpinBox* m_price;
    QLabel* m_totals;
    Analysis::BetTable m_bets;
};
