// numeron-cli filter and backtest on games other than 6 из 49: a two-drum
// backtest against the figures computed by hand in test_lab_games, filter
// --game without a database, and the command lines refused.
#include "tests/cli/CliTestSupport.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCliLabGames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data() {
        QTest::addColumn<QStringList>("arguments"); // "DB" stands for the 3/10+1/4 database
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // in standard output, or error when failing
        QTest::newRow("two drums by hand")
            << QStringList{u"--db"_s, u"DB"_s, u"backtest"_s, u"t.csv"_s, u"--format=json"_s} << 0
            << u"\"2+1\": {\"hits\": 1, \"prize\": 50, \"expected_hits\": 0.2624"_s;
        QTest::newRow("its total") << QStringList{u"--db"_s, u"DB"_s, u"backtest"_s, u"t.csv"_s}
                                   << 0 << u"Ожидалось при случайной игре: 52,25"_s;
        QTest::newRow("5/40 no two consecutive, no database")
            << QStringList{u"filter"_s,    u"--game"_s, u"5/40"_s,
                           u"--max-run"_s, u"1"_s,      u"--count"_s}
            << 0 << u"376992,658008,"_s;
        QTest::newRow("never drawn, the database's game")
            << QStringList{u"--db"_s,   u"DB"_s,      u"filter"_s, u"--not-drawn"_s,
                           u"--list"_s, u"--limit"_s, u"1"_s}
            << 0 << u"ticket,b1,b2,b3\r\n1,1,2,4\r\n"_s;
        QTest::newRow("history without a database")
            << QStringList{u"filter"_s, u"--game"_s, u"5/36"_s, u"--not-drawn"_s, u"--count"_s} << 2
            << u"укажите её через --db"_s;
        QTest::newRow("history of another game")
            << QStringList{u"--db"_s, u"DB"_s,          u"filter"_s, u"--game"_s,
                           u"5/36"_s, u"--not-drawn"_s, u"--count"_s}
            << 2 << u"база хранит тиражи игры «3 из 10 + 1 из 4»"_s;
        QTest::newRow("a number beyond N") << QStringList{u"filter"_s,    u"--game"_s, u"5/36"_s,
                                                          u"--include"_s, u"37"_s,     u"--count"_s}
                                           << 2 << u"ожидался список чисел от 1 до 36"_s;
        QTest::newRow("tickets of six")
            << QStringList{u"--db"_s, u"DB"_s, u"backtest"_s, u"six.txt"_s} << 1
            << u"Строка 1: нужно четыре числа"_s;
    }
    void commands() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        QCOMPARE(cli.run({u"--db"_s, db, u"create"_s, u"--game"_s, u"3/10+1/4"_s}).exitCode, 0);
        const auto write = [&](const QString& name, const QByteArray& text) {
            QFile file(cli.path(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        };
        write(u"h.csv"_s, "date,b1,b2,b3,x1,prize3+1,prize3,prize2+1,prize2\n"
                          "2024-01-01,1,2,3,1,1000,500,50,10\n2024-01-08,4,5,6,2,1000,500,50,10\n");
        write(u"t.csv"_s, "ticket,b1,b2,b3,x1\n1,1,2,3,1\n2,1,2,4,2\n3,5,6,7,2\n");
        write(u"six.txt"_s, "1 2 3 4 5 6\n");
        QCOMPARE(cli.run({u"--db"_s, db, u"import"_s, u"h.csv"_s}).exitCode, 0);
        arguments.replaceInStrings(u"DB"_s, db);
        const CliRun run = cli.run(arguments);
        QCOMPARE(run.exitCode, exitCode);
        const QString text = exitCode == 0 ? run.outText() : run.errText();
        QVERIFY2(text.contains(said), qPrintable(text));
    }
};

QTEST_MAIN(TestCliLabGames)
#include "test_cli_lab_games.moc"
