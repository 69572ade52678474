// Bad requests, number lists and ticket files get a message; good ones are read as meant.

#include "wheels/TicketFile.h"
#include "wheels/WheelInput.h"

#include <QtTest>

using namespace Wheels;
using namespace Qt::StringLiterals;

class TestWheelsInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void request_data() {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("m");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("error"); // a fragment of the message; empty: valid
        QTest::newRow("valid") << u"1-20"_s << 3 << 6 << u"7,11"_s << QString();
        QTest::newRow("six numbers") << u"1-6"_s << 2 << 2 << QString() << u"не меньше 7"_s;
        QTest::newRow("T above M") << u"1-10"_s << 4 << 3 << QString() << u"больше"_s;
        QTest::newRow("T of 6") << u"1-10"_s << 6 << 6 << QString() << u"не поддерживается"_s;
        QTest::newRow("key not chosen") << u"1-10"_s << 3 << 6 << u"12"_s << u"не входит"_s;
        QTest::newRow("four keys") << u"1-10"_s << 3 << 6 << u"1-4"_s << u"не больше трёх"_s;
        QTest::newRow("more keys than M") << u"1-10"_s << 2 << 2 << u"1-3"_s << u"больше, чем"_s;
    }
    void request() {
        QFETCH(QString, numbers);
        QFETCH(int, t);
        QFETCH(int, m);
        QFETCH(QString, keys);
        QFETCH(QString, error);
        WheelRequest r;
        r.guarantee = Guarantee{t, m};
        QVERIFY(parseNumberList(numbers, &r.numbers).isEmpty());
        if (!keys.isEmpty())
            QVERIFY(parseNumberList(keys, &r.keys).isEmpty());
        const QString message = validateRequest(r);
        QVERIFY2(error.isEmpty() ? message.isEmpty() : message.contains(error),
                 qPrintable(message));
    }

    void numberList_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count"); // -1: refused
        QTest::newRow("range") << u"1-20"_s << 20;
        QTest::newRow("mixed") << u"3,7,11-15"_s << 7;
        QTest::newRow("blanks and semicolons") << u" 1; 2 3,4 "_s << 4;
        QTest::newRow("outside 1-49") << u"45-50"_s << -1;
        QTest::newRow("zero") << u"0,1,2"_s << -1;
        QTest::newRow("twice") << u"1-5,3"_s << -1;
        QTest::newRow("reversed range") << u"9-3"_s << -1;
        QTest::newRow("letters") << u"1,a,3"_s << -1;
        QTest::newRow("huge number") << u"99999999999999999999"_s << -1;
        QTest::newRow("hostile length") << QString(100000, u'1') << -1;
    }
    void numberList() {
        QFETCH(QString, text);
        QFETCH(int, count);
        std::vector<int> numbers;
        const QString error = parseNumberList(text, &numbers);
        QCOMPARE(error.isEmpty(), count >= 0);
        if (count >= 0)
            QCOMPARE(int(numbers.size()), count);
    }

    void tickets_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("error"); // the start of the message; empty: read
        QTest::newRow("our CSV, BOM, CRLF")
            << QByteArray("\xEF\xBB\xBFticket,b1,b2,b3,b4,b5,b6\r\n1,6,5,4,3,2,1\r\n"
                          "2,7,8,9,10,11,49\r\n")
            << 2 << QString();
        QTest::newRow("mixed separators")
            << QByteArray("1 2 3 4 5 6\n\n 7;8;9, 10 ,11\t12\n") << 2 << QString();
        QTest::newRow("five numbers")
            << QByteArray("1 2 3 4 5 6\n1 2 3 4 5\n") << 0 << u"Строка 2: нужно шесть чисел"_s;
        QTest::newRow("fifty") << QByteArray("\n1 2 3 4 5 50\n") << 0
                               << u"Строка 2: «50» — не число от 1 до 49"_s;
        QTest::newRow("text in a cell")
            << QByteArray("1,2,3,4,5,x6\n") << 0 << u"Строка 1: «x6» — не число"_s;
        QTest::newRow("long number") << QByteArray("1 2 3 4 5 " + QByteArray(40, '9')) << 0
                                     << u"Строка 1: «99999999999999999999…» — не число"_s;
        QTest::newRow("twice") << QByteArray("1 2 3 4 5 5") << 0
                               << u"Строка 1: число 5 повторяется"_s;
        QTest::newRow("csv without label") << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n1,2,3,4,5,6\n")
                                           << 0 << u"Строка 2: нужно семь полей"_s;
        QTest::newRow("long line")
            << QByteArray(100000, ' ') + "1 2 3 4 5 6" << 0 << u"Строка 1: строка длиннее"_s;
        QTest::newRow("endless digits")
            << QByteArray(1000000, '7') << 0 << u"Строка 1: строка длиннее"_s;
        QTest::newRow("header only")
            << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n \n") << 0 << u"В файле нет ни одного"_s;
        QTest::newRow("quoted CSV, quoted header")
            << QByteArray("\"ticket\",\"b1\",\"b2\",\"b3\",\"b4\",\"b5\",\"b6\"\r\n"
                          "\"1\",\"6\",\"5\",\"4\",\"3\",\"2\",\"1\"\r\n")
            << 1 << QString();
        QTest::newRow("label with a comma, a quote and a line break")
            << QByteArray("ticket;b1;b2;b3;b4;b5;b6\r\n\"A, \"\"B\"\"\r\nC\";1;2;3;4;5;6\r\n"
                          "2;1;2;3;4;5;7\r\n")
            << 2 << QString();
        QTest::newRow("quote left open")
            << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n\"A,1,2,3,4,5,6\n") << 0
            << u"Строка 2: кавычка не закрыта"_s;
        QTest::newRow("our CSV without its header")
            << QByteArray("1,1,2,3,4,5,6\r\n2,7,8,9,10,11,12\r\n") << 2 << QString();
        QTest::newRow("words") << QByteArray("hello world\n") << 0
                               << u"Строка 1: «hello» — не число от 1 до 49"_s;
        QTest::newRow("JSON list")
            << QByteArray("[\n  {\"ticket\": 1, \"b1\": 1, \"b2\": 2, \"b3\": 3, \"b4\": 4, "
                          "\"b5\": 5, \"b6\": 6},\n  {\"b6\": \"9\", \"b1\": 7, \"b2\": 8, "
                          "\"b3\": 10, \"b4\": 11, \"b5\": 12, \"note\": null}\n]\n")
            << 2 << QString();
        QTest::newRow("JSON without b6")
            << QByteArray("[\n{\"b1\": 1, \"b2\": 2, \"b3\": 3, \"b4\": 4, \"b5\": 5}]") << 0
            << u"Строка 2: у билета нет поля «b6»"_s;
        QTest::newRow("JSON fraction")
            << QByteArray("[{\"b1\": 1.5}]") << 0 << u"Строка 1: b1: «1.5» — не число"_s;
        QTest::newRow("JSON nested")
            << QByteArray("[{\"x\": [1]}]") << 0 << u"Строка 1: ожидалось число, строка"_s;
        QTest::newRow("JSON text after") << QByteArray("[] []") << 0 << u"Строка 1: лишний текст"_s;
        QTest::newRow("JSON empty") << QByteArray(" [ ]\n") << 0 << u"В файле нет ни одного"_s;
        QTest::newRow("over the size limit")
            << QByteArray(kMaxTicketFileBytes + 1, '\n') << 0 << u"Файл билетов больше"_s;
    }
    void tickets() {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QString, error);
        std::vector<Ticket> tickets;
        const QString message = parseTickets(file, &tickets);
        QVERIFY2(message.startsWith(error) && message.isEmpty() == error.isEmpty(),
                 qPrintable(message));
        QCOMPARE(int(tickets.size()), count);
        if (count > 0)
            QCOMPARE(tickets[0], (Ticket{1, 2, 3, 4, 5, 6}));
    }
};

QTEST_APPLESS_MAIN(TestWheelsInput)
#include "test_wheels_input.moc"
