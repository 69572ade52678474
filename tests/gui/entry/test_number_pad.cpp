#include "tests/gui/support/TestSupport.h"

#include "dataset/Query.h"
#include "widgets/BallPanel.h"

#include <QLineEdit>
#include <QTest>

class TestNumberPad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicks_data();
    void clicks();
    void startClearsPadButNotFields();
    void clicksOverTheHighlight();
};

void TestNumberPad::clicks_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("count");
    QTest::newRow("three balls") << QList<int>{17, 3, 44} << numbers({0, 0, 0, 3, 17, 44}) << 3;
    QTest::newRow("a seventh is ignored")
        << QList<int>{1, 2, 3, 4, 5, 6, 7} << numbers({1, 2, 3, 4, 5, 6}) << 6;
    QTest::newRow("unlight one of six")
        << QList<int>{9, 8, 7, 6, 5, 4, 6} << numbers({0, 4, 5, 7, 8, 9}) << 5;
    QTest::newRow("unlight all") << QList<int>{10, 20, 20, 10} << numbers({0, 0, 0, 0, 0, 0}) << 0;
}

void TestNumberPad::clicks() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, fields);
    QFETCH(int, count);
    TestApp app;
    TForm1& form = app.start();
    form.Button15->click();
    for (int ball : clicks)
        QTest::mouseClick(form.P[ball], Qt::LeftButton);
    QCOMPARE(ballFields(form), fields);
    QCOMPARE(form.PadCount, count);
    QCOMPARE(litBalls(form).size(), count);
}

void TestNumberPad::startClearsPadButNotFields() {
    TestApp app;
    TForm1& form = app.start();
    form.PClick(5);
    form.PClick(9);
    form.Button15->click();
    QCOMPARE(litBalls(form), QList<int>{});
    QCOMPARE(form.PadCount, 0);
    QCOMPARE(ballFields(form), numbers({0, 0, 0, 0, 5, 9}));
}

void TestNumberPad::clicksOverTheHighlight() {
    TestApp app;
    app.addDraw(1, {3, 11, 17, 25, 40, 44});
    TForm1& form = app.start();
    QCOMPARE(form.PadCount, 0);
    form.PClick(2); // a seventh red panel
    QCOMPARE(ballFields(form), numbers({2, 3, 11, 17, 25, 40}));
    form.PClick(44); // lit by the highlight: unlit, count drops
    QCOMPARE(form.PadCount, 0);
    form.PClick(40);
    QCOMPARE(form.PadCount, -1);
    QCOMPARE(ballFields(form), numbers({0, 2, 3, 11, 17, 25}));
    for (int ball : {30, 31, 32, 33, 34, 35, 36})
        form.PClick(ball);
    QCOMPARE(litBalls(form).size(), 12);
    QCOMPARE(form.PadCount, 6);
    QCOMPARE(ballFields(form), numbers({2, 3, 11, 17, 25, 30}));
}

QTEST_MAIN(TestNumberPad)
#include "test_number_pad.moc"
