#include "tests/gui/support/TestSupport.h"

#include "gui/analysis/AnalysisSettings.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/BallChart.h"
#include "gui/analysis/BallsPage.h"
#include "gui/analysis/LabNetChart.h"
#include "gui/analysis/LabPage.h"
#include "gui/analysis/LabTicketsPanel.h"
#include "gui/wheels/WheelsWindow.h"

#include "dataset/Query.h"
#include "widgets/BallPanel.h"
#include "widgets/BarChart.h"
#include "widgets/DbGrid.h"
#include "widgets/DbText.h"
#include "widgets/LinkLabel.h"
#include "widgets/StatusBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// Whether `part` shows whole in its window once the scroll areas it is in are scrolled to it.
bool reachable(QWidget* part) {
    QCoreApplication::processEvents(); // the layouts settle
    QWidget* window = part->window();
    QRect seen = window->rect();
    for (QWidget* w = part->parentWidget(); w && w != window; w = w->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            const QRect at(part->mapTo(scroll->widget(), QPoint(0, 0)), part->size());
            scroll->ensureVisible(at.center().x(), at.center().y(), at.width() / 2 + 1,
                                  at.height() / 2 + 1);
            seen &= QRect(scroll->viewport()->mapTo(window, QPoint()), scroll->viewport()->size());
        }
    return part->isVisible() && seen.contains(QRect(part->mapTo(window, QPoint()), part->size()));
}

// Where Tab goes from a grid, after an arrow moved within it.
QWidget* tabFrom(QAbstractItemView* grid) {
    if (!QTest::qWaitForWindowActive(grid->window()))
        return grid;
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    return next && !grid->isAncestorOf(next) ? next : grid;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void window();
    // On screens of 1366 x 768 and 1024 x 768 each window opens wholly on the
    // available area, what it offers can be reached, and Tab leaves every grid.
    void windowsFit_data();
    void windowsFit();
    void maximisedKeepsTheLayout();
    void controls_data();
    void controls();
    void ballPanels();
    void tabOrder();
    void gridColumns_data();
    void gridColumns();
    void drawTexts_data();
    void drawTexts();
    void drawTextsEmptyWithoutRow();
    void realCountsFitTheirBoxes();
    void drawLineReadsWhole_data();
    void drawLineReadsWhole();
    void highlight_data();
    void highlight();
    void chartFollowsTheChartQuery();
    void linkColours_data();
    void linkColours();
    void ctrlDeleteAsksFirst_data();
    void ctrlDeleteAsksFirst();
};

