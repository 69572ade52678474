// The analysis window: opened from the main window, following its data,
// saving its tables and chart, remembering the bet price.
#include "tests/gui/support/TestSupport.h"

#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/BallChart.h"
#include "gui/analysis/BallsPage.h"
#include "gui/analysis/BetsPage.h"
#include "gui/analysis/FairnessPage.h"
#include "gui/analysis/LabBacktestPanel.h"
#include "gui/analysis/LabFilterPanel.h"
#include "gui/analysis/LabNetChart.h"
#include "gui/analysis/LabPage.h"
#include "gui/analysis/LabTicketsPanel.h"
#include "gui/analysis/PairsPage.h"
#include "runtime/AppError.h"
#include "widgets/FileDialogs.h"
#include "widgets/StatusBar.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <cmath>

namespace {

// Answers save dialogs with a path given beforehand (or fails with the
// failure given), and records the captions.
class ScriptedDialogs : public FileDialogs {
public:
    QString saveFileName(QWidget*, const QString& caption, const QString& suggested,
                         const QString&) override {
        captions.append(caption);
        suggestions.append(suggested);
        if (!failure.isEmpty())
            throw AppError(failure);
        return path;
    }
    QString openFileName(QWidget*, const QString& caption, const QString&,
                         const QString&) override {
        captions.append(caption);
        return path;
    }
    QString path;
    QString failure;
    QStringList captions;
    QStringList suggestions;
};

// Types a draw into the main window's fields and adds it ("Добавить в тираж").
void addDrawByHand(TForm1& form, int tir, std::initializer_list<int> balls) {
    form.Edit1->setText(QString::number(tir));
    int i = 1;
    for (int b : balls)
        form.ES[i++]->setText(QString::number(b));
    form.Button1Click(form.Button1);
}

// The hits of a ball as the balls table shows them (ball 1 in row 0).
QString hitsShown(const AnalysisWindow& w, int ball) {
    return w.ballsPage()->model()->text(ball - 1, 1);
}

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

AnalysisWindow& openWithF9(TForm1& form) {
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        qFatal("the main window did not become active");
    QTest::keyClick(&form, Qt::Key_F9);
    if (!form.AnalysisForm)
        qFatal("F9 opened no analysis window");
    return *form.AnalysisForm;
}

} // namespace

class TestAnalysisWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void opensFromTheStatusBar();
    void mainWindowLayoutKept();
    void followsTheMainWindow();
    void followsOtherProcesses();
    void betsAndTotals();
    void hotAndColdMarked();
    void chartMeasures();
    void saveTableInShownOrder_data();
    void saveTableInShownOrder();
    void saveChart();
    void cancelledOrFailedSave();
    void priceRemembered();
    void unreadableDataShownInWindow();
    void labCountsAndBacktests();
    void placeRememberedAndTitlesWhole();
    void summaryGroupsDigits();
    void chartsReadable();

private:
    QTemporaryDir m_config;
};

void TestAnalysisWindow::initTestCase() {
    // The bet price goes to the user's settings: here, a folder of the test.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
}

