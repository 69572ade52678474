#include "dataset/ColumnStore.h"

#include <QDate>
#include <QTest>

class TestColumnStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryValue_data();
    void keepsEveryValue();
    void insertSetRemove();
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
}

QTEST_GUILESS_MAIN(TestColumnStore)
#include "test_column_store.moc"