void TestMainWindow::window() {
    TestApp app;
    TForm1& form = app.start();
    QCOMPARE(form.windowTitle(), QStringLiteral("Нумерон 6 из 49"));
    QCOMPARE(form.size(), QSize(1210, 578));
    QCOMPARE(form.minimumSize(), QSize(1210, 578));
    const Qt::WindowFlags flags = form.windowFlags();
    for (const Qt::WindowType hint :
         {Qt::WindowStaysOnTopHint, Qt::WindowTitleHint, Qt::WindowSystemMenuHint,
          Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        QVERIFY2(flags.testFlag(hint), qPrintable(QString::number(hint, 16)));
}

void TestMainWindow::maximisedKeepsTheLayout() {
    TestApp app;
    TForm1& form = app.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QHash<QWidget*, QRect> before;
    for (QWidget* control : form.findChildren<QWidget*>())
        before.insert(control, control->geometry());
    form.showMaximized();
    QTRY_VERIFY(form.isMaximized());
    QTRY_VERIFY(form.size() != QSize(1210, 578));
    // Only the status bar follows the bottom edge.
    QCOMPARE(form.StatusBar1->geometry(), QRect(0, form.height() - 19, form.width(), 19));
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (it.key() != form.StatusBar1 && !form.StatusBar1->isAncestorOf(it.key()))
            QVERIFY2(it.key()->geometry() == it.value(), qPrintable(it.key()->objectName()));
    form.showNormal();
    QTRY_COMPARE(form.size(), QSize(1210, 578));
    QCOMPARE(form.StatusBar1->geometry(), QRect(0, 559, 1210, 19));
}

void TestMainWindow::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // width/height 0: sized to the caption
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("bold");
    const auto row = [](const char* name, QRect g, const QString& caption, bool visible = true,
                        bool bold = false) {
        QTest::newRow(name) << QString::fromLatin1(name) << g << caption << visible << bold;
    };
    row("DBChart1", {16, 9, 1185, 208}, QString());
    row("Panel1", {8, 224, 1129, 33}, QString());
    row("Label2", {8, 9, 0, 0}, QStringLiteral("ТИРАЖ: "), true, true);
    row("Label5", {96, 8, 0, 0}, QStringLiteral("/ 6 угадано: "));
    row("Label6", {172, 8, 0, 0}, QStringLiteral("- Выйгрыш:"));
    row("Label7", {314, 8, 0, 0}, QStringLiteral("/ 5 угадано:"));
    row("Label8", {391, 8, 0, 0}, QStringLiteral("- Выйгрыш:"));
    row("Label9", {513, 8, 0, 0}, QStringLiteral("/ 4 угадано:"));
    row("Label10", {588, 8, 0, 0}, QStringLiteral("- Выйгрыш:"));
    row("Label11", {700, 8, 0, 0}, QStringLiteral("/ 3 угадано:"));
    row("Label12", {785, 8, 0, 0}, QStringLiteral("- Выйгрыш:"));
    row("Label13", {879, 8, 0, 0}, QStringLiteral("/ Джек-пот: "));
    row("Label14", {1017, 8, 0, 0}, QStringLiteral("/ Дата: "));
    row("DBText1", {64, 8, 32, 17}, QString());
    row("DBText2", {157, 8, 15, 17}, QString());
    row("DBText3", {230, 8, 81, 17}, QString());
    row("DBText4", {376, 8, 15, 17}, QString());
    row("DBText5", {449, 8, 64, 17}, QString());
    row("DBText6", {574, 8, 14, 17}, QString());
    row("DBText7", {646, 8, 53, 17}, QString());
    row("DBText8", {761, 8, 24, 17}, QString());
    row("DBText9", {844, 8, 35, 17}, QString());
    row("DBText10", {941, 8, 76, 17}, QString());
    row("DBText11", {1059, 8, 62, 17}, QString());
    row("Label3", {1144, 240, 0, 0}, QStringLiteral("СТАВКИ"), true, true);
    row("DBGrid1", {8, 264, 409, 289}, QString());
    row("DBGrid2", {808, 262, 393, 187}, QString());
    row("Button10", {432, 264, 121, 41}, QStringLiteral("Сортировка по выпадению"));
    row("Button11", {432, 304, 121, 41}, QStringLiteral("Сортировка по тиражу в пор. возр."));
    row("Button19", {432, 344, 121, 41}, QStringLiteral("Сортировка по тиражу в пор. выпад."));
    row("Button12", {432, 392, 113, 25}, QStringLiteral("Статистика (шар)"));
    row("Button9", {432, 424, 113, 25}, QStringLiteral("Статистика (выпал)"));
    row("Button17", {432, 456, 57, 25}, QStringLiteral("6 угадано "));
    row("Label15", {496, 464, 0, 0}, QStringLiteral("в тир."));
    row("Button18", {432, 488, 57, 25}, QStringLiteral("5 угадано"));
    row("Label16", {496, 496, 0, 0}, QStringLiteral("в тир."));
    row("Label17", {432, 518, 0, 0}, QStringLiteral("Сайт разработчика"), true, true);
    row("PB1", {432, 536, 241, 17}, QString(), false);
    row("Label4", {568, 536, 0, 0}, QStringLiteral("     "));
    row("Panel50", {560, 264, 233, 233}, QString());
    row("Button16", {560, 504, 113, 25}, QStringLiteral("Обновить онлайн"), true, true);
    row("Button15", {680, 504, 89, 25}, QStringLiteral("Ввод кнопками"));
    row("Button13", {680, 530, 89, 25}, QStringLiteral("Очистить поля "));
    row("Button8", {772, 500, 73, 55}, QStringLiteral("Проверить ставку"));
    row("Button1", {848, 501, 121, 26}, QStringLiteral("Добавить в тираж"));
    row("Button3", {848, 530, 121, 25}, QStringLiteral("Редактировать тираж"));
    row("Button4", {976, 500, 121, 26}, QStringLiteral("Добавить в ставки"));
    row("Button6", {976, 529, 121, 25}, QStringLiteral("Редактировать ставку"));
    row("Button7", {1032, 500, 60, 25}, QStringLiteral("Поиск 6"), false);
    row("Button2", {1104, 499, 97, 25}, QStringLiteral("Удалить тираж"));
    row("Button5", {1104, 527, 97, 25}, QStringLiteral("Удалить ставку"));
    row("Label1", {809, 454, 0, 0},
        QStringLiteral("Тираж") + QString(17, QLatin1Char(' ')) + QStringLiteral("Номера шаров"));
    row("Edit1", {809, 470, 49, 21}, QStringLiteral("0"));
    for (int i = 1; i <= 6; ++i) {
        const QByteArray name = "ES" + QByteArray::number(i);
        QTest::newRow(name.constData())
            << QString::fromLatin1(name) << QRect(881 + 56 * (i - 1), 470, 41, 21)
            << QStringLiteral("0") << true << false;
    }
    row("StatusBar1", {0, 559, 1210, 19}, QString());
}

void TestMainWindow::controls() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(bool, bold);
    TestApp app;
    TForm1& form = app.start();
    form.show();
    auto* w = form.findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->pos(), geometry.topLeft());
    if (geometry.width() > 0)
        QCOMPARE(w->size(), geometry.size());
    QCOMPARE(w->isVisible(), visible);
    QCOMPARE(w->font().bold(), bold);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        QCOMPARE(b->text(), caption);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        QCOMPARE(e->text(), caption);
    else if (auto* l = qobject_cast<QLabel*>(w); l && !qobject_cast<DbText*>(w))
        QCOMPARE(l->text(), caption);
    // Tooltips only on the two sort buttons.
    const bool hinted = name == QLatin1String("Button11") || name == QLatin1String("Button19");
    QCOMPARE(!w->toolTip().isEmpty(), hinted);
}