void TestAnalysisWindow::opensFromTheStatusBar() {
    TestApp app;
    TForm1& form = app.start();
    form.show();
    QCOMPARE(form.AnalysisButton->parentWidget(), form.StatusBar1);
    QCOMPARE(form.AnalysisButton->text(), QStringLiteral("Анализ (F9)"));
    QVERIFY(form.AnalysisButton->isVisible());
    QVERIFY(!form.AnalysisForm);
    form.AnalysisButton->click();
    QVERIFY(form.AnalysisForm);
    AnalysisWindow* w = form.AnalysisForm.get();
    QVERIFY(w->isVisible());
    QVERIFY(w->isWindow());
    QVERIFY(!w->isModal());
    QCOMPARE(w->windowTitle(), QStringLiteral("Анализ"));
    QCOMPARE(w->tabs()->count(), 5);
    QCOMPARE(w->tabs()->tabText(0), QStringLiteral("Мои ставки"));
    QCOMPARE(w->tabs()->tabText(1), QStringLiteral("Шары"));
    QCOMPARE(w->tabs()->tabText(2), QStringLiteral("Пары"));
    QCOMPARE(w->tabs()->tabText(3), QStringLiteral("Случайность"));
    QCOMPARE(w->tabs()->tabText(4), QStringLiteral("Лаборатория"));
    // Closed and opened again: the same window.
    w->close();
    form.AnalysisButton->click();
    QCOMPARE(form.AnalysisForm.get(), w);
    QVERIFY(w->isVisible());
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestAnalysisWindow::mainWindowLayoutKept() {
    TestApp app;
    TForm1& form = app.start();
    form.show();
    QCOMPARE(form.size(), QSize(1210, 578));
    QCOMPARE(form.StatusBar1->geometry(), QRect(0, 559, 1210, 19));
    QCOMPARE(form.StatusBar1->panel(0)->width(), 75);
    QCOMPARE(form.StatusBar1->panel(1)->width(), 50);
    // In the free right part of the status bar, inside it.
    const QRect button = form.AnalysisButton->geometry();
    QVERIFY(button.left() > form.StatusBar1->panel(1)->geometry().right());
    QVERIFY(QRect(QPoint(0, 0), form.StatusBar1->size()).contains(button));
    QCOMPARE(form.AnalysisButton->focusPolicy(), Qt::NoFocus);
}

void TestAnalysisWindow::followsTheMainWindow() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    AnalysisWindow& w = openWithF9(form);
    QVERIFY(w.isVisible());
    w.tabs()->setCurrentWidget(w.ballsPage());
    QCOMPARE(hitsShown(w, 1), QStringLiteral("1"));
    QCOMPARE(hitsShown(w, 7), QStringLiteral("0"));

    // "Добавить в тираж": the window follows on its own.
    addDrawByHand(form, 2, {1, 7, 8, 9, 10, 11});
    QCOMPARE(app.draws(), 2);
    QTRY_COMPARE(hitsShown(w, 1), QStringLiteral("2"));
    QCOMPARE(hitsShown(w, 7), QStringLiteral("1"));

    // A tab computed later shows the data of that time.
    w.tabs()->setCurrentWidget(w.pairsPage());
    QCOMPARE(w.pairsPage()->model()->text(0, 0), QStringLiteral("1"));
    QCOMPARE(w.pairsPage()->model()->text(0, 1), QStringLiteral("2"));

    // "Удалить тираж" on the current (newest) draw.
    form.Button11Click(form.Button11);
    app.boxes.answer(BoxResult::Yes);
    form.Button2Click(form.Button2);
    QCOMPARE(app.draws(), 1);
    w.refresh();
    QCOMPARE(w.pairsPage()->model()->text(0, 0), QStringLiteral("1"));
    QCOMPARE(w.pairsPage()->model()->text(0, 1), QStringLiteral("2"));
    QCOMPARE(w.pairsPage()->model()->rowCount(), 15);
    w.tabs()->setCurrentWidget(w.ballsPage());
    QCOMPARE(hitsShown(w, 7), QStringLiteral("0"));
}

