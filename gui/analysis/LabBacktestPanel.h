#pragma once

#include "lab/Backtest.h"

#include <QGroupBox>
#include <optional>

class Connection;
class FileDialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What the backtest replays: the tickets (from a file in the ticket formats,
// or the stored bets of one draw), the range of draws, the ticket price, and
// whether the filter's conditions choose the tickets draw by draw.
class LabBacktestPanel : public QGroupBox {
    Q_OBJECT
public:
    LabBacktestPanel(Connection& connection, QWidget* parent = nullptr);
    void setFileDialogs(FileDialogs* dialogs) { m_dialogs = dialogs; }

    // Reads tickets; a failure shows its text and keeps the tickets before.
    void loadFile(const QString& path);
    void loadStoredBets(qint64 tir);

    // The request without its filter, or none with what is wrong in error.
    std::optional<Lab::BacktestRequest> request(QString& error) const;
    bool walkForward() const;

    QPushButton* fileButton() const { return m_fromFile; }
    QPushButton* runButton() const { return m_run; }
    QLabel* ticketsLabel() const { return m_ticketsLabel; }
    QSpinBox* priceBox() const { return m_price; }

Q_SIGNALS:
    void runRequested();

private:
    void chooseFile();
    void showTickets(const QString& source);

    Connection& m_connection;
    FileDialogs* m_dialogs = nullptr;
    std::vector<Lab::Ticket> m_tickets;
    QLabel* m_ticketsLabel;
    QPushButton* m_fromFile;
    QSpinBox* m_betsTir;
    QPushButton* m_fromBets;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QSpinBox* m_price;
    QCheckBox* m_walkForward;
    QPushButton* m_run;
};