void TestMainWindow::ballPanels() {
    TestApp app;
    TForm1& form = app.start();
    for (int n = 1; n <= 49; ++n) {
        BallPanel* p = form.findChild<BallPanel*>(QStringLiteral("P%1").arg(n));
        QVERIFY(p);
        QCOMPARE(p->parentWidget(), form.Panel50);
        QCOMPARE(p->geometry(), QRect(8 + 32 * ((n - 1) % 7), 8 + 32 * ((n - 1) / 7), 25, 25));
        QCOMPARE(p->text(), QString::number(n));
        QCOMPARE(p->color(), form.clBtnFace);
    }
    QCOMPARE(form.StatusBar1->panelText(0), QStringLiteral("Всего строк"));
    QCOMPARE(form.StatusBar1->panel(0)->width(), 75);
    QCOMPARE(form.StatusBar1->panel(1)->width(), 50);
}

void TestMainWindow::tabOrder() {
    TestApp app;
    TForm1& form = app.start();
    const QStringList expected = {
        QStringLiteral("DBGrid1"),  QStringLiteral("Button1"),  QStringLiteral("Button2"),
        QStringLiteral("Button7"),  QStringLiteral("Button9"),  QStringLiteral("Button10"),
        QStringLiteral("Button11"), QStringLiteral("Button12"), QStringLiteral("Edit1"),
        QStringLiteral("ES1"),      QStringLiteral("ES2"),      QStringLiteral("ES3"),
        QStringLiteral("ES4"),      QStringLiteral("ES5"),      QStringLiteral("ES6"),
        QStringLiteral("DBGrid2"),  QStringLiteral("Button4"),  QStringLiteral("Button5"),
        QStringLiteral("Button3"),  QStringLiteral("Button6"),  QStringLiteral("Button8"),
        QStringLiteral("Button13"), QStringLiteral("Button15"), QStringLiteral("Button16"),
        QStringLiteral("Button17"), QStringLiteral("Button18"), QStringLiteral("Button19")};
    QStringList chain;
    QWidget* w = form.DBGrid1;
    do {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != form.DBGrid1 && chain.size() < expected.size());
    QCOMPARE(chain, expected);
}

void TestMainWindow::gridColumns_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("draws") << "DBGrid1"
                           << QStringList{QStringLiteral("tir"),         QStringLiteral("s1"),
                                          QStringLiteral("s2"),          QStringLiteral("s3"),
                                          QStringLiteral("s4"),          QStringLiteral("s5"),
                                          QStringLiteral("s6"),          QStringLiteral("'Шар'"),
                                          QStringLiteral("'Выпал, раз'")}
                           << QList<int>{42, 28, 27, 29, 27, 26, 26, 53, 81};
    QTest::newRow("bets") << "DBGrid2" << QStringList{QStringLiteral("tir"), QStringLiteral("s1"),
                                                      QStringLiteral("s2"),  QStringLiteral("s3"),
                                                      QStringLiteral("s4"),  QStringLiteral("s5"),
                                                      QStringLiteral("s6")}
                          << QList<int>{-1, 34, 35, 40, 38, 43, 38};
}

