#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "widgets/MessageBoxes.h"

class AnalysisWindow;
class WheelsWindow;
class BallPanel;
class BarChart;
class Connection;
class DataSource;
class DbGrid;
class DbText;
class LinkLabel;
class Query;
class StatusBar;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QToolButton;

// The main window (Form1). It owns every control, the connection, the five
// queries and the two data sources for the whole run. Its handlers stay thin:
// the logic lives in units that need no window.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // appDir is the folder of razyg.ini, the default database and the results
    // workbook (the executable's folder in production). boxes answers every
    // message box; the form takes a Qt implementation when none is given.
    explicit TForm1(const QString& appDir, MessageBoxes* boxes = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // The font the layout was made for: 8 points, 11 pixels high, with
    // Arial's narrow digits (Liberation Sans has its metrics).
    static QFont layoutFont();

    // Start-up. Afterwards terminated() tells whether the process must end.
    void FormCreate(QObject* Sender);
    bool terminated() const { return m_terminated; }

    // Runs one event handler: an error escaping it shows the standard error box.
    template <typename F> void dispatch(F&& handler) {
        try {
            handler();
        } catch (const std::exception& e) {
            showStandardError(e);
        }
    }
    void showStandardError(const std::exception& error);
    BoxResult showBox(const QString& text, const QString& caption, BoxIcon icon, BoxButtons buttons,
                      bool owned = true);

    // How the developer-site link opens its address (the desktop's URL handler).
    std::function<void(const QUrl&)> openUrl;
    static const char* const kDeveloperSite;

    // Unit-level state, alive for the whole run.
    QString IniFileName;
    QString DbFileName;
    QString ResultsFileName;
    QString UpdateUrl;
    QString ResultsPageUrl; // the operator's results page (CONFIG/resultsurl or the default)
    int PadCount = 0;
    std::array<int, 50> PadBalls{}; // slots 1..49 are used
    int FoundDrawNo = 0;

    // Data access.
    std::unique_ptr<Connection> ADOConnection1;
    Query* ADOQuery1;
    Query* ADOQuery2;
    Query* ADOQuery3;
    Query* ADOQuery4;
    Query* ADOQuery5;
    DataSource* DataSource1;
    DataSource* DataSource2;

    // The client area above the status bar, holding every control of the
    // layout; on a screen narrower or lower than the layout it scrolls.
    static constexpr int kClientWidth = 1210;
    static constexpr int kClientHeight = 578;
    static constexpr int kStatusBarHeight = 19;
    // How long the window manager is given to frame a new window.
    static constexpr int kFrameSettleMilliseconds = 300;
    QScrollArea* ClientScroll = nullptr;
    QWidget* ClientArea = nullptr;

    // Controls, by their layout names.
    BarChart* DBChart1;
    QFrame* Panel1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label11, *Label12, *Label13, *Label14, *Label15, *Label16;
    LinkLabel* Label17;
    std::array<DbText*, 11> DBText{}; // DBText1 .. DBText11 at [0] .. [10]
    DbGrid* DBGrid1;
    DbGrid* DBGrid2;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8,
        *Button9, *Button10, *Button11, *Button12, *Button13, *Button15, *Button16, *Button17,
        *Button18, *Button19;
    QFrame* Panel50;
    std::array<BallPanel*, 50> P{}; // P[1] .. P[49]
    QLineEdit* Edit1;
    std::array<QLineEdit*, 7> ES{}; // ES[1] .. ES[6]
    QProgressBar* PB1;
    StatusBar* StatusBar1 = nullptr;
    QToolButton* AnalysisButton = nullptr; // "Анализ (F9)" at the right end of the status bar
    QToolButton* WheelsButton = nullptr;   // "Системы (F10)" beside it
    QColor clBtnFace;
    static const QColor clRed;

    // Start-up and the draws grid's wheel.
    bool DBGrid1WindowProc(QEvent* message);

    // Developer-site link.
    void Label17Click(QObject* Sender);
    void Label17MouseDown(QObject* Sender, Qt::MouseButton Button);
    void Label17MouseUp(QObject* Sender, Qt::MouseButton Button);

    // Draw entry.
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button13Click(QObject* Sender);
    void DBGrid1DblClick(QObject* Sender);
    void Edit1KeyPress(QObject* Sender, QChar& Key);
    void ES1KeyPress(QObject* Sender, QChar& Key);
    void ES2KeyPress(QObject* Sender, QChar& Key);
    void ES3KeyPress(QObject* Sender, QChar& Key);
    void ES4KeyPress(QObject* Sender, QChar& Key);
    void ES5KeyPress(QObject* Sender, QChar& Key);
    void ES6KeyPress(QObject* Sender, QChar& Key);

    // Bet entry.
    void Button4Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button6Click(QObject* Sender);
    void DBGrid2DblClick(QObject* Sender);

    // Number pad.
    void Button15Click(QObject* Sender);
    void PClick(int ball); // P1Click .. P49Click
    void Knopki();
    void Sortirovka();

    // Six-number search.
    void Button7Click(QObject* Sender);

    // Views.
    void SourceOpen();
    void SourceClose();
    void Button10Click(QObject* Sender);
    void Button11Click(QObject* Sender);
    void Button17Click(QObject* Sender);
    void Button18Click(QObject* Sender);
    void Button19Click(QObject* Sender);
    void Button9Click(QObject* Sender);
    void Button12Click(QObject* Sender);
    void Button8Click(QObject* Sender);
    void DataSource1DataChange(QObject* Sender, const QString& Field);

    // How often the window looks for other programs' writes.
    static constexpr int kFollowMilliseconds = 500;

    // Analysis window: opened by AnalysisButton and by F9, kept for the run.
    std::unique_ptr<AnalysisWindow> AnalysisForm;
    void AnalysisButtonClick(QObject* Sender);

    // Wheels window: opened by WheelsButton and by F10, kept for the run.
    std::unique_ptr<WheelsWindow> WheelsForm;
    void WheelsButtonClick(QObject* Sender);

    // Online update.
    void Button16Click(QObject* Sender);
    void RazygUpdate();
    void ImportWorkbookFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createDataAccess();
    void createControls();
    void createChartStrip();
    void createDrawPanel();
    void createGrids();
    void createCommandColumn();
    void createBallPanel();
    void createActionButtons();
    void createInputRow();
    void createAnalysisButton();
    void createWheelsButton();
    void bindEvents();
    void setTabOrder();
    void fitToScreen();
    void layOutClientScroll();
    void terminate() { m_terminated = true; }
    bool isDrawGridPart(const QObject* object) const;
    bool filterKey(QLineEdit* edit, QKeyEvent* event);
    void pasteTyped(QLineEdit* edit);
    void inputErrorBox(const QString& text);
    bool askQuestion(const QString& text);
    void reopenChart();
    void runListView(const QString& sql);
    void showFrequencies(const QString& sql);
    void writeFields(Query* target, bool newRow);
    void copyFields(const Query* source);
    void resetFields();
    void endUpdateState();
    void runImport();
    void showProgress(int percent);
    void startFollowingOtherPrograms();
    void followOtherPrograms();
    bool busyForReload() const;
    void reloadAfterOtherProgram();

    QString m_appDir;
    std::unique_ptr<MessageBoxes> m_ownBoxes;
    MessageBoxes* m_boxes;
    bool m_terminated = false;
    bool m_centred = false;
    int m_boxDepth = 0;            // boxes open now
    qint64 m_seenDataVersion = -1; // the database's data version last looked at
};
