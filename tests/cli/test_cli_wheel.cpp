// numeron-cli wheel: generated wheels pass their check, the check's exit code
// tells a full cover (0) from a partial one (1), a bad command line or ticket
// file (2) and a file it cannot read or write (3); its JSON; tickets become
// bets once unless forced; the same --moves and --seed give the same wheel.
#include "tests/cli/CliTestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestCliWheel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generateThenCheckAndAdd();
    void check_data();
    void check();
    void usage_data();
    void usage();
};

namespace {

QString writeFile(const CliFolder& cli, const QString& name, const QByteArray& text) {
    const QString path = cli.path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

void TestCliWheel::generateThenCheckAndAdd() {
    CliFolder cli;
    const QString wheel = cli.path(QStringLiteral("wheel.csv"));
    const CliRun made = cli.run(strings({"wheel", "generate", "--numbers", "1-10", "--guarantee",
                                         "3/3", "--seconds", "1", "--seed", "7"}) +
                                QStringList{wheel});
    QCOMPARE(made.exitCode, 0);
    QVERIFY2(made.errText().contains(QStringLiteral("гарантия проверена")), made.err.constData());
    QFile file(wheel);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.first().trimmed(), QByteArray("ticket,b1,b2,b3,b4,b5,b6"));
    const int tickets = int(lines.size()) - 2; // the header and the empty end
    QCOMPARE(tickets, 10);                     // C(10,6,3) = 10, proven optimal, the shipped wheel

    const CliRun checked =
        cli.run(strings({"wheel", "check", "--numbers", "1-10", "--guarantee", "3/3"}) +
                QStringList{wheel});
    QCOMPARE(checked.exitCode, 0);
    const QStringList add = strings({"wheel", "add", "--tir", "12"}) + QStringList{wheel};
    const CliRun added = cli.run(add);
    QCOMPARE(added.exitCode, 0);
    QVERIFY(added.outText().contains(QStringLiteral("Добавлено ставок: 10")));
    QVERIFY(added.errText().contains(QStringLiteral("ещё нет тиражей")));
    const QString count = QStringLiteral("SELECT count(*) FROM Rate WHERE tir = 12");
    QCOMPARE(cli.app.scalar(count).toInt(), tickets);
    // The same tickets again: nothing stored unless forced.
    const CliRun again = cli.run(add);
    QCOMPARE(again.exitCode, 1);
    QVERIFY(again.errText().contains(QStringLiteral("уже записаны 10 из 10")));
    QCOMPARE(cli.app.scalar(count).toInt(), tickets);
    QCOMPARE(cli.run(add + QStringList{QStringLiteral("--force")}).exitCode, 0);
    QCOMPARE(cli.app.scalar(count).toInt(), 2 * tickets);

    // A move budget instead of time: the same seed gives the same wheel.
    const QStringList byMoves = strings({"wheel", "generate", "--numbers", "1-16", "--guarantee",
                                         "3/3", "--moves", "20000", "--seed", "5"});
    const CliRun first = cli.run(byMoves);
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(cli.run(byMoves).out, first.out);
}

void TestCliWheel::check_data() {
    QTest::addColumn<QByteArray>("tickets");
    QTest::addColumn<QStringList>("arguments"); // FILE stands for the tickets' file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("shown"); // on standard output or error
    const QStringList pairs = strings({"wheel", "check", "--numbers", "1-7", "--guarantee", "2/2"});
    const QStringList triples =
        strings({"wheel", "check", "--numbers", "1-7", "--guarantee", "3/3"});
    const QStringList json = strings({"--format", "json", "FILE"});
    // On 1..7 each ticket leaves one ball out: three tickets hold every pair
    // (C(7,6,2) = 3), while the last two leave 1 and 7 apart.
    const QByteArray three("1 2 3 4 5 6\n1;2;3;4;5;7\n1,2,3,4,6,7\n");
    const QByteArray two("1,2,3,4,5,6\n2,3,4,5,6,7\n");
    QTest::newRow("covered") << three << pairs + strings({"FILE"}) << 0
                             << QStringLiteral("гарантия проверена");
    QTest::newRow("one pair short")
        << two << triples + strings({"FILE"}) << 1 << QStringLiteral("Не покрыт: 1 2 7");
    QTest::newRow("keys: the condition said")
        << two << pairs + strings({"--keys", "2", "FILE"}) << 0
        << QStringLiteral("гарантия проверена при условии, что выпали все ключевые числа");
    QTest::newRow("json, holds")
        << three << pairs + json << 0
        << QStringLiteral("{\"numbers\": [1, 2, 3, 4, 5, 6, 7], \"guarantee\": {\"t\": 2, "
                          "\"m\": 2}, \"keys\": [], \"tickets\": 3, \"sets\": 21, "
                          "\"covered\": 21, \"uncovered_examples\": [], \"holds\": true}");
    QTest::newRow("json, fails")
        << two << triples + json << 1
        << QStringLiteral("\"sets\": 35, \"covered\": 30, \"uncovered_examples\": [[1, 2, 7], "
                          "[1, 3, 7]");
    QTest::newRow("a ticket of five")
        << QByteArray("1,2,3,4,5\n") << pairs + strings({"FILE"}) << 2 << QString();
    QTest::newRow("a ball twice") << QByteArray("1,2,3,4,5,5\n") << pairs + strings({"FILE"}) << 2
                                  << QString();
    QTest::newRow("ball 50") << QByteArray("1,2,3,4,5,50\n") << pairs + strings({"FILE"}) << 2
                             << QString();
    // 5 из 36 without a database: on 1..6 each ticket of five leaves one ball out, so three
    // tickets hold every pair and two leave 1 and 6 apart.
    const QStringList fives = strings(
        {"wheel", "check", "--game", "5/36", "--numbers", "1-6", "--guarantee", "2/2", "FILE"});
    QTest::newRow("5/36 covered") << QByteArray("ticket,b1,b2,b3,b4,b5\n1,1,2,3,4,5\n2,2,3,4,5,6\n"
                                                "3,1,3,4,5,6\n")
                                  << fives << 0 << QStringLiteral("Покрыто наборов: 15 из 15");
    QTest::newRow("5/36 one pair short")
        << QByteArray("1 2 3 4 5\n2 3 4 5 6\n") << fives << 1 << QStringLiteral("Не покрыт: 1 6");
    QTest::newRow("5/36 a ticket of six")
        << QByteArray("1 2 3 4 5 6\n") << fives << 2 << QStringLiteral("нужно пять чисел");
    QTest::newRow("5/36 ball 37") << QByteArray("1 2 3 4 37\n") << fives << 2
                                  << QStringLiteral("не число от 1 до 36");
    QTest::newRow("no such file") << QByteArray() << pairs + strings({"missing.csv"}) << 3
                                  << QStringLiteral("missing.csv");
    QTest::newRow("output folder missing")
        << QByteArray()
        << strings({"wheel", "generate", "--numbers", "1-9", "--guarantee", "2/2", "--seconds", "1",
                    "no-such-folder/wheel.csv"})
        << 3 << QStringLiteral("no-such-folder");
}

void TestCliWheel::check() {
    QFETCH(QByteArray, tickets);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, shown);
    CliFolder cli;
    const QString file = writeFile(cli, QStringLiteral("tickets.txt"), tickets);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^FILE$")), file);
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QString output = run.outText() + run.errText();
    QVERIFY2(output.contains(shown), qPrintable(output));
}

void TestCliWheel::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    const QStringList generate = strings({"wheel", "generate", "--seconds", "1"});
    QTest::newRow("no action") << strings({"wheel"});
    QTest::newRow("six numbers") << generate + strings({"--numbers", "1-6", "--guarantee", "2/2"});
    QTest::newRow("ball 50") << generate + strings({"--numbers", "44-50", "--guarantee", "2/2"});
    QTest::newRow("a number twice")
        << generate + strings({"--numbers", "1-7,7", "--guarantee", "2/2"});
    QTest::newRow("T above M") << generate + strings({"--numbers", "1-9", "--guarantee", "4/3"});
    QTest::newRow("key not chosen")
        << generate + strings({"--numbers", "1-9", "--guarantee", "3/3", "--keys", "12"});
    QTest::newRow("add without draw") << strings({"wheel", "add", "tickets.csv"});
}

void TestCliWheel::usage() {
    QFETCH(QStringList, arguments);
    CliFolder cli;
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

QTEST_MAIN(TestCliWheel)
#include "test_cli_wheel.moc"