void TestMainWindow::gridColumns() {
    QFETCH(QString, grid);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, widths);
    TestApp app;
    app.addDraw(5, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    auto* g = form.findChild<DbGrid*>(grid);
    QCOMPARE(g->model()->columnCount(), titles.size());
    for (int c = 0; c < titles.size(); ++c) {
        QCOMPARE(g->model()->headerData(c, Qt::Horizontal).toString(), titles.at(c));
        if (widths.at(c) > 0)
            QCOMPARE(g->columnWidth(c), widths.at(c));
    }
    QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(g->showGrid());
    QCOMPARE(g->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    if (grid == QLatin1String("DBGrid1")) {
        // The computed columns are present but empty in the ordinary list.
        QCOMPARE(g->model()->index(0, 0).data().toString(), QStringLiteral("5"));
        QCOMPARE(g->model()->index(0, 7).data().toString(), QString());
        QCOMPARE(g->model()->index(0, 8).data().toString(), QString());
        // The row indicator marks the current row.
        QVERIFY(!g->model()->headerData(0, Qt::Vertical).toString().isEmpty());
    }
}

void TestMainWindow::drawTexts_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tir") << 0 << "1002";
    QTest::newRow("ch6") << 1 << "1";
    QTest::newRow("chv6 above 32 bits") << 2 << QString::fromUtf8("3\u00a0000\u00a0000\u00a0000");
    QTest::newRow("ch5") << 3 << "3";
    QTest::newRow("chv5") << 4 << QString::fromUtf8("120\u00a0000");
    QTest::newRow("ch3") << 7 << "1000";
    QTest::newRow("chv3") << 8 << "300";
    QTest::newRow("djp zero") << 9 << "0";
    QTest::newRow("date") << 10 << "22.06.2024";
}

void TestMainWindow::drawTexts() {
    QFETCH(int, index);
    QFETCH(QString, shown);
    TestApp app;
    app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp, tirdate) "
        "VALUES (1002, 3, 1, 3, 50, 1000, 3000000000, 120000, 2000, 300, 0, '2024-06-22')"));
    TForm1& form = app.start();
    QCOMPARE(form.DBText[index]->text(), shown);
}

void TestMainWindow::drawTextsEmptyWithoutRow() {
    TestApp app;
    app.sql(QStringLiteral("INSERT INTO razyg (tir) VALUES (5)"));
    TForm1& form = app.start();
    QCOMPARE(form.DBText[0]->text(), QStringLiteral("5"));
    for (int i = 1; i < 11; ++i)
        QCOMPARE(form.DBText[i]->text(), QString()); // nulls show nothing
    app.sql(QStringLiteral("DELETE FROM razyg"));
    form.Button11Click(&form);
    for (DbText* text : form.DBText)
        QCOMPARE(text->text(), QString());
}

void TestMainWindow::realCountsFitTheirBoxes() {
    // Winner counts and a jackpot of a real draw: each text fits its box.
    TestApp app;
    app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp, tirdate) "
        "VALUES (1620, 3, 0, 13, 385, 1462, 0, 103845, 1500, 150, 2566635057, '2026-12-06')"));
    TForm1& form = app.start();
    for (DbText* text : form.DBText) // the boxes end before the next label (controls())
        QVERIFY2(QFontMetricsF(text->font()).horizontalAdvance(text->text()) * text->condensing() <=
                     text->width(),
                 qPrintable(text->objectName()));
}

void TestMainWindow::drawLineReadsWhole_data() {
    QTest::addColumn<QString>("values"); // ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp
    QTest::newRow("four digits") << "0, 13, 1234, 11669, 0, 103845, 3504, 150, 2566635057";
    QTest::newRow("three digits each") << "123, 456, 789, 999, 0, 0, 0, 0, 0";
    for (int i = 0; i < 9; ++i) {
        QStringList v = QStringLiteral("1,13,385,1462,380000000,103845,1500,150,2566635057")
                            .split(QLatin1Char(','));
        v[i] = i < 4 ? QStringLiteral("9999999") : QStringLiteral("999999999999");
        QTest::addRow("largest %d", i) << v.join(QLatin1Char(','));
    }
}

