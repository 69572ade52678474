// numeron-cli stats: the ball frequencies against hand-counted numbers and
// against the window's own frequency query.
#include "tests/cli/CliTestSupport.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "views/BallHits.h"
#include "views/ViewQueries.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestCliStats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handCounted_data();
    void handCounted();
    void formats();
    void sameAsTheWindow();
};

namespace {

// Counts of balls 1 to 49 from "ball:count" pairs; the other balls are 0.
QList<qint64> counts(const char* pairs) {
    QList<qint64> all(49, 0);
    for (const QString& pair : QString::fromLatin1(pairs).split(QLatin1Char(' '))) {
        const QStringList parts = pair.split(QLatin1Char(':'));
        all[parts.at(0).toInt() - 1] = parts.at(1).toLongLong();
    }
    return all;
}

// Draws 1: 1 2 3 4 5 6; 2: 4 5 6 7 8 9; 3: 9 10 11 12 13 49.
const QList<qint64> kAllThree =
    counts("1:1 2:1 3:1 4:2 5:2 6:2 7:1 8:1 9:2 10:1 11:1 12:1 13:1 49:1");

} // namespace

void TestCliStats::handCounted_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<qint64>>("expected");
    QTest::newRow("all draws") << QStringList{} << kAllThree;
    QTest::newRow("newest one") << strings({"--last", "1"})
                                << counts("9:1 10:1 11:1 12:1 13:1 49:1");
    QTest::newRow("newest two") << strings({"--last=2"})
                                << counts("4:1 5:1 6:1 7:1 8:1 9:2 10:1 11:1 12:1 13:1 49:1");
    QTest::newRow("more than stored") << strings({"--last", "1000"}) << kAllThree;
}

void TestCliStats::handCounted() {
    QFETCH(QStringList, arguments);
    QFETCH(QList<qint64>, expected);
    CliFolder cli;
    // Stored out of order: "newest" goes by draw number, not by insertion.
    cli.app.addDraw(3, {49, 9, 10, 11, 12, 13});
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.app.addDraw(2, {4, 5, 6, 7, 8, 9});
    const CliRun run = cli.run(
        QStringList{QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("csv")} +
        arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("ball,hits\r\n1,"));
    QCOMPARE(statsCounts(run.out), expected);
}

void TestCliStats::formats() {
    CliFolder cli;
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.app.addDraw(2, {4, 5, 6, 7, 8, 9});
    const CliRun table = cli.run({QStringLiteral("stats")});
    QCOMPARE(table.exitCode, 0);
    const QStringList lines = table.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 50);
    QCOMPARE(lines.at(0), QStringLiteral("Шар  Выпал, раз"));
    QCOMPARE(lines.at(1), QStringLiteral("  1           1"));
    QCOMPARE(lines.at(4), QStringLiteral("  4           2"));
    QCOMPARE(lines.at(49), QStringLiteral(" 49           0"));

    const CliRun json =
        cli.run({QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("json")});
    const QJsonArray balls = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(balls.size(), 49);
    QCOMPARE(balls.at(5).toObject().value(QStringLiteral("ball")).toInt(), 6);
    QCOMPARE(balls.at(5).toObject().value(QStringLiteral("hits")).toInt(), 2);
}

void TestCliStats::sameAsTheWindow() {
    // Rows the window's views treat specially: a ball written twice, balls
    // out of range, a row without a draw number, empty balls of a hand entry.
    CliFolder cli;
    cli.app.sql(QStringLiteral(
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES (1, 5, 5, 0, 50, 7, 49),"
        "(NULL, 1, 2, 3, 4, 5, 6), (3, 11, 12, NULL, NULL, NULL, NULL), (4, 1.0, 2.5, 3, 3, 3, "
        "'8')"));
    Connection connection(QStringLiteral("reference"));
    connection.open(cli.app.dbPath());
    registerBallHits(connection.handle());
    Statement window(connection.handle(), ViewQueries::frequencyByBall());
    QList<qint64> expected;
    while (window.step())
        expected.append(window.value(1).toLongLong());
    const CliRun run =
        cli.run({QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("csv")});
    QCOMPARE(statsCounts(run.out), expected);
}

QTEST_GUILESS_MAIN(TestCliStats)
#include "test_cli_stats.moc"
