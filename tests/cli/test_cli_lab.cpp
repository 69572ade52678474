// numeron-cli filter and backtest from the real executable: counts against
// closed forms, a backtest against a history computed by hand, and the
// command lines that must be refused.
#include "tests/cli/CliTestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

class TestCliLab : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refused_data();
    void refused();
    void filterOutput_data();
    void filterOutput();
    void backtestJson();
};

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Draw 1 (1..6) paid 100, 1000, 50000 and 1000000 for 3 to 6 matches; draw 2
// (7..12) stores no prizes. The first ticket has three matches in both draws,
// the second four in draw 1 and none in draw 2.
void storeTinyHistory(const CliFolder& cli) {
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.app.addDraw(2, {7, 8, 9, 10, 11, 12});
    cli.app.sql(QStringLiteral(
        "UPDATE razyg SET chv3 = 100, chv4 = 1000, chv5 = 50000, chv6 = 1000000 WHERE tir = 1"));
    writeFile(cli.path(QStringLiteral("tickets.txt")), "1 2 3 10 11 12\n1,2,3,4,20,21\n");
}

} // namespace

void TestCliLab::refused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withHistory");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("neither count nor list") << strings({"filter", "--sum", "21-30"}) << false << 2;
    QTest::newRow("count and list") << strings({"filter", "--count", "--list"}) << false << 2;
    QTest::newRow("sum backwards")
        << strings({"filter", "--sum", "180-120", "--count"}) << false << 2;
    QTest::newRow("include 50") << strings({"filter", "--include", "1,50", "--count"}) << false
                                << 2;
    QTest::newRow("hot malformed")
        << strings({"filter", "--hot", "5:x:1", "--count"}) << false << 2;
    QTest::newRow("limit without list")
        << strings({"filter", "--count", "--limit", "3"}) << false << 2;
    QTest::newRow("history condition, no draws")
        << strings({"filter", "--not-drawn", "--count"}) << false << 1;
    QTest::newRow("no tickets file") << strings({"backtest"}) << true << 2;
    QTest::newRow("draws backwards")
        << strings({"backtest", "tickets.txt", "--from", "9", "--to", "3"}) << true << 2;
    QTest::newRow("filter without walk-forward")
        << strings({"backtest", "tickets.txt", "--odd", "1-3"}) << true << 2;
    QTest::newRow("malformed ticket line") << strings({"backtest", "bad.txt"}) << true << 1;
    QTest::newRow("no draws") << strings({"backtest", "tickets.txt"}) << false << 1;
}

void TestCliLab::refused() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, withHistory);
    QFETCH(int, exitCode);
    CliFolder cli;
    writeFile(cli.path(QStringLiteral("tickets.txt")), "1 2 3 4 5 6\n");
    writeFile(cli.path(QStringLiteral("bad.txt")), "1 2 3 4 5 6\n1 2 3 4 5 60\n");
    if (withHistory)
        storeTinyHistory(cli);
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

void TestCliLab::filterOutput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // the whole output, line by line
    QTest::newRow("no two consecutive: C(44,6)")
        << strings({"--max-run", "1", "--count"})
        << strings({"count,total,share", "7059052,13983816,0.5048015505924849"});
    QTest::newRow("1 included, 2 excluded: C(47,5)")
        << strings({"--include", "1", "--exclude", "2", "--count"})
        << strings({"count,total,share", "1533939,13983816,0.1096938775510204"});
    QTest::newRow("the one ticket of sum 21")
        << strings({"--sum", "21", "--list"})
        << strings({"ticket,b1,b2,b3,b4,b5,b6", "1,1,2,3,4,5,6"});
    QTest::newRow("first two of five fixed numbers")
        << strings({"--include", "1 2 3 4 5", "--exclude", "6", "--list", "--limit", "2"})
        << strings({"ticket,b1,b2,b3,b4,b5,b6", "1,1,2,3,4,5,7", "2,1,2,3,4,5,8"});
    QTest::newRow("drawn combination left out")
        << strings({"--include", "1,2,3,4,5", "--not-drawn", "--count"})
        << strings({"count,total,share", "43,13983816,3.074983252067962e-06"});
    QTest::newRow("json") << strings({"--sum", "21", "--list", "--format", "json"})
                          << strings({"[",
                                      "  {\"ticket\": 1, \"b1\": 1, \"b2\": 2, \"b3\": 3, "
                                      "\"b4\": 4, \"b5\": 5, \"b6\": 6}",
                                      "]"});
}

void TestCliLab::filterOutput() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    CliFolder cli;
    storeTinyHistory(cli);
    const CliRun run = cli.run(QStringList{QStringLiteral("filter")} + arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.outText().split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts),
             expected);
}

void TestCliLab::backtestJson() {
    CliFolder cli;
    storeTinyHistory(cli);
    const CliRun run =
        cli.run(strings({"backtest", "tickets.txt", "--price", "50", "--format", "json"}));
    QCOMPARE(run.exitCode, 0);
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    const auto number = [](const QJsonObject& object, const char* key) {
        return object[QLatin1String(key)].toDouble();
    };
    QCOMPARE(number(result, "draws"), 2);
    QCOMPARE(number(result, "draws_without_prizes"), 1);
    QCOMPARE(number(result, "tickets"), 2);
    QCOMPARE(number(result, "cost"), 200); // two tickets on two draws at 50
    QCOMPARE(number(result, "total_prize"), 1100);
    QCOMPARE(number(result, "net"), 900);
    // C(6,k)·C(43,6-k) of the 13,983,816 combinations; prizes of draw 1 only.
    const double ways[] = {20 * 12341, 15 * 903, 6 * 43, 1};
    const double amount[] = {100, 1000, 50000, 1000000};
    const double hits[] = {2, 1, 0, 0}, prize[] = {100, 1000, 0, 0};
    double expectedTotal = 0;
    for (int k = 0; k < 4; ++k) {
        const QJsonObject category =
            result[QLatin1String("categories")][QString::number(k + 3)].toObject();
        const double p = ways[k] / 13983816.0;
        QCOMPARE(number(category, "hits"), hits[k]);
        QCOMPARE(number(category, "prize"), prize[k]);
        QCOMPARE(number(category, "expected_hits"), 4 * p);
        QCOMPARE(number(category, "expected_prize"), 2 * p * amount[k]);
        expectedTotal += 2 * p * amount[k];
    }
    QCOMPARE(number(result, "expected_total_prize"), expectedTotal);
    QVERIFY(number(result, "p_value") > 0 && number(result, "p_value") <= 1);
    QVERIFY(!result[QLatin1String("p_value_method")].toString().isEmpty());
}

QTEST_MAIN(TestCliLab)
#include "test_cli_lab.moc"
