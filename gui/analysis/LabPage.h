#pragma once

#include "gui/analysis/AnalysisPage.h"
#include "lab/Backtest.h"

#include <memory>
#include <optional>
#include <vector>

class BackgroundRun;
class FileDialogs;
class LabBacktestPanel;
class LabFilterPanel;
class LabNetChart;
class LabTicketsPanel;
class QLabel;

// "Лаборатория": the ticket filter over every combination of six from 49,
// its count following the conditions as they are typed (counted on a thread
// of its own, a running count dropped when they change), and the backtest of
// a ticket set with the random expectation beside each prize category and
// the cumulative net against the expected net draw by draw.
class LabPage : public AnalysisPage {
    Q_OBJECT
public:
    LabPage(Connection& connection, QWidget* parent = nullptr);
    ~LabPage() override;
    void setFileDialogs(FileDialogs* dialogs);

    void recompute(AnalysisSource& source) override;
    Analysis::TextTable exportTable() const override;
    QString exportName() const override { return QStringLiteral("лаборатория.csv"); }
    QWidget* chartView() const override;

    LabFilterPanel* filterPanel() const { return m_filter; }
    LabTicketsPanel* ticketsPanel() const { return m_tickets; }
    LabBacktestPanel* backtestPanel() const { return m_backtestPanel; }
    LabNetChart* netChart() const { return m_chart; }
    QLabel* countLabel() const { return m_countLabel; }
    // The count shown; -1 while it is being counted or the conditions are wrong.
    qint64 shownCount() const { return m_count; }
    // Whether a backtest is running.
    bool backtestRunning() const;
    const Lab::BacktestResult& backtestResult() const { return m_result; }

private:
    void recount();
    // The passing tickets: the first `limit` of them, or a random sample of
    // that size; none, with the reason shown, when the conditions are wrong.
    std::optional<std::vector<Lab::Ticket>> passingTickets(int limit, bool sample);
    void showSample();
    void saveTickets();
    void storeBets();
    void runBacktest();
    void showBacktest(const Lab::BacktestResult& result, qint64 price);

    Connection& m_connection;
    LabFilterPanel* m_filter;
    QLabel* m_countLabel;
    LabTicketsPanel* m_tickets;
    FileDialogs* m_dialogs = nullptr;
    LabBacktestPanel* m_backtestPanel;
    QLabel* m_summary;
    LabNetChart* m_chart;
    BackgroundRun* m_counter;
    BackgroundRun* m_backtest;
    std::shared_ptr<const Draws::History> m_history;
    std::shared_ptr<const Draws::History> m_prizes; // read with prizes when a backtest needs it
    qint64 m_count = -1;
    bool m_backtestShown = false;
    Lab::BacktestResult m_result;
};
