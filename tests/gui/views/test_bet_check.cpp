#include "tests/gui/support/TestSupport.h"

#include "widgets/DbText.h"
#include "widgets/StatusBar.h"

#include <QLineEdit>
#include <QTest>

class TestBetCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void columnsAndOrder();
    void emptyFieldRaisesClearError();
    void afterFrequencyView();
};

namespace {
void setBet(TForm1& form, const QStringList& bet) {
    for (int i = 1; i <= 6; ++i)
        form.ES[i]->setText(bet.at(i - 1));
}
} // namespace

void TestBetCheck::matches_data() {
    QTest::addColumn<QStringList>("bet");
    QTest::addColumn<int>("sixthBall"); // of the draw 5 9 12 30 40 _
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<bool>("hinted"); // fewer than three numbers: the status bar says so
    const QStringList bet = strings({"5", "12", "23", "31", "40", "47"});
    QTest::newRow("three matched") << bet << 41 << strings({"3"}) << strings({"5 12 40"}) << false;
    QTest::newRow("entry order does not matter") << strings({"47", "5", "12", "0", "0", "0"}) << 47
                                                 << strings({"3"}) << strings({"5 12 47"}) << false;
    QTest::newRow("all zeros") << strings({"0", "0", "0", "0", "0", "0"}) << 41 << QStringList()
                               << QStringList() << true;
    QTest::newRow("one number six times")
        << strings({"5", "5", "5", "5", "5", "5"}) << 41 << QStringList() << QStringList() << true;
    QTest::newRow("repeated numbers") << strings({"5", "5", "12", "12", "40", "0"}) << 41
                                      << strings({"3"}) << strings({"5 12 40"}) << false;
    QTest::newRow("above 49 matches nothing") << strings({"5", "12", "99", "50", "0", "0"}) << 41
                                              << QStringList() << QStringList() << true;
}

void TestBetCheck::matches() {
    QFETCH(QStringList, bet);
    QFETCH(int, sixthBall);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, numbers);
    QFETCH(bool, hinted);
    TestApp app;
    app.addDraw(1, {5, 9, 12, 30, 40, sixthBall});
    app.addDraw(2, {5, 12, 1, 2, 3, 4}); // only two shared
    TForm1& form = app.start();
    setBet(form, bet);
    form.Button8->click();
    QVERIFY(app.boxes.shown.isEmpty());
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Шар'")), counts);
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")), numbers);
    QCOMPARE(form.StatusBar1->panelText(1), QString::number(counts.size()));
    QCOMPARE(form.StatusBar1->message().contains(QStringLiteral("«Номера шаров»")), hinted);
    form.Button11->click(); // the next view takes the hint away
    QCOMPARE(form.StatusBar1->message(), QString());
}

void TestBetCheck::columnsAndOrder() {
    TestApp app;
    app.addDraw(1, {5, 12, 23, 31, 40, 47});
    app.addDraw(2, {5, 9, 12, 30, 40, 41});
    app.addDraw(3, {5, 12, 23, 1, 2, 3});
    app.addDraw(4, {5, 12, 23, 31, 1, 2});
    app.addDraw(5, {5, 12, 23, 31, 1, 3});
    TForm1& form = app.start();
    setBet(form, strings({"5", "12", "23", "31", "40", "47"}));
    form.Button8->click();
    QStringList expected =
        strings({"s1",      "s2",   "s3",   "s4",   "s5",   "s6",  "ch3",   "ch4", "ch5",
                 "ch6",     "chv3", "chv4", "chv5", "chv6", "tir", "pfond", "djp", "id",
                 "tirdate", "ss1",  "ss2",  "ss3",  "ss4",  "ss5", "ss6"});
    expected << QStringLiteral("'Шар'") << QStringLiteral("'Выпал, раз'");
    QCOMPARE(form.ADOQuery1->fieldNames(), expected);
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("tir")), strings({"1", "5", "4", "3", "2"}));
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")).first(),
             QStringLiteral("5 12 23 31 40 47"));
    QCOMPARE(form.DBGrid1->columnTitle(7), QStringLiteral("Кол-во"));
    QCOMPARE(form.DBGrid1->model()->index(0, 7).data().toString(), QStringLiteral("6"));
    // The highlight shows all six balls of the current draw.
    form.ADOQuery1->setRecNo(4);
    QCOMPARE(litBalls(form), (QList<int>{5, 9, 12, 30, 40, 41}));
}

void TestBetCheck::emptyFieldRaisesClearError() {
    TestApp app;
    app.addDraw(1, {5, 12, 23, 31, 40, 47});
    TForm1& form = app.start();
    setBet(form, strings({"5", "", "23", "31", "40", "47"}));
    form.Button8->click();
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("'' is not a valid integer value."));
    QCOMPARE(form.DBGrid1->columnTitle(7), QStringLiteral("Кол-во"));
    QVERIFY(!form.ADOQuery1->isActive());
    QCOMPARE(form.DBGrid1->model()->rowCount(), 0);
}

void TestBetCheck::afterFrequencyView() {
    TestApp app;
    app.addDraw(1, {5, 12, 23, 31, 40, 47});
    app.addDraw(2, {1, 2, 3, 4, 6, 7});
    TForm1& form = app.start();
    form.Button9->click();
    setBet(form, strings({"5", "12", "23", "0", "0", "0"}));
    form.Button8->click();
    QCOMPARE(form.DBText[0]->text(), QStringLiteral("1"));
    QCOMPARE(form.ADOQuery3->dataSource(), nullptr);
}

QTEST_MAIN(TestBetCheck)
#include "test_bet_check.moc"
