// The command line itself: usage errors, help, version, and how the database
// is found (razyg.ini beside the executable, or --db).
#include "tests/cli/CliTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestCliUsage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void badUsage_data();
    void badUsage();
    void help_data();
    void help();
    void version();
    void database_data();
    void database();
};

void TestCliUsage::badUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "не указана команда";
    QTest::newRow("unknown command") << strings({"frobnicate"}) << "«frobnicate»";
    QTest::newRow("unknown option") << strings({"stats", "--bogus"}) << "параметр «--bogus»";
    QTest::newRow("unknown short option") << strings({"-q", "stats"}) << "параметр «-q»";
    QTest::newRow("option without its value") << strings({"--db"}) << "--db";
    QTest::newRow("import without files") << strings({"import"}) << "не указаны файлы";
    QTest::newRow("export without table") << strings({"export"}) << "draws или bets";
    QTest::newRow("export of an unknown table") << strings({"export", "wins"}) << "«wins»";
    QTest::newRow("export in an unknown format")
        << strings({"export", "draws", "--format", "xml"}) << "«xml»";
    QTest::newRow("export with two files")
        << strings({"export", "draws", "a.csv", "b.csv"}) << "«b.csv»";
    QTest::newRow("stats --last 0") << strings({"stats", "--last", "0"}) << "«0»";
    QTest::newRow("stats --last in words") << strings({"stats", "--last", "ten"}) << "«ten»";
    QTest::newRow("stats in an unknown format")
        << strings({"stats", "--format", "html"}) << "«html»";
    QTest::newRow("stats with an argument") << strings({"stats", "49"}) << "«49»";
    QTest::newRow("update with an argument") << strings({"update", "now"}) << "«now»";
    QTest::newRow("help on an unknown command") << strings({"help", "bogus"}) << "«bogus»";
}

void TestCliUsage::badUsage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    CliFolder folder;
    folder.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    const CliRun run = folder.run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.errText().contains(message), qPrintable(run.errText()));
    QVERIFY(run.errText().contains(QStringLiteral("numeron-cli help")));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(folder.app.draws(), 1);
}

void TestCliUsage::help_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("usage");
    QTest::newRow("--help") << strings({"--help"}) << "numeron-cli [параметры] КОМАНДА";
    QTest::newRow("help") << strings({"help"}) << "numeron-cli [параметры] КОМАНДА";
    QTest::newRow("help import") << strings({"help", "import"}) << "numeron-cli import";
    QTest::newRow("import --help") << strings({"import", "--help"}) << "numeron-cli import";
    QTest::newRow("--help export") << strings({"--help", "export"}) << "numeron-cli export";
    QTest::newRow("stats -h") << strings({"stats", "-h"}) << "numeron-cli stats";
}

void TestCliUsage::help() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, usage);
    CliFolder folder;
    folder.removeIni(); // help needs no configuration
    const CliRun run = folder.run(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QVERIFY2(run.outText().contains(usage), qPrintable(run.outText()));
    QVERIFY(run.outText().contains(QStringLiteral("--db")));
}

void TestCliUsage::version() {
    CliFolder folder;
    const CliRun run = folder.run({QStringLiteral("--version")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.outText().startsWith(QStringLiteral("numeron-cli ")));
}

void TestCliUsage::database_data() {
    // What the folder holds: "ini:" razyg.ini with the text after the colon,
    // "db" razyg.mdb (one draw), "other" other.db (two draws), "empty" an empty
    // empty.db, "sub" a folder to run in. A run that succeeds shows by the
    // count of ball 1 which database it read, and names it on standard error.
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // count of ball 1, or the message
    const QString noIni = QStringLiteral("Не найден файл конфигурации!");
    const QString noDb = QStringLiteral("не найден; укажите его в razyg.ini");
    const QString foreign = QStringLiteral("не является базой данных программы");
    QTest::newRow("default database") << strings({"ini:", "db"}) << QStringList{} << 0 << "1";
    QTest::newRow("configured database")
        << strings({"ini:[config]\nFileNameDB=other.db", "db", "other"}) << QStringList{} << 0
        << "2";
    QTest::newRow("configured relative database, run from another folder")
        << strings({"ini:[CONFIG]\nfilenamedb=other.db", "db", "other", "sub"}) << QStringList{}
        << 0 << "2";
    QTest::newRow("configured file missing: the default, with a warning")
        << strings({"ini:[CONFIG]\nfilenamedb=missing.db", "db"}) << QStringList{} << 0 << "1";
    QTest::newRow("no razyg.ini") << strings({"db"}) << QStringList{} << 1 << noIni;
    QTest::newRow("no razyg.ini, --db before the command")
        << strings({"other"}) << strings({"--db", "other.db", "stats"}) << 0 << "2";
    QTest::newRow("--db after the command")
        << strings({"ini:", "db", "other"}) << strings({"stats", "--db=other.db"}) << 0 << "2";
    QTest::newRow("no database") << strings({"ini:"}) << QStringList{} << 1 << noDb;
    QTest::newRow("--db names a missing file")
        << strings({"ini:", "db"}) << strings({"stats", "--db", "missing.db"}) << 1 << noDb;
    QTest::newRow("--db names a file that is no database")
        << strings({"ini:[CONFIG]", "db"}) << strings({"stats", "--db", "razyg.ini"}) << 1
        << foreign;
    QTest::newRow("--db names an empty file")
        << strings({"empty"}) << strings({"stats", "--db", "empty.db"}) << 1 << foreign;
}

void TestCliUsage::database() {
    QFETCH(QStringList, folder);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    CliFolder cli;
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.removeIni();
    const QString other = cli.path(QStringLiteral("other.db"));
    for (const QString& item : folder) {
        if (item.startsWith(QLatin1String("ini:")))
            cli.writeIni(item.mid(4).toUtf8());
        if (item == QLatin1String("other")) {
            QVERIFY(QFile::copy(cli.app.dbPath(), other));
            execSql(other, QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) "
                                          "VALUES (2, 1, 7, 8, 9, 10, 11)"));
        }
    }
    QFile empty(cli.path(QStringLiteral("empty.db")));
    QVERIFY(!folder.contains(QStringLiteral("empty")) || empty.open(QIODevice::WriteOnly));
    if (!folder.contains(QStringLiteral("db")))
        QVERIFY(QFile::remove(cli.app.dbPath()));
    const QString sub =
        folder.contains(QStringLiteral("sub")) ? cli.path(QStringLiteral("sub")) : QString();
    QVERIFY(sub.isEmpty() || QDir().mkpath(sub));
    if (arguments.isEmpty())
        arguments.append(QStringLiteral("stats"));
    const CliRun run = cli.run(arguments + strings({"--format", "csv"}), 60000, sub);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QFileInfo(empty).size(), 0); // a file refused stays as it was
    if (exitCode == 0) {
        QCOMPARE(statsCounts(run.out).value(0), expected.toLongLong());
        const bool warned = folder.first().contains(QStringLiteral("missing.db"));
        QCOMPARE(run.errText().contains(QStringLiteral("внимание: файл базы «missing.db»")),
                 warned);
        QVERIFY2(run.errText().endsWith(cli.databaseLine(expected == QLatin1String("2")
                                                             ? QStringLiteral("other.db")
                                                             : QStringLiteral("razyg.mdb"))),
                 qPrintable(run.errText()));
    } else {
        QVERIFY2(run.errText().contains(expected), qPrintable(run.errText()));
        QVERIFY(run.out.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCliUsage)
#include "test_cli_usage.moc"
