#include "runtime/AppError.h"
#include "runtime/Conversions.h"

#include <QTest>

class TestConversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void integers_data();
    void integers();
    void amounts_data();
    void amounts();
    void dates_data();
    void dates();
};

void TestConversions::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << "42" << true << 42;
    QTest::newRow("leading blanks") << "  7" << true << 7;
    QTest::newRow("sign") << "-12" << true << -12;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("trailing blank") << "7 " << false << 0;
    QTest::newRow("grouped") << "1 234" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("fraction") << "1,5" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("sql") << "1; DROP TABLE razyg" << false << 0;
}

void TestConversions::integers() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    if (valid) {
        QCOMPARE(Conversions::strToInt(text), value);
        return;
    }
    try {
        Conversions::strToInt(text);
        QFAIL("accepted");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestConversions::amounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("half to even down") << "12,5" << true << 12LL;
    QTest::newRow("half to even up") << "13,5" << true << 14LL;
    QTest::newRow("negative half") << "-2,5" << true << -2LL;
    QTest::newRow("just above half") << "12,5000001" << true << 13LL;
    QTest::newRow("whole") << "1000" << true << 1000LL;
    QTest::newRow("beyond 32 bits") << "3000000000,4" << true << 3000000000LL;
    QTest::newRow("exponent") << "1,5E3" << true << 1500LL;
    QTest::newRow("blanks around") << " 5,25 " << true << 5LL;
    QTest::newRow("comma only fraction") << ",5" << true << 0LL;
    QTest::newRow("full stop separator") << "12.5" << false << 0LL;
    QTest::newRow("grouped") << QString::fromUtf8("1\u00a0234,00") << false << 0LL;
    QTest::newRow("grouped with blank") << "1 234" << false << 0LL;
    QTest::newRow("empty") << "" << false << 0LL;
    QTest::newRow("words") << "много" << false << 0LL;
    QTest::newRow("bad exponent") << "1E" << false << 0LL;
}

void TestConversions::amounts() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qlonglong, value);
    if (valid) {
        QCOMPARE(Conversions::strToRoundedAmount(text), value);
        return;
    }
    try {
        Conversions::strToRoundedAmount(text);
        QFAIL("accepted");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void TestConversions::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("short date") << "19.06.2024" << QDate(2024, 6, 19);
    QTest::newRow("one-digit day and month") << "1.2.2024" << QDate(2024, 2, 1);
    QTest::newRow("two-digit year") << "01.02.24" << QDate(2024, 2, 1);
    QTest::newRow("old two-digit year") << "01.02.99" << QDate(1999, 2, 1);
    QTest::newRow("iso is refused") << "2024-06-19" << QDate();
    QTest::newRow("no such day") << "31.06.2024" << QDate();
    QTest::newRow("with time") << "19.06.2024 10:00" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestConversions::dates() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    if (date.isValid()) {
        QCOMPARE(Conversions::strToDate(text), date);
        return;
    }
    try {
        Conversions::strToDate(text);
        QFAIL("accepted");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid date").arg(text));
    }
}

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
