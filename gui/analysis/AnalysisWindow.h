#pragma once

#include "dataset/Connection.h"
#include "gui/analysis/AnalysisPage.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class BallsPage;
class BetsPage;
class FileDialogs;
class MessageBoxes;
class FairnessPage;
class LabPage;
class PairsPage;
class QLabel;
class QPushButton;
class QTabWidget;

// The analysis window "Анализ": my bets and winnings, the balls, the pairs,
// the fairness of the draws and the ticket lab.
// A top-level window of its own beside the main window. It follows the data:
// while shown it looks twice a second whether the database changed (through
// the program or another process) and then computes the shown tab again.
class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWatchMilliseconds = 500;
    static constexpr int kPageCount = 5; // Мои ставки, Шары, Пары, Случайность, Лаборатория

    AnalysisWindow(Connection& connection, MessageBoxes* boxes, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    // Tests give their own file dialogs; the window uses Qt's by default.
    void setFileDialogs(FileDialogs* dialogs);
    // Looks for a change of the data now, and computes the shown tab when it
    // changed or was not computed since the last change.
    void refresh();
    // Places the window beside `main`, on the side with room, when first shown.
    void placeBeside(const QWidget* main);
    // Takes the place and size the window had when last closed (kept in the
    // user's settings); false when none is kept.
    bool restoreSavedPlace();

    // Saves the shown table as CSV / the chart as PNG, asking for the file.
    void saveTable();
    void saveChart();

    QTabWidget* tabs() const { return m_tabs; }
    BetsPage* betsPage() const { return m_bets; }
    BallsPage* ballsPage() const { return m_balls; }
    PairsPage* pairsPage() const { return m_pairs; }
    FairnessPage* fairnessPage() const { return m_fairness; }
    LabPage* labPage() const { return m_lab; }
    QLabel* errorLabel() const { return m_error; }
    QPushButton* saveTableButton() const { return m_saveTable; }
    QPushButton* saveChartButton() const { return m_saveChart; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    AnalysisPage* page(int index) const;
    void computePage(int index);
    void tabChanged(int index);
    // Runs a button's action, showing what fails instead of throwing.
    void guarded(void (AnalysisWindow::*action)());
    void showFailure(const QString& text);
    bool writeFile(const QString& path, const std::function<bool(QIODevice&)>& write);
    QString askPath(const QString& caption, const QString& name, const QString& filter);

    Connection& m_connection;
    MessageBoxes* m_boxes;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs* m_dialogs;
    AnalysisSource m_source;
    Connection::ChangeStamp m_stamp;
    // Per tab: computed before the data last changed.
    std::array<bool, kPageCount> m_stale{{true, true, true, true, true}};
    QTimer m_watch;
    QTabWidget* m_tabs;
    BetsPage* m_bets;
    BallsPage* m_balls;
    PairsPage* m_pairs;
    FairnessPage* m_fairness;
    LabPage* m_lab;
    QLabel* m_error;
    QPushButton* m_saveTable;
    QPushButton* m_saveChart;
    bool m_placed = false;
};
