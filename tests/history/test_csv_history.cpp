// CSV histories: what the reader makes of good files of several forms, and
// where it stops on every kind of bad row (kept rows, line, column, reason).

#include "game/Game.h"
#include "history/CsvHistory.h"
#include "history/HistoryColumns.h"

#include <QBuffer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// "tir date balls[|second][ $prizes]", the rows joined by "; ".
QString rowsText(const History::CsvHistory& history) {
    QStringList rows;
    for (const History::Row& row : history.rows) {
        const Lottery::Draw& d = row.draw;
        QString text =
            u"%1 %2 %3"_s.arg(d.tir).arg(d.date.toString(Qt::ISODate), d.drawn.text(u','));
        if (!d.secondDrawn.isEmpty())
            text += u'|' + d.secondDrawn.text(u',');
        if (!d.prizes.empty()) {
            QStringList prizes;
            for (const auto& p : d.prizes)
                prizes.append(p ? QString::number(*p) : u"-"_s);
            text += u" $"_s + prizes.join(u',');
        }
        rows.append(text);
    }
    return rows.join(u"; "_s);
}

const QByteArray kHead = "date,b1,b2,b3,b4,b5\n";
const QByteArray kTwoGood = "2024-01-01,1,2,3,4,5\n2024-01-02,6,7,8,9,10\n";

} // namespace

class TestCsvHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("columns"); // --columns, or empty
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("rows"); // as rowsText makes them, in import order
        QTest::addColumn<QString>("stop"); // "line:column:reason…", "!message…" for none read
        const QString g536 = u"5/36"_s;
        const QString early = u"0 2024-01-01 1,2,3,4,5; 0 2024-01-02 6,7,8,9,10"_s;
        QTest::newRow("found, BOM, CRLF, quotes")
            << u"6/49"_s << QString()
            << QByteArray("\xEF\xBB\xBF"
                          "date,b1,b2,b3,b4,b5,b6\r\n2024-01-05,1,2,3,4,5,6\r\n"
                          "\"2024-01-06\", \"7\" ,8,9,10,11,49\r\n")
            << u"0 2024-01-05 1,2,3,4,5,6; 0 2024-01-06 7,8,9,10,11,49"_s << QString();
        QTest::newRow("semicolons, words, numbers, prizes")
            << g536 << QString()
            << QByteArray("Тираж;Дата;Шар 1;Шар 2;Шар 3;Шар 4;Шар 5;prize5;Prize 4\n"
                          "3;3.1.2024;1;2;3;4;36;\"1000,50\";1001.5\n2;02.01.2024;5;6;7;8;9;;\n")
            << u"3 2024-01-03 1,2,3,4,36 $1000,1002,-; 2 2024-01-02 5,6,7,8,9 $-,-,-"_s
            << QString();
        QTest::newRow("tabs, two drums, placed by values")
            << u"5/45+1/20"_s << QString()
            << QByteArray("когда\tномер\tA\tB\tC\tD\tE\tF\n2024-02-01\t7\t1\t2\t3\t4\t45\t20\n")
            << u"7 2024-02-01 1,2,3,4,45|20"_s << QString();
        QTest::newRow("one number column more is the draw number")
            << u"6/49"_s << QString()
            << QByteArray("d,c1,c2,c3,c4,c5,c6,c7\n2024-01-01,10,1,2,3,4,5,6\n")
            << u"10 2024-01-01 1,2,3,4,5,6"_s << QString();
        QTest::newRow("newest first, two on one date")
            << g536 << QString()
            << kHead + "2024-03-02,1,2,3,4,5\n2024-03-02,6,7,8,9,10\n2024-03-01,11,12,13,14,15\n"
            << u"0 2024-03-01 11,12,13,14,15; 0 2024-03-02 6,7,8,9,10; 0 2024-03-02 1,2,3,4,5"_s
            << QString();
        QTest::newRow("columns given, a field over two lines skipped")
            << g536 << u"tir,date,-,b3,b1,b2,b4,b5,-"_s
            << QByteArray("a,b,note,d,e,f,g,h,\n5,2024-01-01,\"x\ny\",3,1,2,4,5,\n")
            << u"5 2024-01-01 1,2,3,4,5"_s << QString();
        // Every kind of bad row: the rows before it are kept.
        const auto bad = [&](const char* name, const QByteArray& row, const QString& stop) {
            QTest::newRow(name) << g536 << QString()
                                << kHead + kTwoGood + row + "2024-01-09,1,2,3,4,5\n"
                                << early << stop;
        };
        bad("ball out of range", "2024-01-03,1,2,3,4,37\n",
            u"4:6:шар 37 вне диапазона от 1 до 36"_s);
        bad("ball repeated", "2024-01-03,1,2,3,3,5\n", u"4:5:шар 3 повторяется в строке"_s);
        bad("too few fields", "2024-01-03,1,2,3,4\n", u"4:0:в строке 5 полей, а в заголовке 6"_s);
        bad("a field too many", "2024-01-03,1,2,3,4,5,6\n", u"4:7:лишнее поле"_s);
        bad("no such date", "2024-02-30,1,2,3,4,5\n", u"4:1:не дата"_s);
        bad("a ball in words", "2024-01-03,1,2,x,4,5\n", u"4:4:не номер шара"_s);
        bad("a date turning back", "2024-01-01,1,2,3,4,6\n", u"4:1:дата 01.01.2024 идёт не по"_s);
        bad("an open quote", "2024-01-03,\"1,2,3,4,5\n", u"4:0:кавычка не закрыта"_s);
        bad("a long line", "2024-01-03," + QByteArray(5000, '1') + "\n",
            u"4:0:строка длиннее 4096 байт"_s);
        QTest::newRow("newest first, bad row in the middle")
            << g536 << QString()
            << kHead + "2024-03-04,1,2,3,4,5\n2024-03-03,1,2,3,4,99\n2024-03-02,1,2,3,4,6\n"
                       "2024-03-01,1,2,3,4,7\n"
            << u"0 2024-03-01 1,2,3,4,7; 0 2024-03-02 1,2,3,4,6"_s << u"3:6:шар 99"_s;
        QTest::newRow("draw number zero")
            << g536 << QString()
            << QByteArray(
                   "tir,date,b1,b2,b3,b4,b5\n1,2024-01-01,1,2,3,4,5\n0,2024-01-02,1,2,3,4,5\n")
            << u"1 2024-01-01 1,2,3,4,5"_s << u"3:1:не номер тиража"_s;
        QTest::newRow("second drum out of range")
            << u"5/45+1/20"_s << QString()
            << QByteArray("date,b1,b2,b3,b4,b5,x1\n2024-01-01,1,2,3,4,5,21\n") << QString()
            << u"2:7:шар 21 второго барабана вне диапазона от 1 до 20"_s;
        QTest::newRow("grouped amount")
            << g536 << QString()
            << QByteArray("date,b1,b2,b3,b4,b5,prize3\n2024-01-01,1,2,3,4,5,1 234\n") << QString()
            << u"2:7:не сумма"_s;
        // Files whose header lets no row be read.
        QTest::newRow("empty") << g536 << QString() << QByteArray("\xEF\xBB\xBF\r\n") << QString()
                               << u"!файл пуст"_s;
        QTest::newRow("a column not placed")
            << g536 << QString()
            << QByteArray("date,b1,b2,b3,b4,b5,note\n2024-01-01,1,2,3,4,5,ok\n") << QString()
            << u"!Строка 1, столбец 7 «note»: не понятно, что в нём"_s;
        QTest::newRow("no date") << g536 << QString() << QByteArray("b1,b2,b3,b4,b5\n1,2,3,4,5\n")
                                 << QString() << u"!Строка 1: нет столбца даты"_s;
        QTest::newRow("balls missing") << g536 << QString() << QByteArray("date,b1,b2,b3,b4\n")
                                       << QString() << u"!Строка 1: найдено столбцов шаров: 4"_s;
        QTest::newRow("a prize of no category")
            << g536 << QString() << QByteArray("date,b1,b2,b3,b4,b5,prize6\n") << QString()
            << u"!Строка 1, столбец 7 «prize6»: в игре «5 из 36» нет такой категории"_s;
        QTest::newRow("columns given, too few")
            << g536 << u"date,b1,b2,b3,b4,b5"_s << QByteArray("date,b1,b2,b3,b4,b5,x\n")
            << QString() << u"!Строка 1: в --columns 6 столбцов, а в заголовке файла 7"_s;
    }
    void read() {
        QFETCH(QString, game);
        QFETCH(QString, columns);
        QFETCH(QByteArray, file);
        QFETCH(QString, rows);
        QFETCH(QString, stop);
        const Lottery::Game g = Lottery::Game::parse(game);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        try {
            const History::CsvHistory history =
                History::readCsvHistory(buffer, g,
                                        columns.isEmpty() ? std::vector<HistoryColumns::Column>()
                                                          : HistoryColumns::parseList(columns, g));
            QCOMPARE(rowsText(history), rows);
            const History::Problem p = history.stop.value_or(History::Problem());
            const QString told =
                history.stop ? u"%1:%2:%3"_s.arg(p.line).arg(p.column).arg(p.reason) : QString();
            QVERIFY2(told.startsWith(stop) && told.isEmpty() == stop.isEmpty(), qPrintable(told));
        } catch (const History::CsvError& e) {
            QVERIFY2(stop.startsWith(u'!') && e.message().startsWith(stop.mid(1)),
                     qPrintable(e.message()));
        }
    }

    void columnList_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("error"); // the message's start; empty: read
        QTest::newRow("every kind")
            << u"tir,date,b2,b1,b3,b4,b5,x1,prize5+1,winners4p1,-"_s << QString();
        QTest::newRow("no date") << u"b1,b2,b3,b4,b5,x1"_s << u"в --columns нужен ровно один"_s;
        QTest::newRow("ball missing")
            << u"date,b1,b2,b3,b4,x1"_s << u"в --columns нет столбца b5"_s;
        QTest::newRow("ball twice") << u"date,b1,b1,b2,b3,b4,b5,x1"_s << u"«b1» указан"_s;
        QTest::newRow("beyond K") << u"date,b6"_s << u"«b6» в --columns: номер шара от 1 до 5"_s;
        QTest::newRow("no such category") << u"date,prize6"_s << u"«prize6» в --columns: в игре"_s;
        QTest::newRow("unknown") << u"date,ball"_s << u"«ball» в --columns — не столбец"_s;
    }
    void columnList() {
        QFETCH(QString, list);
        QFETCH(QString, error);
        try {
            HistoryColumns::parseList(list, Lottery::Game::parse(u"5/45+1/20"_s));
            QVERIFY(error.isEmpty());
        } catch (const HistoryColumns::ListError& e) {
            QVERIFY2(!error.isEmpty() && e.message().startsWith(error), qPrintable(e.message()));
        }
    }
};

QTEST_APPLESS_MAIN(TestCsvHistory)
#include "test_csv_history.moc"
