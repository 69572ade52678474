// numeron-cli filter and backtest from the real executable: counts against
// closed forms, a backtest against a history computed by hand, and the
// command lines that must be refused.
#include "tests/cli/CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <unistd.h>

class TestCliLab : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refused_data();
    void refused();
    void filterOutput_data();
    void filterOutput();
    void backtestJson();
    void edges_data();
    void edges();
    void replacedFileKeepsItsMode();
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

void TestCliLab::edges_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("fragments"); // in standard output, or error when failing
    const QString json = QStringLiteral("--format=json");
    QTest::newRow("newest draw malformed: skipped, counted")
        << strings({"filter", "--shared-with-last-max", "0", "--count"}) + QStringList{json} << 0
        << strings({"\"count\": 6096454,", "\"malformed_draws\": 1"}); // C(43,6), not C(44,6)
    QTest::newRow("backtest skips it too")
        << strings({"backtest", "tickets.txt"}) + QStringList{json} << 0
        << strings({"\"malformed_draws\": 1,", "\"tickets_played\": 4,"});
    QTest::newRow("range of a malformed draw")
        << strings({"backtest", "tickets.txt", "--from", "3"}) << 1
        << strings({"нет ни одного правильного тиража"});
    QTest::newRow("no prizes, no p-value")
        << strings({"backtest", "tickets.txt", "--from", "2", "--to", "2"}) + QStringList{json} << 0
        << strings({"\"p_value\": null,"});
    QTest::newRow("first draw: no history rules nothing out")
        << strings({"backtest", "tickets.txt", "--walk-forward", "--hot", "5:10:1", "--to", "1"}) +
               QStringList{json}
        << 0 << strings({"\"tickets_played\": 2,"});
    QTest::newRow("columns apart, hits grouped")
        << strings({"backtest", "many.txt", "--to", "2"}) << 0
        << QStringList{QStringLiteral("2\u00a0000 |"), QStringLiteral("100\u00a0000 |")};
    QTest::newRow("CSV with CRLF") << strings({"filter", "--sum", "21", "--list"}) << 0
                                   << strings({"ticket,b1,b2,b3,b4,b5,b6\r\n1,1,2,3,4,5,6\r\n"});
    QTest::newRow("quoted CSV read") << strings({"backtest", "quoted.csv"}) + QStringList{json} << 0
                                     << strings({"\"tickets\": 1,"});
    QTest::newRow("JSON list read") << strings({"backtest", "list.json"}) + QStringList{json} << 0
                                    << strings({"\"tickets\": 1,"});
    QTest::newRow("wheel check reads it")
        << strings({"wheel", "check", "--numbers", "1-7", "--guarantee", "2/3", "list.json"}) << 0
        << strings({"35 из 35"});
    QTest::newRow("span") << strings({"filter", "--sum", "abc", "--count"}) << 2
                          << strings({"«abc» — ожидался диапазон"});
    QTest::newRow("list") << strings({"filter", "--include", "x", "--count"}) << 2
                          << strings({"ожидался список"});
    QTest::newRow("count range") << strings({"filter", "--shared-with-last-max", "-1", "--count"})
                                 << 2 << strings({"ожидалось целое число от 0 до 6"});
    QTest::newRow("price limit") << strings({"backtest", "tickets.txt", "--price", "1000000000001"})
                                 << 2
                                 << QStringList{QStringLiteral(
                                        "от 0 до 1\u00a0000\u00a0000\u00a0000\u00a0000")};
    QTest::newRow("words") << strings({"backtest", "words.txt"}) << 1
                           << strings({"Строка 1: «hello» — не число"});
    QTest::newRow("folder as database")
        << strings({"--db", "folder", "filter", "--not-drawn", "--count"}) << 1
        << strings({"это папка"});
    QTest::newRow("write error") << strings({"filter", "--sum", "21", "--list", "/dev/full"}) << 1
                                 << strings({"не удалось записать «/dev/full» ("});
}

void TestCliLab::edges() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, fragments);
    CliFolder cli;
    storeTinyHistory(cli);
    cli.app.addDraw(3, {7, 7, 8, 9, 10, 11}); // a hand-entry fault: ball 7 twice
    cli.app.sql(QStringLiteral("UPDATE razyg SET chv3 = 100 WHERE tir = 3"));
    writeFile(cli.path(QStringLiteral("many.txt")), QByteArray("1 2 3 10 11 12\n").repeated(1000));
    writeFile(cli.path(QStringLiteral("words.txt")), "hello world\n");
    writeFile(cli.path(QStringLiteral("quoted.csv")),
              "\"ticket\",\"b1\",\"b2\",\"b3\",\"b4\",\"b5\",\"b6\"\r\n\"A, B\",1,2,3,4,5,6\r\n");
    writeFile(cli.path(QStringLiteral("list.json")),
              "[\n  {\"ticket\": 1, \"b1\": 1, \"b2\": 2, \"b3\": 3, \"b4\": 4, \"b5\": 5, "
              "\"b6\": 6}\n]\n");
    QVERIFY(QDir(cli.app.dir()).mkdir(QStringLiteral("folder")));
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QString text = exitCode == 0 ? run.outText() : run.errText();
    for (const QString& fragment : fragments)
        QVERIFY2(text.contains(fragment), qPrintable(text));
    // Lines of ours alone, no warning of the libraries.
    for (const QString& line : run.errText().split(u'\n', Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(u"numeron-cli: ") || line.startsWith(u"Справка: "),
                 qPrintable(line));
}

// A read-only file is replaced only by the superuser, and stays read-only.
void TestCliLab::replacedFileKeepsItsMode() {
    CliFolder cli;
    const QString file = cli.path(QStringLiteral("out.csv"));
    writeFile(file, "old\n");
    const auto mode = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(file, mode));
    const bool root = ::geteuid() == 0;
    const CliRun run = cli.run(QStringList{QStringLiteral("filter"), QStringLiteral("--sum"),
                                           QStringLiteral("21"), QStringLiteral("--list"), file});
    QCOMPARE(run.exitCode, root ? 0 : 1);
    QFile read(file);
    QVERIFY(read.open(QIODevice::ReadOnly));
    QCOMPARE(read.readAll().startsWith("ticket"), root);
    QCOMPARE(QFile::permissions(file) & QFile::Permissions(0x7077), mode); // owner, group, others
}

QTEST_MAIN(TestCliLab)
#include "test_cli_lab.moc"
