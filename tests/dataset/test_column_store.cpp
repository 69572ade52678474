#include "dataset/ColumnStore.h"
#include "tests/gui/support/TestSupport.h"

#include <QDate>
#include <QTest>
#include <sqlite3.h>

class TestColumnStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryValue_data();
    void keepsEveryValue();
    void insertSetRemove();
    void readsEngineValues_data();
    void readsEngineValues();
};

void TestColumnStore::keepsEveryValue_data() {
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("kind");
    const QVariant null;
    QTest::newRow("small whole numbers")
        << QVariantList{qlonglong(1), null, qlonglong(-5)} << int(ColumnStore::Kind::Int32);
    QTest::newRow("widens to 64 bits")
        << QVariantList{qlonglong(7), qlonglong(3000000000LL), null, qlonglong(-1)}
        << int(ColumnStore::Kind::Int64);
    QTest::newRow("nulls first, then a number")
        << QVariantList{null, null, qlonglong(42)} << int(ColumnStore::Kind::Int32);
    QTest::newRow("iso dates") << QVariantList{QStringLiteral("2024-06-19"), null,
                                               QStringLiteral("1999-12-31")}
                               << int(ColumnStore::Kind::IsoDate);
    QTest::newRow("a date then other text")
        << QVariantList{QStringLiteral("2024-06-19"), QStringLiteral("19.06.2024")}
        << int(ColumnStore::Kind::Variant);
    QTest::newRow("numbers then text")
        << QVariantList{qlonglong(5), QStringLiteral("5 12 40")} << int(ColumnStore::Kind::Variant);
    QTest::newRow("fractions") << QVariantList{qlonglong(1), 2.5}
                               << int(ColumnStore::Kind::Variant);
}

void TestColumnStore::keepsEveryValue() {
    QFETCH(QVariantList, values);
    QFETCH(int, kind);
    ColumnStore column;
    for (const QVariant& v : values)
        column.append(v);
    QCOMPARE(int(column.kind()), kind);
    QCOMPARE(column.size(), values.size());
    for (int i = 0; i < values.size(); ++i) {
        QCOMPARE(column.isNull(i), values.at(i).isNull());
        if (!values.at(i).isNull())
            QCOMPARE(column.value(i).toString(), values.at(i).toString());
    }
}

void TestColumnStore::insertSetRemove() {
    ColumnStore column;
    for (int v : {10, 20, 30})
        column.append(qlonglong(v));
    column.insert(1, qlonglong(15));
    column.insert(0, QVariant());
    column.set(4, qlonglong(5000000000LL));
    column.remove(2);
    QCOMPARE(column.size(), 4);
    QVERIFY(column.isNull(0));
    QCOMPARE(column.value(1).toLongLong(), 10);
    QCOMPARE(column.value(2).toLongLong(), 20);
    QCOMPARE(column.value(3).toLongLong(), 5000000000LL);
    // Nulls set and cleared in place; the other rows keep theirs.
    column.set(2, QVariant());
    column.set(0, qlonglong(1));
    column.remove(1);
    QCOMPARE(column.size(), 3);
    QVERIFY(!column.isNull(0));
    QVERIFY(column.isNull(1));
    QCOMPARE(column.value(2).toLongLong(), 5000000000LL);
}

void TestColumnStore::readsEngineValues_data() {
    QTest::addColumn<QString>("values"); // an SQL list of values, one row each
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("kind");
    QTest::newRow("dates, leap days and ends of the range")
        << QStringLiteral("NULL, '2024-02-29', '2000-02-29', '1999-12-31', '0001-01-01', "
                          "'9999-12-31', '1970-01-01', '1582-10-10'")
        << strings({"", "2024-02-29", "2000-02-29", "1999-12-31", "0001-01-01", "9999-12-31",
                    "1970-01-01", "1582-10-10"})
        << int(ColumnStore::Kind::IsoDate);
    for (const char* notADay : {"2023-02-29", "1900-02-29", "2024-04-31", "2024-13-01",
                                "0000-01-01", "2024-6-019", "2024-06-1x", "2024/06/19"}) {
        QTest::addRow("not a day: %s", notADay)
            << QStringLiteral("'2024-06-19', '%1'").arg(QLatin1String(notADay))
            << strings({"2024-06-19", notADay}) << int(ColumnStore::Kind::Variant);
    }
    QTest::newRow("whole numbers widen")
        << QStringLiteral("7, NULL, 3000000000, -2") << strings({"7", "", "3000000000", "-2"})
        << int(ColumnStore::Kind::Int64);
    QTest::newRow("numbers and text") << QStringLiteral("5, 'x', 2.5") << strings({"5", "x", "2.5"})
                                      << int(ColumnStore::Kind::Variant);
}

void TestColumnStore::readsEngineValues() {
    QFETCH(QString, values);
    QFETCH(QStringList, shown);
    QFETCH(int, kind);
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = "SELECT column1 FROM (VALUES (" +
                           values.replace(QLatin1String(", "), QLatin1String("), (")).toUtf8() +
                           "))";
    QCOMPARE(sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr), SQLITE_OK);
    ColumnStore column;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        column.appendFrom(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    QCOMPARE(int(column.kind()), kind);
    QStringList read;
    for (int i = 0; i < column.size(); ++i)
        read.append(column.isNull(i) ? QString() : column.value(i).toString());
    QCOMPARE(read, shown);
}

QTEST_GUILESS_MAIN(TestColumnStore)
#include "test_column_store.moc"
