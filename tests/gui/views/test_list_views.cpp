#include "tests/gui/support/TestSupport.h"

#include "widgets/BarChart.h"
#include "widgets/DbText.h"
#include "widgets/StatusBar.h"

#include <QLabel>
#include <QTest>

class TestListViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsAndOrder_data();
    void rowsAndOrder();
    void winnerCounts_data();
    void winnerCounts();
    void drawnOrderView();
    void listViewUndoesFrequencyView_data();
    void listViewUndoesFrequencyView();
    void titlesAcrossViews();
    void failingViewIsSilentButDrawnOrderReports();
    void chartReadAgainOnlyAfterAChange();
    void followsOtherPrograms_data();
    void followsOtherPrograms();
};

namespace {
void fillDraws(TestApp& app) {
    app.addDraw(1, {9, 1, 5, 20, 30, 40}, 0, 2);
    app.addDraw(2, {4, 2, 3, 1, 5, 6}, 1, 3);
    app.addDraw(3, {1, 2, 7, 8, 9, 10}, 0, 0);
    app.addDraw(4, {1, 2, 4, 5, 6, 7}, 2, 1);
}
} // namespace

void TestListViews::rowsAndOrder_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("draws");
    const auto list = [](std::initializer_list<int> v) {
        QStringList out;
        for (int i : v)
            out.append(QString::number(i));
        return out;
    };
    QTest::newRow("by draw, newest first") << "Button11" << list({4, 3, 2, 1});
    QTest::newRow("by combination") << "Button10" << list({2, 4, 3, 1});
    QTest::newRow("drawn order") << "Button19" << list({4, 3, 2, 1});
    QTest::newRow("winners of six") << "Button17" << list({4, 2});
    QTest::newRow("winners of five") << "Button18" << list({4, 2, 1});
}

void TestListViews::rowsAndOrder() {
    QFETCH(QString, button);
    QFETCH(QStringList, draws);
    TestApp app;
    fillDraws(app);
    TForm1& form = app.start();
    form.Button9->click(); // start from another view
    form.findChild<QPushButton*>(button)->click();
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("tir")), draws);
    QCOMPARE(form.StatusBar1->panelText(1), QString::number(draws.size()));
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestListViews::winnerCounts_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("six");
    QTest::addColumn<QString>("five");
    QTest::newRow("some winners") << QString() << "в 2 тир."
                                  << "в 3 тир.";
    QTest::newRow("no winners") << "UPDATE razyg SET ch6 = 0, ch5 = NULL"
                                << "в 0 тир."
                                << "в 0 тир.";
}

void TestListViews::winnerCounts() {
    QFETCH(QString, sql);
    QFETCH(QString, six);
    QFETCH(QString, five);
    TestApp app;
    fillDraws(app);
    if (!sql.isEmpty())
        app.sql(sql);
    TForm1& form = app.start();
    QCOMPARE(form.Label15->text(), QStringLiteral("в тир."));
    form.Button17->click();
    QCOMPARE(form.Label15->text(), six);
    QCOMPARE(form.Label16->text(), QStringLiteral("в тир.")); // only its own label
    form.Button18->click();
    QCOMPARE(form.Label16->text(), five);
    if (six == QLatin1String("в 0 тир.")) {
        form.Button17->click();
        QCOMPARE(litBalls(form), QList<int>{});
        QCOMPARE(form.StatusBar1->panelText(1), QStringLiteral("0"));
    }
}

void TestListViews::drawnOrderView() {
    TestApp app;
    app.addDraw(2, {17, 3, 45, 8, 29, 1});
    app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (1, 5, 6, 7, 8, 9, 10)"));
    TForm1& form = app.start();
    form.Button19->click();
    QCOMPARE(form.DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("17"));
    QCOMPARE(form.DBGrid1->model()->index(0, 6).data().toString(), QStringLiteral("1"));
    QCOMPARE(litBalls(form), (QList<int>{1, 3, 8, 17, 29, 45}));
    // A draw entered by hand has no drawn order: empty cells, nothing lit.
    form.ADOQuery1->moveBy(1);
    QCOMPARE(form.DBGrid1->model()->index(1, 1).data().toString(), QString());
    QCOMPARE(litBalls(form), QList<int>{});
    QVERIFY(!form.ADOQuery1->hasField(QStringLiteral("pfond")));
}

void TestListViews::listViewUndoesFrequencyView_data() {
    QTest::addColumn<QString>("button");
    for (const char* b : {"Button10", "Button11", "Button17", "Button18", "Button19"})
        QTest::newRow(b) << QString::fromLatin1(b);
}

void TestListViews::listViewUndoesFrequencyView() {
    QFETCH(QString, button);
    TestApp app;
    fillDraws(app);
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (4, 33), (2, 22)"));
    TForm1& form = app.start();
    form.Button12->click();
    QCOMPARE(form.DBText[0]->dataSource(), nullptr);
    QCOMPARE(form.ADOQuery3->dataSource(), nullptr);
    app.addDraw(5, {40, 41, 42, 43, 44, 45}, 1, 1); // stored meanwhile by another program
    form.findChild<QPushButton*>(button)->click();
    QCOMPARE(form.DBText[0]->dataSource(), form.DataSource1);
    QCOMPARE(form.DBText[0]->text(),
             QString::number(form.ADOQuery1->asInteger(QStringLiteral("tir"))));
    QCOMPARE(form.ADOQuery3->dataSource(), form.DataSource1);
    // The bets follow the current draw again, and the chart counts the new draw.
    form.ADOQuery1->first();
    const int tir = form.ADOQuery1->asInteger(QStringLiteral("tir"));
    const int expectedBets = (tir == 4 || tir == 2) ? 1 : 0;
    QCOMPARE(form.ADOQuery3->recordCount(), expectedBets);
    QCOMPARE(form.DBChart1->values().at(44), 1.0);
}

