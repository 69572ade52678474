#include "tests/gui/support/TestSupport.h"

#include "dataset/Query.h"
#include "runtime/ApplicationTitle.h"
#include "widgets/BarChart.h"
#include "widgets/StatusBar.h"

#include <QLineEdit>
#include <QTest>

class TestDrawEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addRefusals_data();
    void addRefusals();
    void addWithNonNumberStopsWithConversionError();
    void addStoresTheDraw();
    void addWithBadBallStoresNothing();
    void overwrite_data();
    void overwrite();
    void overwriteOnEmptyListAddsADraw();
    void addInDrawnOrderListStoresTheTableBalls();
    void overwriteInDrawnOrderListKeepsTheDrawnOrder();
    void deleteDraw_data();
    void deleteDraw();
    void copyByDoubleClick_data();
    void copyByDoubleClick();
    void doubleClickAnywhereOnAGridCopies_data();
    void doubleClickAnywhereOnAGridCopies();
    void searchBySixNumbers_data();
    void searchBySixNumbers();
    void pastedSqlChangesNothing_data();
    void pastedSqlChangesNothing();
};

namespace {
void setFields(TForm1& form, const QString& draw, const QStringList& balls) {
    form.Edit1->setText(draw);
    for (int i = 1; i <= 6; ++i)
        form.ES[i]->setText(balls.value(i - 1, QStringLiteral("0")));
}
} // namespace

void TestDrawEntry::addRefusals_data() {
    QTest::addColumn<QString>("drawField");
    QTest::newRow("zero") << "0";
    QTest::newRow("zero with blanks kept in the text") << " 0 ";
    QTest::newRow("stored already") << "7";
}

void TestDrawEntry::addRefusals() {
    QFETCH(QString, drawField);
    TestApp app;
    app.addDraw(7, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    setFields(form, drawField, strings({"1", "2", "3", "4", "5", "6"}));
    form.Button1->click();
    QCOMPARE(app.boxes.shown.size(), 1);
    const BoxRequest& box = app.boxes.shown.first();
    QCOMPARE(box.text, QStringLiteral("Ошибка внесения данных!\rПоле \"Тираж\" не заполнено или "
                                      "данные по тиражу ") +
                           drawField + QStringLiteral(" внесены ранее"));
    QCOMPARE(box.caption, QStringLiteral("Загрузка данных"));
    QCOMPARE(box.icon, BoxIcon::Error);
    QCOMPARE(box.owner, static_cast<QWidget*>(&form));
    QCOMPARE(app.draws(), 1);
    QCOMPARE(form.Edit1->text(), drawField);
}

void TestDrawEntry::addWithNonNumberStopsWithConversionError() {
    TestApp app;
    TForm1& form = app.start();
    setFields(form, QStringLiteral("abc"), {});
    form.Button1->click();
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("'abc' is not a valid integer value."));
    QCOMPARE(app.boxes.shown.first().caption, applicationTitle());
    QCOMPARE(app.draws(), 0);
}

void TestDrawEntry::addStoresTheDraw() {
    TestApp app;
    app.addDraw(7, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    setFields(form, QStringLiteral("8"), strings({"2", "7", "9", "12", "30", "0"}));
    form.Button1->click();
    QVERIFY(app.boxes.shown.isEmpty());
    QCOMPARE(app.scalar(QStringLiteral("SELECT s4 FROM razyg WHERE tir = 8")).toInt(), 12);
    QCOMPARE(app.scalar(QStringLiteral("SELECT s6 FROM razyg WHERE tir = 8")).toInt(), 0);
    QCOMPARE(form.Edit1->text(), QStringLiteral("0"));
    QCOMPARE(ballFields(form), QStringList(6, QStringLiteral("0")));
    QCOMPARE(form.StatusBar1->panelText(1), QStringLiteral("2"));
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 8);
    QCOMPARE(litBalls(form), (QList<int>{2, 7, 9, 12, 30}));
    QCOMPARE(form.DBChart1->values().at(11), 1.0); // ball 12 counted
    QCOMPARE(form.DBChart1->values().at(1), 2.0);  // ball 2 in both draws
}

