#include "tests/gui/support/TestSupport.h"

#include "dataset/Query.h"

#include <QLineEdit>
#include <QTest>

class TestBetEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addBet_data();
    void addBet();
    void newBetShowsAfterTheDrawChanges();
    void overwriteAndDelete_data();
    void overwriteAndDelete();
    void overwriteOnEmptyBetsAddsOne();
    void betsSurviveTheirDraw();
    void copyBetByDoubleClick();
};

namespace {
void fill(TForm1& form, const QString& draw, int first) {
    form.Edit1->setText(draw);
    for (int i = 1; i <= 6; ++i)
        form.ES[i]->setText(QString::number(first + i - 1));
}
} // namespace

void TestBetEntry::addBet_data() {
    QTest::addColumn<QString>("draw");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("box");
    QTest::newRow("for draw 0") << "0" << 1 << QString();
    QTest::newRow("for a missing draw") << "77" << 1 << QString();
    QTest::newRow("empty draw field") << "" << 0 << QStringLiteral("Ошибка внесения данных!");
    QTest::newRow("blank draw field") << "  " << 0 << QStringLiteral("Ошибка внесения данных!");
    QTest::newRow("not a number: silent") << "x" << 0 << QString();
}

void TestBetEntry::addBet() {
    QFETCH(QString, draw);
    QFETCH(int, stored);
    QFETCH(QString, box);
    TestApp app;
    TForm1& form = app.start();
    fill(form, draw, 5);
    form.Button4->click();
    QCOMPARE(app.bets(), stored);
    QCOMPARE(app.boxes.shown.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty()) {
        QCOMPARE(app.boxes.shown.first().text, box);
        QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Загрузка данных"));
    }
    if (stored) {
        QCOMPARE(form.Edit1->text(), QStringLiteral("0"));
        QCOMPARE(app.scalar(QStringLiteral("SELECT s6 FROM Rate")).toInt(), 10);
    } else {
        QCOMPARE(form.Edit1->text(), draw);
    }
}

void TestBetEntry::newBetShowsAfterTheDrawChanges() {
    TestApp app;
    app.addDraw(2, {1, 2, 3, 4, 5, 6});
    app.addDraw(1, {7, 8, 9, 10, 11, 12});
    TForm1& form = app.start();
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 2);
    fill(form, QStringLiteral("2"), 20);
    form.Button4->click();
    QVERIFY(form.ADOQuery3->isEmpty());
    form.ADOQuery1->moveBy(1);
    form.ADOQuery1->moveBy(-1);
    QCOMPARE(column(form.ADOQuery3, QStringLiteral("s1")), QStringList{QStringLiteral("20")});
}

void TestBetEntry::overwriteAndDelete_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("s1");
    QTest::newRow("overwrite yes") << "overwrite" << int(BoxResult::Yes) << 2 << 30;
    QTest::newRow("overwrite no") << "overwrite" << int(BoxResult::No) << 2 << 1;
    QTest::newRow("delete yes") << "delete" << int(BoxResult::Yes) << 1 << 0;
    QTest::newRow("delete no") << "delete" << int(BoxResult::No) << 2 << 1;
}

void TestBetEntry::overwriteAndDelete() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(int, count);
    QFETCH(int, s1);
    TestApp app;
    app.addDraw(4, {1, 2, 3, 4, 5, 6});
    // Two identical bets for one draw are both kept.
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES "
                           "(4, 1, 2, 3, 4, 5, 6), (4, 1, 2, 3, 4, 5, 6)"));
    TForm1& form = app.start();
    QCOMPARE(form.ADOQuery3->recordCount(), 2);
    fill(form, QStringLiteral("4"), 30);
    app.boxes.answer(BoxResult(answer));
    if (command == QLatin1String("overwrite")) {
        form.Button6->click();
        QCOMPARE(app.boxes.shown.first().text, QStringLiteral("Внести изменения в строку?"));
    } else {
        form.Button5->click();
        QCOMPARE(app.boxes.shown.first().text,
                 QStringLiteral("Удалить выранную строку из ставок?"));
    }
    QCOMPARE(app.bets(), count);
    if (s1)
        QCOMPARE(app.scalar(QStringLiteral("SELECT max(s1) FROM Rate")).toInt(), s1);
}

void TestBetEntry::overwriteOnEmptyBetsAddsOne() {
    TestApp app;
    app.addDraw(4, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    fill(form, QStringLiteral("4"), 9);
    app.boxes.answer(BoxResult::Yes);
    form.Button6->click();
    QCOMPARE(app.bets(), 1);
}

void TestBetEntry::betsSurviveTheirDraw() {
    TestApp app;
    app.addDraw(4, {1, 2, 3, 4, 5, 6});
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (4, 11)"));
    TForm1& form = app.start();
    app.boxes.answer(BoxResult::Yes);
    form.Button2->click(); // delete the draw
    QCOMPARE(app.bets(), 1);
    fill(form, QStringLiteral("4"), 1);
    form.Button1->click(); // add it again
    QCOMPARE(column(form.ADOQuery3, QStringLiteral("s1")), QStringList{QStringLiteral("11")});
}

void TestBetEntry::copyBetByDoubleClick() {
    TestApp app;
    app.addDraw(4, {1, 2, 3, 4, 5, 6});
    app.sql(QStringLiteral(
        "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (4, 5, 12, 23, 31, 40, 47)"));
    TForm1& form = app.start();
    QTest::mouseDClick(form.DBGrid2->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(form.Edit1->text(), QStringLiteral("4"));
    QCOMPARE(ballFields(form),
             (QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("23"),
                          QStringLiteral("31"), QStringLiteral("40"), QStringLiteral("47")}));
}

QTEST_MAIN(TestBetEntry)
#include "test_bet_entry.moc"