void TestListViews::titlesAcrossViews() {
    TestApp app;
    fillDraws(app);
    TForm1& form = app.start();
    const auto titles = [&] {
        return QStringList{form.DBGrid1->columnTitle(7), form.DBGrid1->columnTitle(8)};
    };
    QCOMPARE(titles(), (QStringList{QStringLiteral("'Шар'"), QStringLiteral("'Выпал, раз'")}));
    form.Button8->click();
    QCOMPARE(titles(), (QStringList{QStringLiteral("Кол-во"), QStringLiteral("Номера")}));
    form.Button17->click();
    QCOMPARE(titles(), (QStringList{QStringLiteral("Кол-во"), QStringLiteral("Номера")}));
    form.Button9->click();
    QCOMPARE(titles(), (QStringList{QStringLiteral("Кол-во"), QStringLiteral("Номера")}));
    form.Button18->click();
    QCOMPARE(titles(), (QStringList{QStringLiteral("Шар"), QStringLiteral("Выпал, раз")}));
    form.Button8->click();
    form.Button12->click();
    QCOMPARE(titles(), (QStringList{QStringLiteral("Шар"), QStringLiteral("Выпал, раз")}));
}

void TestListViews::failingViewIsSilentButDrawnOrderReports() {
    TestApp app;
    fillDraws(app);
    TForm1& form = app.start();
    app.sql(QStringLiteral("ALTER TABLE razyg RENAME TO razyg_old"));
    form.Button11->click();
    QVERIFY(app.boxes.shown.isEmpty());
    QVERIFY(!form.ADOQuery1->isActive());
    form.Button19->click();
    QCOMPARE(app.boxes.shown.size(), 1);
    QVERIFY(app.boxes.shown.first().text.contains(QLatin1String("no such table")));
}

void TestListViews::chartReadAgainOnlyAfterAChange() {
    TestApp app;
    fillDraws(app);
    TForm1& form = app.start();
    QSignalSpy chartReads(form.ADOQuery4, &Query::rowsReset);
    // Nothing written: the chart already counts the table as it stands.
    for (QPushButton* b : {form.Button11, form.Button10, form.Button17})
        b->click();
    QCOMPARE(chartReads.size(), 0);
    QCOMPARE(form.DBChart1->values().at(0), 4.0); // ball 1 is in all four draws
    // A draw stored by another program: the next list view counts it.
    app.addDraw(5, {1, 11, 12, 13, 14, 15});
    form.Button18->click();
    QCOMPARE(chartReads.size(), 2); // closed and opened
    QCOMPARE(form.DBChart1->values().at(0), 5.0);
    QCOMPARE(form.DBChart1->values().at(10), 1.0);
}

void TestListViews::followsOtherPrograms_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("draws"); // with draw 5 (1 2 3 4 5 6, one six)
    QTest::addColumn<bool>("boxOpen");      // a box stays open meanwhile
    QTest::newRow("newest first") << "Button11" << strings({"5", "4", "3", "2", "1"}) << false;
    QTest::newRow("by combination") << "Button10" << strings({"2", "5", "4", "3", "1"}) << false;
    QTest::newRow("winners of six") << "Button17" << strings({"5", "4", "2"}) << false;
    QTest::newRow("waits for the box") << "Button11" << strings({"4", "3", "2", "1"}) << true;
}

void TestListViews::followsOtherPrograms() {
    // Another program adds draw 5: within a second the chosen view shows it,
    // still on draw 2, and the chart counts it.
    QFETCH(QString, button);
    QFETCH(QStringList, draws);
    QFETCH(bool, boxOpen);
    TestApp app;
    fillDraws(app);
    TForm1& form = app.start();
    form.findChild<QPushButton*>(button)->click();
    form.ADOQuery1->setRecNo(
        int(column(form.ADOQuery1, QStringLiteral("tir")).indexOf(QStringLiteral("2"))));
    const qreal ballSix = form.DBChart1->values().at(5);
    app.boxes.onShow = [&](const BoxRequest&) {
        app.addDraw(5, {1, 2, 3, 4, 5, 6}, 1);
        QTest::qWait(2 * TForm1::kFollowMilliseconds + 200);
    };
    boxOpen ? void(form.showBox({}, {}, BoxIcon::None, BoxButtons::Ok)) : app.boxes.onShow({});
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("tir")), draws);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 2);
    QCOMPARE(form.DBChart1->values().at(5), ballSix + (boxOpen ? 0 : 1));
    QTRY_COMPARE_WITH_TIMEOUT(form.ADOQuery1->recordCount(), boxOpen ? 5 : int(draws.size()), 2000);
}

QTEST_MAIN(TestListViews)
#include "test_list_views.moc"
