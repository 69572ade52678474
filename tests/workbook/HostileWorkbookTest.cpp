#include "tests/hostile/HostileWorkbooks.h"

#include "runtime/AppError.h"
#include "workbook/xlsx/XlsxWorkbook.h"

#include <QTest>

// Workbooks made to hurt the reader: each ends in a clear error or a correct
// reading, within the reader's limits (the limits are scaled down here, so
// that each case is read in a fraction of a second; the same workbooks at
// full scale are measured by bench/run_hostile_benchmark.sh).
class HostileWorkbookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsInAnErrorOrAReading_data();
    void endsInAnErrorOrAReading();
    void defaultLimitsRefuseABomb();
    void honestWorkbookStaysFarBelowTheLimits();
};

void HostileWorkbookTest::endsInAnErrorOrAReading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    for (const HostileWorkbook& book : hostileWorkbooks(smallLimits()))
        QTest::newRow(qPrintable(book.name))
            << book.bytes << book.refusal << book.lastRow << book.row << book.column << book.text;
}

void HostileWorkbookTest::endsInAnErrorOrAReading() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QFETCH(int, lastRow);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    try {
        const XlsxWorkbook book(bytes, QStringLiteral("hostile.xlsx"), smallLimits());
        QVERIFY2(refusal.isEmpty(), qPrintable(QStringLiteral("opened, though to be refused "
                                                              "with “%1”")
                                                   .arg(refusal)));
        QCOMPARE(book.lastUsedRow(), lastRow);
        QCOMPARE(book.cellText(row, column), text);
        QVERIFY(book.tableBytes() <= smallLimits().tableBytes);
    } catch (const AppError& error) {
        QVERIFY2(!refusal.isEmpty() && error.message().contains(refusal),
                 qPrintable(error.message()));
    }
}

void HostileWorkbookTest::defaultLimitsRefuseABomb() {
    // About 100 KB that would inflate to 100 MB of whitespace.
    const QByteArray bomb = workbookPackage({QByteArray(), " ", qint64(100) << 20, QByteArray()});
    QVERIFY(bomb.size() < 128 * 1024);
    try {
        XlsxWorkbook(bomb, QStringLiteral("bomb.xlsx"));
        QFAIL("the bomb was read");
    } catch (const AppError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("распаковываются")),
                 qPrintable(error.message()));
    }
}

void HostileWorkbookTest::honestWorkbookStaysFarBelowTheLimits() {
    // 10,000 rows of eighteen numbers, as an operator's workbook might hold.
    const QByteArray row =
        "<row>" + QByteArray("<c s=\"0\"><v>123456.5</v></c>").repeated(18) + "</row>";
    const XlsxWorkbook book(workbookPackage({QByteArray(), row, 10000, QByteArray()}),
                            QStringLiteral("honest.xlsx"), smallLimits());
    QCOMPARE(book.lastUsedRow(), 10000);
    QCOMPARE(book.cellText(10000, 18), QStringLiteral("123456,5"));
    // Sixteen bytes a cell, and the row index.
    QCOMPARE(book.tableBytes(), 10000 * 18 * 16 + (10000 + 2) * 4);
}

QTEST_GUILESS_MAIN(HostileWorkbookTest)
#include "HostileWorkbookTest.moc"