void TestDrawEntry::addWithBadBallStoresNothing() {
    TestApp app;
    TForm1& form = app.start();
    setFields(form, QStringLiteral("8"), strings({"2", "7", "", "12", "30", "1"}));
    form.Button1->click();
    QVERIFY(app.boxes.shown.isEmpty());
    QCOMPARE(app.draws(), 0);
    QCOMPARE(form.ADOQuery1->state(), Query::State::Browse);
    QCOMPARE(form.Edit1->text(), QStringLiteral("8"));
}

void TestDrawEntry::overwrite_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("storedS1");
    QTest::newRow("yes overwrites") << int(BoxResult::Yes) << 33;
    QTest::newRow("no keeps") << int(BoxResult::No) << 1;
}

void TestDrawEntry::overwrite() {
    QFETCH(int, answer);
    QFETCH(int, storedS1);
    TestApp app;
    app.addDraw(7, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    const int chartReads = form.ADOQuery4->recordCount();
    QSignalSpy chart(form.ADOQuery4, &Query::rowsReset);
    setFields(form, QStringLiteral("7"), strings({"33", "2", "3", "4", "5", "6"}));
    app.boxes.answer(BoxResult(answer));
    form.Button3->click();
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("Внести изменения в строку?"));
    QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Нумерон"));
    QCOMPARE(app.boxes.shown.first().icon, BoxIcon::None);
    QCOMPARE(app.boxes.shown.first().buttons, BoxButtons::YesNo);
    QCOMPARE(app.scalar(QStringLiteral("SELECT s1 FROM razyg WHERE tir = 7")).toInt(), storedS1);
    QCOMPARE(chart.size(), 2); // closed and opened again with either answer
    QCOMPARE(form.ADOQuery4->recordCount(), chartReads);
    QCOMPARE(form.Edit1->text(), QStringLiteral("7"));
}

void TestDrawEntry::overwriteOnEmptyListAddsADraw() {
    TestApp app;
    TForm1& form = app.start();
    setFields(form, QStringLiteral("3"), strings({"1", "2", "3", "4", "5", "6"}));
    app.boxes.answer(BoxResult::Yes);
    form.Button3->click();
    QCOMPARE(app.draws(), 1);
    QCOMPARE(form.ADOQuery1->recordCount(), 1);
}

void TestDrawEntry::addInDrawnOrderListStoresTheTableBalls() {
    TestApp app;
    app.addDraw(7, {30, 2, 41, 9, 12, 7});
    TForm1& form = app.start();
    form.Button19->click(); // balls in drawn order
    setFields(form, QStringLiteral("8"), strings({"5", "17", "23", "31", "40", "44"}));
    form.Button1->click();
    QVERIFY(app.boxes.shown.isEmpty());
    QCOMPARE(app.scalar(QStringLiteral("SELECT s1 || ' ' || s2 || ' ' || s3 || ' ' || s4 || ' ' || "
                                       "s5 || ' ' || s6 FROM razyg WHERE tir = 8"))
                 .toString(),
             QStringLiteral("5 17 23 31 40 44"));
    QCOMPARE(app.scalar(QStringLiteral("SELECT count(*) FROM razyg WHERE tir = 8 AND "
                                       "coalesce(ss1, ss2, ss3, ss4, ss5, ss6) IS NULL"))
                 .toInt(),
             1);
    // The drawn-order list shows the new draw with empty drawn-order balls.
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 8);
    const int row = form.ADOQuery1->recNo();
    QCOMPARE(form.DBGrid1->model()->index(row, 0).data().toString(), QStringLiteral("8"));
    for (int c = 1; c <= 6; ++c)
        QCOMPARE(form.DBGrid1->model()->index(row, c).data().toString(), QString());
    QCOMPARE(litBalls(form), QList<int>());
    QCOMPARE(form.DBChart1->values().at(16), 1.0); // ball 17 counted at once

    form.Button11->click(); // standard list: the six balls are there
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 8);
    QStringList shown;
    for (int c = 1; c <= 6; ++c)
        shown.append(form.DBGrid1->model()->index(0, c).data().toString());
    QCOMPARE(shown, strings({"5", "17", "23", "31", "40", "44"}));
    QCOMPARE(litBalls(form), (QList<int>{5, 17, 23, 31, 40, 44}));

    form.Button12->click(); // frequency by ball
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")).at(43), QStringLiteral("1"));
    form.Button9->click(); // frequency by count
    const QStringList balls = column(form.ADOQuery1, QStringLiteral("'Шар'"));
    const QStringList counts = column(form.ADOQuery1, QStringLiteral("'Выпал, раз'"));
    QCOMPARE(counts.at(balls.indexOf(QStringLiteral("23"))), QStringLiteral("1"));

    setFields(form, QStringLiteral("0"), strings({"5", "17", "23", "0", "0", "0"}));
    form.Button8->click(); // bet check
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("tir")), strings({"8"}));
}

