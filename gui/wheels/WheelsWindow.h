#pragma once

#include "gui/wheels/TicketTableModel.h"
#include "gui/wheels/WheelTexts.h"
#include "wheels/WheelTypes.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Connection;
class FileDialogs;
class MessageBoxes;
class NumberChooser;
class PdfJob;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class WheelJob;

// The wheels window «Системы»: the numbers on a 49-ball pad (or the hottest or
// coldest from the draws), the guarantee, key numbers, the time budget and the
// seed; the generation on a worker thread with its progress and a stop; the
// tickets with the check's line and the published record; and the tickets
// saved as bets, exported as CSV, printed or saved as PDF.
class WheelsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultSeconds = 10;
    static constexpr int kRecentDraws = 50; // the draws the hottest and coldest are taken from

    // boxes asks before tickets already stored as bets are stored again.
    WheelsWindow(Connection& connection, MessageBoxes* boxes, QWidget* parent = nullptr);
    ~WheelsWindow() override;

    // Tests give their own file dialogs; the window uses Qt's by default.
    void setFileDialogs(FileDialogs* dialogs);
    // Runs after tickets were stored as bets, so that views of the bets follow.
    void setBetsSaved(std::function<void()> onSaved) { m_betsSaved = std::move(onSaved); }
    void placeBeside(const QWidget* main);

    void generate();
    void stop();
    bool running() const;
    // The hottest (or coldest) N balls of the newest draws become the chosen numbers.
    void takeFromDraws(bool hottest);
    void saveBets();
    void saveCsv();
    void printPreview();
    void savePdf();
    bool writingPdf() const;

    const std::vector<Wheels::Ticket>& tickets() const { return m_ticketModel->tickets(); }
    NumberChooser* chooser() const { return m_chooser; }
    QComboBox* guaranteeBox() const { return m_guarantee; }
    QLineEdit* keysEdit() const { return m_keys; }
    QSpinBox* secondsBox() const { return m_seconds; }
    QSpinBox* seedBox() const { return m_seed; }
    QSpinBox* countBox() const { return m_count; }
    QSpinBox* tirBox() const { return m_tir; }
    QPushButton* buildButton() const { return m_build; }
    QPushButton* stopButton() const { return m_stop; }
    QTableView* table() const { return m_table; }
    QLabel* progressLabel() const { return m_progressText; }
    QLabel* checkLabel() const { return m_checkLine; }
    QLabel* recordLabel() const { return m_recordLine; }
    QLabel* statusLabel() const { return m_status; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createChoicePanel();
    QWidget* createSettingsPanel();
    QWidget* createOutputRow();
    void choiceChanged();
    void showProgress(const Wheels::GenerateProgress& progress);
    void tick();
    void showResult(const Wheels::GenerateResult& result);
    void showPdfProgress(int done, int pages);
    void showPdfWritten(const QString& path, const QString& failure, bool cancelled);
    void showFailure(const QString& text);
    void showDone(const QString& text);
    void setRunning(bool running);
    Wheels::WheelRequest request(QString* problem) const;
    int suggestedTir() const;
    // How many of the shown tickets are bets of the draw already.
    qsizetype storedAlready(int tir) const;
    WheelTexts::PrintedWheel printedWheel() const;
    QString askPath(const QString& caption, const QString& name, const QString& filter);
    void guarded(const std::function<void()>& action);

    Connection& m_connection;
    MessageBoxes* m_boxes;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs* m_dialogs;
    std::function<void()> m_betsSaved;
    WheelJob* m_job;
    PdfJob* m_pdf;
    QTimer m_clock; // the seconds shown while a generation runs
    QElapsedTimer m_elapsed;
    int m_bestSize = 0;

    // The wheel shown and what it was made for.
    Wheels::WheelRequest m_shownRequest;

    NumberChooser* m_chooser;
    QLabel* m_chosenCount;
    QSpinBox* m_count;
    QComboBox* m_guarantee;
    QLineEdit* m_keys;
    QSpinBox* m_seconds;
    QSpinBox* m_seed;
    QPushButton* m_build;
    QPushButton* m_stop;
    QProgressBar* m_progress;
    QLabel* m_progressText;
    TicketTableModel* m_ticketModel;
    QTableView* m_table;
    QLabel* m_checkLine;
    QLabel* m_recordLine;
    QLabel* m_method;
    QSpinBox* m_tir;
    QPushButton* m_saveBets;
    QPushButton* m_saveCsv;
    QPushButton* m_print;
    QPushButton* m_savePdf;
    QLabel* m_status;
    bool m_placed = false;
};