void TestAnalysisWindow::followsOtherProcesses() {
    TestApp app;
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    QCOMPARE(w.betsPage()->model()->rowCount(), 0);
    app.sql(QStringLiteral(
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (5, 1, 2, 3, 4, 5, 6)"));
    QTRY_COMPARE(w.betsPage()->model()->rowCount(), 1);
    QCOMPARE(w.betsPage()->model()->text(0, 9), AnalysisRows::kDrawNotFound);
    // Stored later by an import: the bet finds its draw.
    app.addDraw(5, {1, 2, 3, 4, 40, 41});
    QTRY_COMPARE(w.betsPage()->model()->text(0, 8), QStringLiteral("4"));
}

void TestAnalysisWindow::betsAndTotals() {
    TestApp app;
    app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, chv3, chv4, chv5, chv6, tirdate) "
        "VALUES (10, 1, 2, 3, 4, 5, 6, 100, 2500, 50000, 1000000, '2024-01-06');"
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (11, 7, 7, 0, 50, 9, 10);"
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (10, 1, 2, 3, 4, 40, 41);"
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (11, 7, 9, 10, 1, 2, 3);"
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (12, 1, 2, 3, 4, 5, 6)"));
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    w.betsPage()->priceBox()->setValue(0);
    const AnalysisModel* bets = w.betsPage()->model();
    QCOMPARE(bets->rowCount(), 3);
    QCOMPARE(bets->text(0, 1), QStringLiteral("06.01.2024"));
    QCOMPARE(bets->text(0, 8), QStringLiteral("4"));
    QCOMPARE(bets->text(0, 9), QStringLiteral("2 500").replace(QLatin1Char(' '), QChar(0xa0)));
    QCOMPARE(bets->text(1, 8), QStringLiteral("3 *")); // a hand-entered draw is marked
    QCOMPARE(bets->text(1, 9), QStringLiteral("нет суммы"));
    QCOMPARE(bets->text(2, 8), QString());
    QCOMPARE(bets->text(2, 9), QStringLiteral("тираж не найден"));
    QString totals = w.betsPage()->totalsLabel()->text();
    QVERIFY2(totals.contains(QStringLiteral("Ставок: 3, из них тираж не найден: 1")),
             qPrintable(totals));
    QVERIFY(totals.contains(QStringLiteral("Выигрышных: 2 (6 угадано: 0, 5 угадано: 0, "
                                           "4 угадано: 1, 3 угадано: 1)")));
    QVERIFY(totals.contains(QStringLiteral("без суммы в базе: 1")));
    QVERIFY(!totals.contains(QStringLiteral("Потрачено")));
    w.betsPage()->priceBox()->setValue(1000);
    totals = w.betsPage()->totalsLabel()->text();
    QVERIFY2(totals.contains(QStringLiteral("итог: -500 руб.")), qPrintable(totals));
}

void TestAnalysisWindow::hotAndColdMarked() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {1, 2, 3, 4, 5, 7});
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    w.tabs()->setCurrentWidget(w.ballsPage());
    const AnalysisModel* balls = w.ballsPage()->model();
    const auto background = [&](int ball) {
        return balls->data(balls->index(ball - 1, 0), Qt::BackgroundRole).value<QColor>();
    };
    for (int ball : {1, 2, 3, 4, 5}) {
        QCOMPARE(balls->text(ball - 1, 0), QStringLiteral("%1 ▲").arg(ball));
        QCOMPARE(background(ball), AnalysisRows::kHotColour);
    }
    for (int ball : {8, 9, 10, 11, 12}) {
        QCOMPARE(balls->text(ball - 1, 0), QStringLiteral("%1 ▼").arg(ball));
        QCOMPARE(background(ball), AnalysisRows::kColdColour);
    }
    QCOMPARE(balls->text(5, 0), QStringLiteral("6"));
    QVERIFY(!background(6).isValid());
    QCOMPARE(balls->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("За последние 50"));
    // The newest draw only: 7 is among the hot, 6 no longer.
    QComboBox* lastN = w.ballsPage()->lastNBox();
    lastN->setCurrentIndex(lastN->findData(10));
    QCOMPARE(balls->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("За последние 10"));
    lastN->setCurrentIndex(lastN->findData(0));
    QCOMPARE(balls->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("За все тиражи"));
}

void TestAnalysisWindow::chartMeasures() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {1, 7, 8, 9, 10, 11});
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    w.tabs()->setCurrentWidget(w.ballsPage());
    QVERIFY(w.saveChartButton()->isEnabled());
    const BallChart* chart = w.ballsPage()->chart();
    QCOMPARE(chart->values()[0], 2.0);
    QCOMPARE(chart->values()[6], 1.0);
    QCOMPARE(chart->values()[48], 0.0);
    QVERIFY(chart->barHeight(49) > 0); // a visible stub
    QCOMPARE(chart->level().value_or(-1), 2 * 6.0 / 49.0);
    QComboBox* measure = w.ballsPage()->measureBox();
    measure->setCurrentIndex(measure->findData(int(BallsPage::Measure::Delay)));
    QCOMPARE(chart->values()[0], 0.0);
    QCOMPARE(chart->values()[1], 1.0);
    QCOMPARE(chart->values()[48], 2.0);
    QVERIFY(chart->title().startsWith(QStringLiteral("Текущая задержка")));
    w.tabs()->setCurrentWidget(w.pairsPage());
    QVERIFY(!w.saveChartButton()->isEnabled());
}

