// numeron-cli wheel: generated wheels pass their check, the check's exit code
// tells a full cover from a partial one, tickets become bets, bad input is a
// usage error.
#include "tests/cli/CliTestSupport.h"

#include <QFile>
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
    const CliRun added = cli.run(strings({"wheel", "add", "--tir", "12"}) + QStringList{wheel});
    QCOMPARE(added.exitCode, 0);
    QCOMPARE(cli.app.scalar(QStringLiteral("SELECT count(*) FROM Rate WHERE tir = 12")).toInt(),
             tickets);
}

void TestCliWheel::check_data() {
    QTest::addColumn<QByteArray>("tickets");
    QTest::addColumn<QString>("guarantee");
    QTest::addColumn<int>("exitCode");
    // On 1..7 each ticket leaves one ball out: three tickets hold every pair
    // (C(7,6,2) = 3), while the last two leave 1 and 7 apart.
    QTest::newRow("covered") << QByteArray("1 2 3 4 5 6\n1;2;3;4;5;7\n1,2,3,4,6,7\n")
                             << QStringLiteral("2/2") << 0;
    QTest::newRow("one pair short")
        << QByteArray("1,2,3,4,5,6\n2,3,4,5,6,7\n") << QStringLiteral("3/3") << 1;
    QTest::newRow("a ticket of five") << QByteArray("1,2,3,4,5\n") << QStringLiteral("2/2") << 2;
    QTest::newRow("a ball twice") << QByteArray("1,2,3,4,5,5\n") << QStringLiteral("2/2") << 2;
    QTest::newRow("ball 50") << QByteArray("1,2,3,4,5,50\n") << QStringLiteral("2/2") << 2;
}

void TestCliWheel::check() {
    QFETCH(QByteArray, tickets);
    QFETCH(QString, guarantee);
    QFETCH(int, exitCode);
    CliFolder cli;
    const QString file = writeFile(cli, QStringLiteral("tickets.txt"), tickets);
    const CliRun run = cli.run(strings({"wheel", "check", "--numbers", "1-7", "--guarantee"}) +
                               QStringList{guarantee, file});
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 1)
        QVERIFY2(run.outText().contains(QStringLiteral("Не покрыт: 1 2 7")), run.out.constData());
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
