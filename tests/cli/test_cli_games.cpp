// Databases of any game through numeron-cli: create, CSV imports with their
// numbering and stops, the update from a CSV address, the commands that
// refuse other games yet, and numeron_setup --game.
#include "tests/cli/CliTestSupport.h"
#include "tests/support/SimpleXlsx.h"
#include "tests/support/TinyHttpServer.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Every stored draw, "tir date sorted/drawn" in number order.
const QString kStored = u"SELECT group_concat(tir || ' ' || tirdate || ' ' || s1 || s2 || s3 || s4 "
                        u"|| s5 || '/' || ss1 || ss2 || ss3 || ss4 || ss5, '; ') FROM "
                        u"(SELECT * FROM razyg ORDER BY tir)"_s;

} // namespace

class TestCliGames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void create_data() {
        QTest::addColumn<QStringList>("arguments"); // after --db game.db
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // a fragment of the output
        QTest::newRow("5/36") << QStringList{u"create"_s, u"--game"_s, u"5/36"_s} << 0
                              << u"игра «5 из 36», категории 5,4,3"_s;
        QTest::newRow("named, categories")
            << QStringList{u"create"_s, u"--game"_s,       u"5/45+1/20"_s, u"--name"_s,
                           u"Лото"_s,   u"--categories"_s, u"5+1,5"_s}
            << 0 << u"игра «Лото» (5 из 45 + 1 из 20), категории 5+1,5"_s;
        QTest::newRow("over a file") << QStringList{u"create"_s, u"--game"_s, u"5/36"_s, u"again"_s}
                                     << 1 << u"уже есть: create не перезаписывает"_s;
        QTest::newRow("bad game") << QStringList{u"create"_s, u"--game"_s, u"5/91"_s} << 2
                                  << u"шаров в основном барабане"_s;
        QTest::newRow("bad categories")
            << QStringList{u"create"_s, u"--game"_s, u"5/36"_s, u"--categories"_s, u"4+1"_s} << 2
            << u"нет второго барабана"_s;
    }
    void create() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        if (arguments.removeAll(u"again"_s))
            writeFile(db, "not mine");
        const CliRun run = cli.run(QStringList{u"--db"_s, db} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString(run.outText() + run.errText()).contains(said), qPrintable(run.errText()));
        if (exitCode == 2)
            QVERIFY(!QFile::exists(db));
        if (exitCode == 1) {
            QFile file(db);
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "not mine");
        }
        QCOMPARE(cli.run({u"create"_s}).exitCode, 2); // no --db: no file to make
    }

    void csvImport_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // counts on standard output, or the error's fragment
        QTest::addColumn<QString>("stored");
        // Stored before each import: draw 7 of 10.01.2024, balls 1-5.
        const QByteArray head = "date;b1;b2;b3;b4;b5\n";
        QTest::newRow("numbered after the newest, one stored")
            << u"5/36"_s
            << head + "12.01.2024;9;8;7;6;5\n11.01.2024;5;6;7;8;9\n11.01.2024;1;2;3;4;36\n"
                      "10.01.2024;1;2;3;4;5\n"
            << 0 << u"прочитано строк: 4, добавлено тиражей: 3, уже были в базе: 1"_s
            << u"7 2024-01-10 12345/12345; 8 2024-01-11 123436/123436; 9 2024-01-11 56789/56789; "
               u"10 2024-01-12 56789/98765"_s;
        QTest::newRow("older than the newest stored")
            << u"5/36"_s << head + "11.01.2024;5;6;7;8;9\n09.01.2024;5;6;7;8;9\n"
            << 1
            << u"строка 3, столбец 1, ячейка «09.01.2024»: тираж от 09.01.2024 старше последнего"_s
            << u"7 2024-01-10 12345/12345"_s;
        QTest::newRow("a bad row keeps the rows before")
            << u"5/36"_s << head + "11.01.2024;5;6;7;8;9\n12.01.2024;5;6;7;8;37\n"
            << 1 << u"строка 3, столбец 6, ячейка «37»: шар 37 вне диапазона от 1 до 36"_s
            << u"7 2024-01-10 12345/12345; 8 2024-01-11 56789/56789"_s;
        QTest::newRow("numbered file, prizes of pairs")
            << u"5/45+1/20"_s
            << QByteArray("tir,date,b1,b2,b3,b4,b5,x1,prize4+1\n7,2024-01-10,1,2,3,4,5,6,9\n"
                          "8,2024-01-11,5,4,3,2,1,20,\"1500.5\"\n")
            << 0 << u"прочитано строк: 2, добавлено тиражей: 1, уже были в базе: 1"_s
            << u"7 2024-01-10 12345/12345 x6; 8 2024-01-11 12345/54321 x20 1500"_s;
        QTest::newRow("6/49 takes CSV too")
            << u"6/49"_s << QByteArray("date,b1,b2,b3,b4,b5,b6\n2024-01-11,6,5,4,3,2,49\n") << 0
            << u"прочитано строк: 1, добавлено тиражей: 1"_s
            << u"7 2024-01-10 12345/12345; 8 2024-01-11 23456/65432"_s;
    }
    void csvImport() {
        QFETCH(QString, game);
        QFETCH(QByteArray, csv);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(QString, stored);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        QCOMPARE(cli.run({u"--db"_s, db, u"create"_s, u"--game"_s, game}).exitCode, 0);
        const bool twoDrums = game.contains(u'+');
        execSql(db, twoDrums
                        ? u"INSERT INTO razyg (tir, tirdate, s1, s2, s3, s4, s5, ss1, ss2, ss3, "
                          u"ss4, ss5, x1, xx1) VALUES (7, '2024-01-10', 1, 2, 3, 4, 5, 1, 2, 3, "
                          u"4, 5, 6, 6)"_s
                        : u"INSERT INTO razyg (tir, tirdate, s1, s2, s3, s4, s5, ss1, ss2, ss3, "
                          u"ss4, ss5) VALUES (7, '2024-01-10', 1, 2, 3, 4, 5, 1, 2, 3, 4, 5)"_s);
        writeFile(cli.path(u"draws.txt"_s), csv);
        for (int pass = 1; pass <= 2; ++pass) {
            const CliRun run = cli.run({u"--db"_s, db, u"import"_s, u"draws.txt"_s});
            QCOMPARE(run.exitCode, exitCode);
            const QString shown = exitCode == 0 ? run.outText() : run.errText();
            if (pass == 1)
                QVERIFY2(shown.contains(said), qPrintable(shown));
            else if (exitCode == 0) // the same file again adds nothing
                QVERIFY2(run.outText().contains(u"добавлено тиражей: 0"_s), qPrintable(shown));
        }
        QString query = kStored;
        if (twoDrums)
            query.replace(u"ss5, '; ')"_s,
                          u"ss5 || ' x' || x1 || ifnull(' ' || chv4p1, ''), '; ')"_s);
        QString got;
        {
            Connection connection(u"check"_s);
            connection.open(db);
            Statement statement(connection, query);
            QVERIFY(statement.step());
            got = statement.value(0).toString();
        }
        QCOMPARE(got, stored);
    }

    void otherGamesRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("a workbook")
            << QStringList{u"import"_s, u"book.xlsx"_s}
            << u"«book.xlsx»: это книга результатов «6 из 49», а база данных "
               u"— игры «5 из 36»"_s;
        QTest::newRow("a results page") << QStringList{u"update"_s, u"--url"_s, u"127.0.0.1:9/r/"_s}
                                        << u"её обновляет только файл CSV"_s;
    }
    void otherGamesRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        QCOMPARE(cli.run({u"--db"_s, db, u"create"_s, u"--game"_s, u"5/36"_s}).exitCode, 0);
        cli.writeWorkbook(u"book.xlsx"_s, {resultsHeading()});
        const CliRun run = cli.run(QStringList{u"--db"_s, db} + arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errText().contains(said), qPrintable(run.errText()));
    }

    void updateFromCsv_data() {
        QTest::addColumn<QString>("where"); // the CSV's address: from --url or resultsurl
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("--url") << u"url"_s << 200 << 0
                               << u"прочитано строк: 2, добавлено тиражей: 2, уже были в базе: 0\n"
                                  u"База данных обновлена."_s;
        QTest::newRow("resultsurl") << u"ini"_s << 200 << 0 << u"добавлено тиражей: 2"_s;
        QTest::newRow("gone") << u"url"_s << 404 << 1
                              << u"файл CSV скачать не удалось: сайт ответил на запрос"_s;
    }
    void updateFromCsv() {
        QFETCH(QString, where);
        QFETCH(int, status);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        QCOMPARE(cli.run({u"--db"_s, db, u"create"_s, u"--game"_s, u"4/20+4/20"_s}).exitCode, 0);
        TinyHttpServer server;
        QVERIFY(server.start());
        server.setResponse("/archive/Draws.CSV", status,
                           "date,b1,b2,b3,b4,x1,x2,x3,x4\n2024-01-01,1,2,3,4,1,2,3,4\n"
                           "2024-01-02,5,6,7,20,20,19,18,17\n");
        const QString address = server.baseUrl() + u"/archive/Draws.CSV"_s;
        QStringList arguments{u"--db"_s, db, u"update"_s};
        if (where == u"url"_s)
            arguments << u"--url"_s << address;
        else
            cli.writeIni("[CONFIG]\nresultsurl=" + address.toUtf8() + "\n");
        const CliRun run = cli.run(arguments);
        QCOMPARE(run.exitCode, exitCode);
        const QString shown = run.outText() + run.errText();
        QVERIFY2(shown.contains(said), qPrintable(shown));
    }

    void setupGame() {
        const QString setup =
            QFileInfo(QStringLiteral(NUMERON_CLI)).dir().filePath(u"numeron_setup"_s);
        QTemporaryDir dir;
        QCOMPARE(QProcess::execute(setup, {u"--game"_s, u"5/91"_s, dir.path()}), 2);
        QVERIFY(!QFile::exists(QDir(dir.path()).filePath(u"razyg.mdb"_s)));
        QCOMPARE(QProcess::execute(setup, {u"--game"_s, u"7/49"_s, dir.path()}), 0);
        Connection connection(u"check"_s);
        connection.open(QDir(dir.path()).filePath(u"razyg.mdb"_s));
        Statement game(connection, u"SELECT k || '/' || n || ' ' || categories FROM game"_s);
        QVERIFY(game.step());
        QCOMPARE(game.value(0).toString(), u"7/49 7,6,5,4"_s);
    }
};

QTEST_MAIN(TestCliGames)
#include "test_cli_games.moc"