void TestDrawEntry::overwriteInDrawnOrderListKeepsTheDrawnOrder() {
    TestApp app;
    app.addDraw(7, {30, 2, 41, 9, 12, 7});
    TForm1& form = app.start();
    form.Button19->click();
    setFields(form, QStringLiteral("9"), strings({"1", "3", "5", "7", "9", "11"}));
    app.boxes.answer(BoxResult::Yes);
    form.Button3->click();
    QCOMPARE(app.scalar(QStringLiteral("SELECT s1 || ' ' || s6 || ' ' || ss1 || ' ' || ss6 "
                                       "FROM razyg WHERE tir = 9"))
                 .toString(),
             QStringLiteral("1 11 30 7"));
    // The row shows its new number and the drawn order it had.
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 9);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("s1")), 30);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("s6")), 7);
    QCOMPARE(litBalls(form), (QList<int>{2, 7, 9, 12, 30, 41}));
    QCOMPARE(form.DBChart1->values().at(10), 1.0); // ball 11 counted
    QCOMPARE(form.DBChart1->values().at(29), 0.0); // ball 30 no longer
}

void TestDrawEntry::deleteDraw_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("yes deletes") << 2 << int(BoxResult::Yes) << 1;
    QTest::newRow("no keeps") << 2 << int(BoxResult::No) << 2;
    QTest::newRow("yes on empty list") << 0 << int(BoxResult::Yes) << 0;
}

void TestDrawEntry::deleteDraw() {
    QFETCH(int, stored);
    QFETCH(int, answer);
    QFETCH(int, left);
    TestApp app;
    for (int t = 1; t <= stored; ++t)
        app.addDraw(t, {t, 10, 11, 12, 13, 14});
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (2, 5)"));
    TForm1& form = app.start();
    app.boxes.answer(BoxResult(answer));
    form.Button2->click();
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("Удалить выбранную строку из тиража?"));
    QCOMPARE(app.draws(), left);
    QCOMPARE(form.ADOQuery1->recordCount(), left);
    // The bets of a deleted draw stay.
    QCOMPARE(app.bets(), 1);
}

void TestDrawEntry::copyByDoubleClick_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QStringList>("balls");
    QTest::newRow("draw list") << "list"
                               << "9" << strings({"3", "11", "17", "25", "40", "44"});
    QTest::newRow("frequency view leaves fields") << "frequency"
                                                  << "5" << strings({"1", "1", "1", "1", "1", "1"});
    QTest::newRow("empty list gives zeros") << "empty"
                                            << "0" << QStringList(6, QStringLiteral("0"));
}

void TestDrawEntry::copyByDoubleClick() {
    QFETCH(QString, view);
    QFETCH(QString, draw);
    QFETCH(QStringList, balls);
    TestApp app;
    app.addDraw(9, {44, 3, 11, 17, 25, 40});
    TForm1& form = app.start();
    setFields(form, QStringLiteral("5"), QStringList(6, QStringLiteral("1")));
    if (view == QLatin1String("frequency"))
        form.Button9->click();
    if (view == QLatin1String("empty"))
        form.Button17->click(); // no draw with a winner of six
    QTest::mouseDClick(form.DBGrid1->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(form.Edit1->text(), draw);
    QCOMPARE(ballFields(form), balls);
}

void TestDrawEntry::doubleClickAnywhereOnAGridCopies_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QPoint>("at");      // (-1, -1): the middle of the part
    QTest::addColumn<QString>("copied"); // Edit1 for a draw, ES1 for a bet
    // Row 1 is current before the double click; a press on the cells or the
    // row indicator of row 0 makes row 0 current first.
    for (const char* grid : {"draws", "bets"}) {
        const bool draws = QByteArray(grid) == "draws";
        const QString row0 = draws ? QStringLiteral("9") : QStringLiteral("21");
        const QString row1 = draws ? QStringLiteral("8") : QStringLiteral("22");
        QTest::addRow("%s: cells", grid) << grid << "cells" << QPoint(10, 5) << row0;
        QTest::addRow("%s: below the rows", grid) << grid << "cells" << QPoint(10, 150) << row1;
        QTest::addRow("%s: title row", grid) << grid << "title row" << QPoint(10, 5) << row1;
        QTest::addRow("%s: row indicator", grid) << grid << "row indicator" << QPoint(5, 5) << row0;
        QTest::addRow("%s: corner", grid) << grid << "corner" << QPoint(-1, -1) << row1;
    }
}