void TestAnalysisWindow::saveTableInShownOrder_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("sortColumn"); // -1: as computed
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("balls as computed") << 1 << -1
                                       << QByteArray("ball,hits,per100,expected_per100,delay,"
                                                     "max_delay,mean_delay,hits_last_n\r\n1,2,");
    // Sorted by the current delay, longest first: ball 2 waited one draw,
    // the never-drawn ones two; the first of those shown is 12.
    QTest::newRow("balls by delay") << 1 << 4
                                    << QByteArray("ball,hits,per100,expected_per100,"
                                                  "delay,max_delay,mean_delay,"
                                                  "hits_last_n\r\n12,0,");
    QTest::newRow("pairs") << 2 << -1 << QByteArray("ball1,ball2,hits\r\n1,2,1\r\n1,3,1\r\n");
    QTest::newRow("bets") << 0 << -1
                          << QByteArray("tir,date,b1,b2,b3,b4,b5,b6,matches,prize\r\n"
                                        "2,,1,7,8,40,41,42,3,\r\n");
    QTest::newRow("fairness") << 3 << -1
                              << QByteArray("name,statistic,df,p_value,method,p_value_adjusted,"
                                            "law,draws,malformed_draws\r\nballs,");
}

void TestAnalysisWindow::saveTableInShownOrder() {
    QFETCH(int, tab);
    QFETCH(int, sortColumn);
    QFETCH(QByteArray, start);
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {1, 7, 8, 9, 10, 11});
    app.sql(QStringLiteral(
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (2, 1, 7, 8, 40, 41, 42)"));
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    ScriptedDialogs dialogs;
    dialogs.path = app.dir() + QStringLiteral("/table.csv");
    w.setFileDialogs(&dialogs);
    w.tabs()->setCurrentIndex(tab);
    if (sortColumn >= 0) {
        QTableView* view = w.ballsPage()->tableView();
        view->sortByColumn(sortColumn, Qt::DescendingOrder);
    }
    w.saveTableButton()->click();
    QCOMPARE(dialogs.captions, QStringList{QStringLiteral("Сохранить таблицу")});
    const QByteArray text = fileText(dialogs.path);
    QVERIFY2(text.startsWith(start), text.left(300).constData());
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestAnalysisWindow::saveChart() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    ScriptedDialogs dialogs;
    dialogs.path = app.dir() + QStringLiteral("/chart.png");
    w.setFileDialogs(&dialogs);
    w.tabs()->setCurrentWidget(w.ballsPage());
    w.saveChartButton()->click();
    QCOMPARE(dialogs.captions, QStringList{QStringLiteral("Сохранить диаграмму")});
    QVERIFY(dialogs.suggestions.front().endsWith(QStringLiteral(".png")));
    QImage image;
    QVERIFY(image.load(dialogs.path, "PNG"));
    QCOMPARE(image.size(), w.ballsPage()->chart()->size() * w.devicePixelRatio());
}

void TestAnalysisWindow::cancelledOrFailedSave() {
    TestApp app;
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    ScriptedDialogs dialogs;
    w.setFileDialogs(&dialogs);
    w.saveTable(); // cancelled: nothing written, nothing said
    QCOMPARE(dialogs.captions.size(), 1);
    QVERIFY(app.boxes.shown.isEmpty());
    dialogs.path = app.dir() + QStringLiteral("/no such folder/table.csv");
    w.saveTable();
    QCOMPARE(app.boxes.shown.size(), 1);
    const BoxRequest& box = app.boxes.shown.front();
    QVERIFY2(box.text.startsWith(QStringLiteral("Не удалось сохранить файл")),
             qPrintable(box.text));
    QCOMPARE(box.caption, QStringLiteral("Анализ"));
    QCOMPARE(box.icon, BoxIcon::Error);
    QCOMPARE(box.owner, static_cast<QWidget*>(&w));
    // A failure inside a save stays in the window, its text under the tabs.
    dialogs.failure = QStringLiteral("диалог не открылся");
    for (QPushButton* save : {w.saveTableButton(), w.saveChartButton()}) {
        w.tabs()->setCurrentWidget(w.ballsPage());
        w.errorLabel()->hide();
        save->click();
        QVERIFY(!w.errorLabel()->isHidden());
        QCOMPARE(w.errorLabel()->text(), dialogs.failure);
    }
    QCOMPARE(app.boxes.shown.size(), 1);
}

void TestAnalysisWindow::priceRemembered() {
    {
        TestApp app;
        TForm1& form = app.start();
        form.AnalysisButtonClick(form.AnalysisButton);
        form.AnalysisForm->betsPage()->priceBox()->setValue(150.5);
    }
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Numeron"),
                       QStringLiteral("Numeron"));
    QCOMPARE(settings.value(QStringLiteral("analysis/betPrice")).toDouble(), 150.5);
    QVERIFY(settings.fileName().startsWith(m_config.path()));
    TestApp app;
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    QCOMPARE(form.AnalysisForm->betsPage()->priceBox()->value(), 150.5);
    // Nothing of it in razyg.ini.
    QVERIFY(!fileText(form.IniFileName).contains("Price"));
}

