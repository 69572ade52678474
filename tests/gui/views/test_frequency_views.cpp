#include "tests/gui/support/TestSupport.h"

#include "widgets/BarChart.h"

#include <QLineEdit>
#include <QTest>

class TestFrequencyViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void byBall();
    void byCount();
    void emptyTable();
    void countsIgnoreOddBalls();
    void chartUntouchedByFrequencyViews();
};

void TestFrequencyViews::byBall() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {4, 5, 6, 7, 8, 9});
    TForm1& form = app.start();
    form.Button12->click();
    QCOMPARE(form.ADOQuery1->fieldNames(),
             (QStringList{QStringLiteral("'Шар'"), QStringLiteral("'Выпал, раз'")}));
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Шар'")), numberRange(1, 49));
    QStringList counts = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                          QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2"),
                          QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
    counts += QStringList(40, QStringLiteral("0"));
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")), counts);
    // Only the last two grid columns show values.
    QCOMPARE(form.DBGrid1->model()->index(0, 0).data().toString(), QString());
    QCOMPARE(form.DBGrid1->model()->index(3, 7).data().toString(), QStringLiteral("4"));
    QCOMPARE(form.DBGrid1->model()->index(3, 8).data().toString(), QStringLiteral("2"));
    // A frequency table takes no new draw.
    QVERIFY(form.ADOQuery1->isReadOnly());
    form.Edit1->setText(QStringLiteral("3"));
    form.Button1->click();
    QCOMPARE(app.draws(), 2);
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestFrequencyViews::byCount() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    app.addDraw(2, {4, 5, 6, 7, 8, 9});
    TForm1& form = app.start();
    form.Button9->click();
    QCOMPARE(form.ADOQuery1->fieldNames(),
             (QStringList{QStringLiteral("'Выпал, раз'"), QStringLiteral("'Шар'")}));
    QStringList balls = numberRange(10, 49); // count 0, ordered as text
    balls += QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                         QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                         QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")};
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Шар'")), balls);
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")).last(), QStringLiteral("2"));
}

void TestFrequencyViews::emptyTable() {
    TestApp app;
    TForm1& form = app.start();
    form.Button12->click();
    QCOMPARE(form.ADOQuery1->recordCount(), 49);
    QCOMPARE(column(form.ADOQuery1, QStringLiteral("'Выпал, раз'")),
             QStringList(49, QStringLiteral("0")));
    QCOMPARE(form.DBChart1->values(), QList<qreal>(49, 0.0));
}

void TestFrequencyViews::countsIgnoreOddBalls() {
    TestApp app;
    // A ball written twice counts once; 0, null and 50 count for no ball; a row
    // without a draw number is not counted.
    app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (1, 5, 5, 0, NULL, 50, 7);"
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (NULL, 5, 6, 7, 8, 9, 10);"
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (2, 2, 7, 9, 12, 30, 41)"));
    TForm1& form = app.start();
    form.Button12->click();
    const QStringList counts = column(form.ADOQuery1, QStringLiteral("'Выпал, раз'"));
    QCOMPARE(counts.at(4), QStringLiteral("1"));  // ball 5
    QCOMPARE(counts.at(6), QStringLiteral("2"));  // ball 7
    QCOMPARE(counts.at(5), QStringLiteral("0"));  // ball 6 only in the row without a number
    QCOMPARE(counts.at(11), QStringLiteral("1")); // ball 12
    int total = 0;
    for (const QString& c : counts)
        total += c.toInt();
    QCOMPARE(total, 8);
}

void TestFrequencyViews::chartUntouchedByFrequencyViews() {
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    QSignalSpy chart(form.ADOQuery4, &Query::rowsReset);
    app.addDraw(2, {1, 2, 3, 4, 5, 6});
    form.Button12->click();
    form.Button9->click();
    QCOMPARE(chart.size(), 0);
    QCOMPARE(form.DBChart1->values().first(), 1.0);
}

QTEST_MAIN(TestFrequencyViews)
#include "test_frequency_views.moc"