void TestMainWindow::drawLineReadsWhole() {
    QFETCH(QString, values);
    TestApp app;
    app.sql(QStringLiteral("INSERT INTO razyg (tir, ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, "
                           "djp, tirdate) VALUES (99999, %1, '2026-12-06')")
                .arg(values));
    TForm1& form = app.start();
    // Each text as drawn stands after the label before it (a blank between
    // them unless the label ends in one) and a blank before the next label.
    QList<QLabel*> line = form.Panel1->findChildren<QLabel*>();
    std::sort(line.begin(), line.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    qreal end = 0;
    for (QLabel* item : line) {
        const auto* text = qobject_cast<DbText*>(item);
        const QFontMetricsF metrics(item->font());
        QVERIFY2(item->x() + 0.5 >= end, qPrintable(item->objectName()));
        QVERIFY(!text || text->condensing() == 1.0); // nothing squeezed
        end = item->x() +
              metrics.horizontalAdvance(item->text()) * (text ? text->condensing() : 1) +
              (text || !item->text().endsWith(QLatin1Char(' '))
                   ? metrics.horizontalAdvance(QLatin1Char(' '))
                   : 0);
    }
    QVERIFY(end <= form.Panel1->contentsRect().right() + 3);
}

void TestMainWindow::highlight_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("lit");
    QTest::newRow("first draw") << 0 << QList<int>{3, 11, 17, 25, 40, 44};
    QTest::newRow("next draw keeps shared ball") << 1 << QList<int>{3, 9, 12, 30, 41, 45};
    QTest::newRow("draw without balls") << 2 << QList<int>{};
}

void TestMainWindow::highlight() {
    QFETCH(int, row);
    QFETCH(QList<int>, lit);
    TestApp app;
    app.addDraw(3, {3, 11, 17, 25, 40, 44});
    app.addDraw(2, {3, 9, 12, 30, 41, 45});
    app.sql(QStringLiteral("INSERT INTO razyg (tir) VALUES (1)"));
    TForm1& form = app.start();
    form.ADOQuery1->setRecNo(row);
    QCOMPARE(litBalls(form), lit);
    QCOMPARE(form.StatusBar1->panelText(1), QStringLiteral("3"));
    // A frequency view has no ball fields: nothing lit, 49 rows.
    form.Button12Click(&form);
    QCOMPARE(litBalls(form), QList<int>{});
    QCOMPARE(form.StatusBar1->panelText(1), QStringLiteral("49"));
}

void TestMainWindow::chartFollowsTheChartQuery() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {4, 5, 6, 7, 8, 9});
    TForm1& form = app.start();
    QCOMPARE(form.DBChart1->labels().size(), 49);
    QCOMPARE(form.DBChart1->labels().first(), QStringLiteral("1"));
    QCOMPARE(form.DBChart1->values().mid(0, 10), (QList<qreal>{1, 1, 1, 2, 2, 2, 1, 1, 1, 0}));
    QVERIFY(!form.DBChart1->chart()->legend()->isVisible());
    QCOMPARE(form.DBChart1->chart()->title(), QStringLiteral("Статистика"));
    app.addDraw(3, {2, 7, 9, 12, 30, 41});
    form.ADOQuery4->close();
    form.ADOQuery4->open();
    QCOMPARE(form.DBChart1->values().at(11), 1.0);
    QCOMPARE(form.DBChart1->values().at(1), 2.0);
}

void TestMainWindow::linkColours_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("opened");
    QTest::newRow("left click opens") << int(Qt::LeftButton) << 1;
    QTest::newRow("right click does not") << int(Qt::RightButton) << 0;
}

void TestMainWindow::linkColours() {
    QFETCH(int, button);
    QFETCH(int, opened);
    TestApp app;
    TForm1& form = app.start();
    QList<QUrl> urls;
    form.openUrl = [&](const QUrl& url) { urls.append(url); };
    QList<QColor> seen;
    connect(
        form.Label17, &LinkLabel::mouseDown, &form, [&] { seen.append(form.Label17->fontColor()); },
        Qt::QueuedConnection);
    QCOMPARE(form.Label17->fontColor(), QColor(Qt::black));
    QTest::mousePress(form.Label17, Qt::MouseButton(button));
    QCOMPARE(form.Label17->fontColor(), QColor(255, 0, 0));
    QTest::mouseRelease(form.Label17, Qt::MouseButton(button));
    QCOMPARE(form.Label17->fontColor(), QColor(0x80, 0, 0x80));
    QCOMPARE(urls.size(), opened);
}

