// Bad requests, number lists and ticket files get a message; good ones are read as meant.

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
        QTest::addColumn<int>("count"); // -1: refused
        QTest::newRow("our CSV")
            << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n1,1,2,3,4,5,6\n2,7,8,9,10,11,12\n") << 2;
        QTest::newRow("blanks, semicolons, CRLF")
            << QByteArray("6 5 4 3 2 1\r\n7;8;9;10;11;12\r\n\r\n") << 2;
        QTest::newRow("five numbers") << QByteArray("1,2,3,4,5\n") << -1;
        QTest::newRow("repeated ball") << QByteArray("1,2,3,4,5,5\n") << -1;
        QTest::newRow("ball 50") << QByteArray("1,2,3,4,5,50\n") << -1;
        QTest::newRow("text in a cell") << QByteArray("1,2,3,4,5,x6\n") << -1;
        QTest::newRow("header only") << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n") << -1;
        QTest::newRow("endless digits") << QByteArray(1000000, '7') << -1;
        QTest::newRow("over the size limit") << QByteArray(kMaxTicketFileBytes + 1, '\n') << -1;
    }
    void tickets() {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        std::vector<Ticket> tickets;
        const QString error = parseTickets(file, &tickets);
        QVERIFY2(error.isEmpty() == (count >= 0), qPrintable(error));
        if (count >= 0) {
            QCOMPARE(int(tickets.size()), count);
            QVERIFY(std::is_sorted(tickets[0].begin(), tickets[0].end()));
        }
    }
};

QTEST_APPLESS_MAIN(TestWheelsInput)
#include "test_wheels_input.moc"