void TestDrawEntry::doubleClickAnywhereOnAGridCopies() {
    QFETCH(QString, grid);
    QFETCH(QString, part);
    QFETCH(QPoint, at);
    QFETCH(QString, copied);
    TestApp app;
    app.addDraw(8, {1, 2, 3, 4, 5, 6});
    app.addDraw(9, {7, 8, 9, 10, 11, 12});
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (9, 21); "
                           "INSERT INTO Rate (tir, s1) VALUES (9, 22)"));
    TForm1& form = app.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const bool draws = grid == QLatin1String("draws");
    DbGrid* target = draws ? form.DBGrid1 : form.DBGrid2;
    (draws ? form.ADOQuery1 : form.ADOQuery3)->setRecNo(1);
    QWidget* widget = gridPart(target, part);
    QVERIFY(widget);
    QVERIFY(widget->isVisible());
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    QSignalSpy doubleClicks(target, &DbGrid::gridDoubleClicked);
    // Through the window, as the platform delivers it: press, release, press
    // and double click on whatever lies under the mouse.
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, widget->mapTo(&form, at));
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(draws ? form.Edit1->text() : form.ES[1]->text(), copied);
}

void TestDrawEntry::searchBySixNumbers_data() {
    QTest::addColumn<QStringList>("balls");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("stored order finds it")
        << strings({"3", "11", "17", "25", "40", "44"}) << true << strings({"9"});
    QTest::newRow("another order finds none")
        << strings({"11", "3", "17", "25", "40", "44"}) << true << QStringList();
    QTest::newRow("a zero finds none")
        << strings({"0", "11", "17", "25", "40", "44"}) << true << QStringList();
    QTest::newRow("emptied field closes the list")
        << strings({"3", "", "17", "25", "40", "44"}) << false << QStringList();
}

void TestDrawEntry::searchBySixNumbers() {
    QFETCH(QStringList, balls);
    QFETCH(bool, open);
    QFETCH(QStringList, found);
    TestApp app;
    app.addDraw(9, {44, 3, 11, 17, 25, 40});
    app.addDraw(8, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    setFields(form, QStringLiteral("0"), balls);
    form.Button7Click(form.Button7);
    QVERIFY(app.boxes.shown.isEmpty());
    QCOMPARE(form.ADOQuery1->isActive(), open);
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("tir")), found);
}

void TestDrawEntry::pastedSqlChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("add") << "add";
    QTest::newRow("search") << "search";
    QTest::newRow("bet check") << "check";
    QTest::newRow("add a bet") << "bet";
}

void TestDrawEntry::pastedSqlChangesNothing() {
    QFETCH(QString, command);
    TestApp app;
    app.addDraw(9, {44, 3, 11, 17, 25, 40});
    TForm1& form = app.start();
    const QString attack = QStringLiteral("1; DELETE FROM razyg; --");
    setFields(form, attack, QStringList(6, QStringLiteral("1 OR 1=1")));
    if (command == QLatin1String("add"))
        form.Button1->click();
    else if (command == QLatin1String("search"))
        form.Button7Click(form.Button7);
    else if (command == QLatin1String("check"))
        form.Button8->click();
    else
        form.Button4->click();
    QCOMPARE(app.draws(), 1);
    QCOMPARE(app.bets(), 0);
    QCOMPARE(app.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt(), 4);
}

QTEST_MAIN(TestDrawEntry)
#include "test_draw_entry.moc"