void TestMainWindow::ctrlDeleteAsksFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("OK deletes") << int(BoxResult::Ok) << 1;
    QTest::newRow("Cancel keeps") << int(BoxResult::Cancel) << 2;
}

void TestMainWindow::ctrlDeleteAsksFirst() {
    QFETCH(int, answer);
    QFETCH(int, left);
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {4, 5, 6, 7, 8, 9});
    TForm1& form = app.start();
    app.boxes.answer(BoxResult(answer));
    QTest::keyClick(form.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("Delete record?"));
    QCOMPARE(app.boxes.shown.first().buttons, BoxButtons::OkCancel);
    QCOMPARE(app.draws(), left);
}

void TestMainWindow::windowsFit_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("window");
    for (const int screen : {0, 1})
        for (const char* window : {"main", "analysis", "remembered analysis", "wheels"})
            QTest::addRow("%d %s", screen, window) << screen << QString::fromLatin1(window);
}

void TestMainWindow::windowsFit() {
    QFETCH(int, screen);
    QFETCH(QString, window);
    QTemporaryDir settings; // the analysis window keeps its place there
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QScreen* where = QGuiApplication::screens().at(screen);
    const QRect room = where->availableGeometry();
    TestApp app;
    TForm1& form = app.start();
    form.setScreen(where);
    form.move(room.topLeft());
    form.show();
    QTRY_VERIFY(room.contains(form.frameGeometry()));
    // The layout keeps its size and places; a screen too narrow for it scrolls.
    QCOMPARE(form.DBGrid1->geometry(), QRect(8, 264, 409, 289));
    QTRY_COMPARE(form.ClientScroll->horizontalScrollBar()->isVisible(), room.width() < 1220);
    QVERIFY(reachable(form.WheelsButton) && reachable(form.Button5) && reachable(form.Label3));
    QWidget* opened = nullptr;
    QAbstractItemView* grid = nullptr;
    if (window == QLatin1String("main")) {
        // Tab leaves the grids for the next control, whose focus shows.
        QCOMPARE(tabFrom(form.DBGrid1), form.Button1);
        const QImage focused = form.Button1->grab().toImage();
        QCOMPARE(tabFrom(form.DBGrid2), form.Button4);
        QVERIFY(form.Button1->grab().toImage() != focused);
        return;
    }
    if (window == QLatin1String("wheels")) {
        form.WheelsButton->click();
        WheelsWindow& w = *form.WheelsForm;
        w.statusLabel()->setText(QStringLiteral("длинная строка ").repeated(60)); // it wraps
        w.statusLabel()->show();
        QVERIFY(reachable(w.findChild<QPushButton*>(QStringLiteral("WheelSavePdf"))));
        QVERIFY(reachable(w.statusLabel()));
        opened = &w;
        grid = w.table();
    } else {
        if (window.startsWith(QLatin1String("remembered"))) { // from a larger screen
            QWidget big;
            big.setGeometry(room.left() + 500, 600, 1500, 1100);
            AnalysisSettings::setWindowGeometry(big.saveGeometry());
        }
        form.AnalysisButton->click();
        AnalysisWindow& w = *form.AnalysisForm;
        w.tabs()->setCurrentWidget(w.labPage());
        w.labPage()->ticketsPanel()->showSample(QStringLiteral("Например: 1 2 3 4 5 6"));
        QVERIFY(reachable(w.saveChartButton()) && reachable(w.saveTableButton()));
        QVERIFY(reachable(w.labPage()->netChart()) && w.labPage()->netChart()->height() >= 240);
        w.tabs()->setCurrentIndex(1);
        QVERIFY(reachable(w.ballsPage()->chart()));
        opened = &w;
        grid = w.ballsPage()->tableView();
    }
    // A remembered place is on the screen it was kept on.
    QVERIFY(opened->screen()->availableGeometry().contains(opened->frameGeometry()));
    QVERIFY(tabFrom(grid) != grid);
    QTest::keyClick(opened, Qt::Key_Escape); // Esc closes the window
    QVERIFY(!opened->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
