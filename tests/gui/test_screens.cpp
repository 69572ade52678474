// The windows on real screens: each opens wholly on the available area of a
// 1366 x 768 and a 1024 x 768 screen, and what it offers can be reached, by
// the mouse and by the keyboard.
#include "tests/gui/support/TestSupport.h"

#include "gui/analysis/AnalysisSettings.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/BallChart.h"
#include "gui/analysis/BallsPage.h"
#include "gui/analysis/LabNetChart.h"
#include "gui/analysis/LabPage.h"
#include "gui/analysis/LabTicketsPanel.h"
#include "gui/wheels/WheelsWindow.h"
#include "widgets/StatusBar.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

// Whether `part` shows whole within its window, once the scroll areas it is
// in are scrolled to it.
bool reachable(QWidget* part) {
    QCoreApplication::processEvents(); // the layouts settle
    QWidget* window = part->window();
    QRect seen = window->rect();
    for (QWidget* w = part->parentWidget(); w && w != window; w = w->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            const QRect at(part->mapTo(scroll->widget(), QPoint(0, 0)), part->size());
            scroll->ensureVisible(at.center().x(), at.center().y(), at.width() / 2 + 1,
                                  at.height() / 2 + 1);
            seen &=
                QRect(scroll->viewport()->mapTo(window, QPoint(0, 0)), scroll->viewport()->size());
        }
    return part->isVisible() &&
           seen.contains(QRect(part->mapTo(window, QPoint(0, 0)), part->size()));
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowsFit_data();
    void windowsFit();
    void keyboard_data();
    void keyboard();

private:
    QTemporaryDir m_config;
};

void TestScreens::initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(QGuiApplication::screens().at(1)->size(), QSize(1024, 768));
}

void TestScreens::windowsFit_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("window");
    for (const int screen : {0, 1})
        for (const char* window : {"main", "analysis", "remembered analysis", "wheels"})
            QTest::addRow("%s %s", screen == 0 ? "1366x768" : "1024x768", window)
                << screen << QString::fromLatin1(window);
}

void TestScreens::windowsFit() {
    QFETCH(int, screen);
    QFETCH(QString, window);
    QScreen* where = QGuiApplication::screens().at(screen);
    const QRect room = where->availableGeometry();
    AnalysisSettings::setWindowGeometry({});
    TestApp app;
    TForm1& form = app.start();
    form.setScreen(where);
    form.move(room.topLeft());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY2(room.contains(form.frameGeometry()), qPrintable(window));
    QVERIFY(reachable(form.WheelsButton));
    // The layout keeps its size and places; a screen too narrow for it scrolls.
    QCOMPARE(form.DBGrid1->geometry(), QRect(8, 264, 409, 289));
    QCOMPARE(form.ClientArea->size(), QSize(1210, 559));
    QCOMPARE(form.ClientScroll->horizontalScrollBar()->isVisible(), room.width() < 1220);
    QVERIFY(!form.ClientScroll->verticalScrollBar()->isVisible());
    QVERIFY(reachable(form.Button5) && reachable(form.Label3));
    if (window == QLatin1String("main"))
        return;
    QWidget* opened = nullptr;
    if (window == QLatin1String("wheels")) {
        form.WheelsButton->click();
        WheelsWindow& w = *form.WheelsForm;
        // A check line long enough to wrap does not push the window off the screen.
        w.statusLabel()->setText(
            QString(400, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("ab ")));
        w.statusLabel()->show();
        QVERIFY(reachable(w.findChild<QPushButton*>(QStringLiteral("WheelSavePdf"))));
        QVERIFY(reachable(w.statusLabel()));
        opened = &w;
    } else {
        if (window.startsWith(QLatin1String("remembered"))) {
            // Kept from a larger screen, lower down: brought back onto this one.
            QWidget big;
            big.setScreen(where);
            big.setGeometry(room.left() + 500, 600, 1500, 1100);
            AnalysisSettings::setWindowGeometry(big.saveGeometry());
        }
        form.AnalysisButton->click();
        AnalysisWindow& w = *form.AnalysisForm;
        LabPage* lab = w.labPage();
        w.tabs()->setCurrentWidget(lab);
        lab->ticketsPanel()->showSample(QStringLiteral("Например: 1 2 3 4 5 6"));
        QVERIFY(reachable(w.saveChartButton()) && reachable(w.saveTableButton()));
        QVERIFY(reachable(lab->netChart()));
        QVERIFY2(lab->netChart()->height() >= 240,
                 qPrintable(QString::number(lab->netChart()->height())));
        w.tabs()->setCurrentIndex(1);
        QVERIFY(reachable(w.ballsPage()->chart()));
        opened = &w;
    }
    QTRY_VERIFY(opened->isVisible());
    const auto placed = [&] {
        QRect f = opened->frameGeometry();
        return QStringLiteral("%1,%2 %3x%4").arg(f.x()).arg(f.y()).arg(f.width()).arg(f.height());
    };
    // A remembered place is on the screen it was kept on.
    const QRect home = window.startsWith(QLatin1String("remembered"))
                           ? opened->screen()->availableGeometry()
                           : room;
    QVERIFY2(home.contains(opened->frameGeometry()), qPrintable(placed()));
}

void TestScreens::keyboard_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("next"); // what Tab goes to, where the order is fixed
    QTest::newRow("draws") << "DBGrid1"
                           << "Button1";
    QTest::newRow("bets") << "DBGrid2"
                          << "Button4";
    QTest::newRow("wheel tickets") << "WheelTickets" << QString();
    QTest::newRow("analysis balls") << "BallsPage" << QString();
}

void TestScreens::keyboard() {
    QFETCH(QString, grid);
    QFETCH(QString, next);
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget* window = &form;
    QAbstractItemView* view = form.findChild<DbGrid*>(grid);
    if (grid == QLatin1String("WheelTickets")) {
        QTest::keyClick(&form, Qt::Key_F10);
        window = form.WheelsForm.get();
        view = form.WheelsForm->table();
    } else if (grid == QLatin1String("BallsPage")) {
        QTest::keyClick(&form, Qt::Key_F9);
        window = form.AnalysisForm.get();
        form.AnalysisForm->tabs()->setCurrentIndex(1);
        view = form.AnalysisForm->ballsPage()->tableView();
    }
    QVERIFY(QTest::qWaitForWindowActive(window));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down); // the arrows move within the grid
    QTest::keyClick(view, Qt::Key_Tab);  // Tab leaves it
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused && focused != view && !view->isAncestorOf(focused));
    if (!next.isEmpty()) {
        QCOMPARE(focused->objectName(), next);
        // The focused button shows it: a frame drawn inside its edge.
        const QImage withFocus = focused->grab().toImage();
        view->setFocus();
        const QImage without = focused->grab().toImage();
        int changed = 0;
        for (int y = 0; y < without.height(); ++y)
            for (int x = 0; x < without.width(); ++x)
                changed += withFocus.pixel(x, y) != without.pixel(x, y);
        QVERIFY2(changed > 100, qPrintable(QString::number(changed)));
        return;
    }
    // Esc closes the window.
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
