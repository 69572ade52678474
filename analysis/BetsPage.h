#pragma once

#include "analysis/AnalysisPage.h"
#include "analysis/MyBets.h"

class AnalysisModel;
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
    QTableView* tableView() const override { return m_view; }
    QString exportName() const override { return QStringLiteral("ставки.csv"); }

    AnalysisModel* model() const { return m_model; }
    QDoubleSpinBox* priceBox() const { return m_price; }
    QLabel* totalsLabel() const { return m_totals; }

private:
    void priceChanged();
    void fitPrizeColumn();
    qint64 priceKopecks() const;
    AnalysisModel* m_model;
    QTableView* m_view;
    QDoubleSpinBox* m_price;
    QLabel* m_totals;
    Analysis::BetTable m_bets;
};