void TestAnalysisWindow::unreadableDataShownInWindow() {
    TestApp app;
    TForm1& form = app.start();
    app.sql(QStringLiteral("DROP TABLE Rate"));
    form.AnalysisButtonClick(form.AnalysisButton);
    AnalysisWindow& w = *form.AnalysisForm;
    QVERIFY(w.errorLabel()->isVisible());
    QVERIFY2(w.errorLabel()->text().contains(QStringLiteral("Rate")),
             qPrintable(w.errorLabel()->text()));
    // Not tried again, and no box, until the data changes.
    QTest::qWait(2 * AnalysisWindow::kWatchMilliseconds);
    QVERIFY(app.boxes.shown.isEmpty());
    // The other tabs still work.
    w.tabs()->setCurrentWidget(w.ballsPage());
    QVERIFY(!w.errorLabel()->isVisible());
    QCOMPARE(w.ballsPage()->model()->rowCount(), 49);
}

void TestAnalysisWindow::labCountsAndBacktests() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.sql(QStringLiteral("UPDATE razyg SET chv3 = 100, chv4 = 1000 WHERE tir = 1"));
    TForm1& form = app.start();
    AnalysisWindow& w = openWithF9(form);
    ScriptedDialogs dialogs;
    w.setFileDialogs(&dialogs);
    LabPage* lab = w.labPage();
    w.tabs()->setCurrentWidget(lab);
    QTRY_COMPARE_WITH_TIMEOUT(lab->shownCount(), qint64(13983816), 30000);
    // A count still running when the conditions change is dropped: only the
    // last one shows. No two consecutive, 1 in and 2 out: five of 3..49 with
    // no two consecutive, C(43,5).
    lab->filterPanel()->maxRunEdit()->setText(QStringLiteral("1"));
    lab->filterPanel()->includeEdit()->setText(QStringLiteral("1"));
    lab->filterPanel()->excludeEdit()->setText(QStringLiteral("2"));
    QCOMPARE(lab->shownCount(), qint64(-1));
    QTRY_COMPARE_WITH_TIMEOUT(lab->shownCount(), qint64(962598), 30000);

    dialogs.path = QDir(app.dir()).filePath(QStringLiteral("tickets.txt"));
    QFile tickets(dialogs.path);
    QVERIFY(tickets.open(QIODevice::WriteOnly));
    tickets.write("1 2 3 10 11 12\n1 2 3 4 20 21\n");
    tickets.close();
    lab->backtestPanel()->fileButton()->click();
    lab->backtestPanel()->runButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(lab->model()->rowCount(), 4, 30000);
    QCOMPARE(lab->model()->text(0, 1), QStringLiteral("1")); // three matches
    QCOMPARE(lab->model()->text(1, 1), QStringLiteral("1")); // four
    QCOMPARE(lab->backtestResult().totalPrize, qint64(1100));

    // The passing tickets saved and stored as bets: 1..5 with one of 6..49.
    lab->filterPanel()->maxRunEdit()->clear();
    lab->filterPanel()->excludeEdit()->clear();
    lab->filterPanel()->includeEdit()->setText(QStringLiteral("1,2,3,4,5"));
    dialogs.path = QDir(app.dir()).filePath(QStringLiteral("passing.csv"));
    lab->ticketsPanel()->saveButton()->click();
    QCOMPARE(fileText(dialogs.path).count('\n'), 45);
    lab->ticketsPanel()->drawEdit()->setText(QStringLiteral("7"));
    lab->ticketsPanel()->betsButton()->click();
    QCOMPARE(app.scalar(QStringLiteral("SELECT count(*) FROM Rate WHERE tir = 7")).toInt(), 44);
}

void TestAnalysisWindow::placeRememberedAndTitlesWhole() {
    TestApp app;
    TForm1& form = app.start();
    form.AnalysisButtonClick(form.AnalysisButton);
    form.AnalysisForm->tabs()->setCurrentWidget(form.AnalysisForm->ballsPage()); // longest titles
    form.AnalysisForm->setGeometry(60, 70, 1, 1); // as small as it goes
    QCoreApplication::processEvents();
    const QHeaderView* header = form.AnalysisForm->ballsPage()->tableView()->horizontalHeader();
    for (int i = 0; i < header->count(); ++i)
        QVERIFY(header->sectionSize(i) >= header->sectionSizeHint(i));
    // Held at the smallest size its shown tab allows (which depends on the fonts).
    QCOMPARE(form.AnalysisForm->size(), form.AnalysisForm->minimumSize());
    const QRect closed = form.AnalysisForm->geometry();
    form.AnalysisForm.reset(); // as when the program ends with it open
    form.AnalysisButtonClick(form.AnalysisButton);
    QCOMPARE(form.AnalysisForm->geometry(), closed);
}

void TestAnalysisWindow::summaryGroupsDigits() {
    Analysis::BallTable balls;
    balls.draws = 1010000;
    const QString text = AnalysisRows::ballSummaryText(balls, true);
    QVERIFY2(text.startsWith(QStringLiteral("В базе 1\u00a0010\u00a0000 тиражей.")),
             qPrintable(text));
}

void TestAnalysisWindow::chartsReadable() {
    TestApp app; // 500 made-up draws, ball k of each from its own eight
    app.sql(QStringLiteral(
        "WITH RECURSIVE t(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM t WHERE n < 500) "
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) SELECT n, 1 + n % 8, 9 + n * 3 % 8, "
        "17 + n * 5 % 8, 25 + n * 7 % 8, 33 + n / 8 % 8, 41 + n / 64 % 8 FROM t"));
    TForm1& form = app.start();
    AnalysisWindow& w = openWithF9(form);
    w.tabs()->setCurrentWidget(w.fairnessPage());
    QVERIFY(w.saveChartButton()->isEnabled());
    const QStringList across = {QStringLiteral("Шар"), QStringLiteral("Сколько раз выпала пара"),
                                QStringLiteral("Промежуток между выпадениями шара, тиражей")};
    for (int test = 0; test < 3; ++test) { // balls, pairs, gaps
        w.fairnessPage()->tableView()->selectRow(test);
        auto* chart = static_cast<QChartView*>(w.fairnessPage()->chartView())->chart();
        QCOMPARE(chart->axes(Qt::Horizontal).first()->titleText(), across.at(test));
        QVERIFY(!chart->axes(Qt::Vertical).first()->titleText().isEmpty());
        // The classes' own labels, whole and side by side: every one, or evenly thinned.
        const QStringList labels = w.fairnessPage()->shownLabels();
        const QStringList all = w.fairnessPage()->report().tests[size_t(test)].chart.labels;
        QVERIFY2(labels.size() >= all.size() / 5, qPrintable(labels.join(QLatin1Char(' '))));
        for (int i = 2; i < labels.size(); ++i)
            QCOMPARE(all.indexOf(labels.at(i)) - all.indexOf(labels.at(i - 1)),
                     all.indexOf(labels.at(1)) - all.indexOf(labels.at(0)));
    }
    // The lab: no made-up ticks before a backtest; round ones after it.
    w.tabs()->setCurrentWidget(w.labPage());
    QVERIFY(w.saveChartButton()->isEnabled());
    const QList<QAbstractAxis*> axes = w.labPage()->netChart()->chart()->axes();
    QVERIFY(!axes.first()->isVisible() && !axes.last()->isVisible());
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES "
                           "(7, 1, 9, 17, 25, 33, 41), (7, 2, 10, 18, 26, 34, 42)"));
    w.labPage()->backtestPanel()->loadStoredBets(7);
    w.labPage()->backtestPanel()->runButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(w.labPage()->model()->rowCount(), 4, 30000);
    for (QAbstractAxis* axis : axes) {
        const auto* value = static_cast<QValueAxis*>(axis);
        const double step = (value->max() - value->min()) / (value->tickCount() - 1);
        const double digit = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        const QList<double> round = {1, 2, 5};
        QVERIFY(value->isVisible() && round.contains(std::round(digit * 1e6) / 1e6));
    }
}

QTEST_MAIN(TestAnalysisWindow)
#include "test_analysis_window.moc"
