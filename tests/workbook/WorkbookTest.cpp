#include "workbook/Workbook.h"
#include "runtime/AppError.h"
#include "workbook/CellDisplay.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Reading the results workbooks written by several producers, and the corner
// cases of the format.
class WorkbookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void draws_data();
    void draws();
    void xlsReadsAsXlsx();
    void features_data();
    void features();
    void contentDecidesTheFormat_data();
    void contentDecidesTheFormat();
    void emptySheet();
    void refused_data();
    void refused();
};

namespace {

QString dataPath(const QString& name) {
    return qEnvironmentVariable("NUMERON_TEST_DATA") + QLatin1Char('/') + name;
}

// "_" stands for the no-break space that groups digits.
QString shown(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('_'), CellDisplay::GroupSeparator);
}

struct ExpectedCell {
    int row;
    int column;
    const char* text; // as its number format shows it
};

// The sheet every draws_* fixture holds.
const ExpectedCell DrawCells[] = {
    {1, 1, "Тираж"},      {1, 2, "Дата тиража"}, {1, 18, "Призовой фонд"},
    {2, 1, "1201"},       {2, 2, "19.06.2024"},  {2, 3, "17"},
    {2, 4, "3"},          {2, 5, "45"},          {2, 6, "8"},
    {2, 7, "29"},         {2, 8, "1"},           {2, 9, "0"},
    {2, 10, "0"},         {2, 12, "150_000,00"}, {2, 14, "1500,00"},
    {2, 16, "12,5"},      {2, 17, "3000000000"}, {2, 18, "1_234,00"},
    {3, 1, "1202"},       {3, 2, "22.06.2024"},  {3, 10, "25_000_000"},
    {3, 14, "1750,25"},   {3, 16, "13,5"},       {3, 18, "987_654,32"},
    {4, 2, "26.06.2024"}, {4, 8, "19"},          {4, 10, ""},
    {4, 12, "98_765,40"}, {4, 16, "2,675"},      {4, 17, "3000000001"},
    {4, 18, "-5,00"},     {4, 19, ""},           {5, 1, ""},
    {0, 1, ""},           {100000, 200, ""},
};

void copyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    QVERIFY(QFile::copy(from, to));
}

} // namespace

void WorkbookTest::draws_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("openpyxl") << QStringLiteral("draws_openpyxl.xlsx");
    QTest::newRow("xlsxwriter") << QStringLiteral("draws_xlsxwriter.xlsx");
    QTest::newRow("LibreOffice xlsx") << QStringLiteral("draws_libreoffice.xlsx");
    QTest::newRow("hand-made package") << QStringLiteral("draws_minimal.xlsx");
    QTest::newRow("LibreOffice xls") << QStringLiteral("draws_libreoffice.xls");
}

void WorkbookTest::draws() {
    QFETCH(QString, file);
    const std::unique_ptr<Workbook> book = Workbook::open(dataPath(file));
    QCOMPARE(book->lastUsedRow(), 4);
    for (const ExpectedCell& cell : DrawCells) {
        const QString expected = shown(cell.text);
        QVERIFY2(book->cellText(cell.row, cell.column) == expected,
                 qPrintable(QStringLiteral("cell %1,%2: '%3' instead of '%4'")
                                .arg(cell.row)
                                .arg(cell.column)
                                .arg(book->cellText(cell.row, cell.column), expected)));
    }
}

void WorkbookTest::xlsReadsAsXlsx() {
    // The same book saved by LibreOffice in both formats shows the same texts
    // in every cell, the empty ones around the sheet included.
    const std::unique_ptr<Workbook> xls =
        Workbook::open(dataPath(QStringLiteral("draws_libreoffice.xls")));
    const std::unique_ptr<Workbook> xlsx =
        Workbook::open(dataPath(QStringLiteral("draws_libreoffice.xlsx")));
    QCOMPARE(xls->lastUsedRow(), xlsx->lastUsedRow());
    for (int row = 0; row <= xlsx->lastUsedRow() + 1; ++row) {
        for (int column = 0; column <= 20; ++column)
            QCOMPARE(xls->cellText(row, column), xlsx->cellText(row, column));
    }
}

void WorkbookTest::features_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("shared string") << 1 << 1 << QStringLiteral("plain");
    QTest::newRow("rich text runs without phonetics") << 1 << 2 << QStringLiteral("Дата тиража");
    QTest::newRow("character references") << 1 << 3 << QStringLiteral("a & b <c>");
    QTest::newRow("row and cell without positions") << 2 << 1 << QStringLiteral("1");
    QTest::newRow("true") << 2 << 2 << QStringLiteral("ИСТИНА");
    QTest::newRow("false") << 2 << 3 << QStringLiteral("ЛОЖЬ");
    QTest::newRow("formula result") << 3 << 2 << QStringLiteral("3");
    QTest::newRow("formula text after a positioned cell") << 3 << 3 << QStringLiteral("xy");
    QTest::newRow("gap") << 3 << 4 << QString();
    QTest::newRow("error value") << 3 << 5 << QStringLiteral("#DIV/0!");
    QTest::newRow("short date, 1904 system") << 4 << 1 << QStringLiteral("01.01.1904");
    QTest::newRow("custom ISO date, 1904 system") << 4 << 2 << QStringLiteral("1904-01-02");
    QTest::newRow("date and time with locale tag") << 4 << 3 << QStringLiteral("10.4.04 18:00");
    QTest::newRow("ISO date cell, 1904 system") << 4 << 4 << QStringLiteral("19.06.2024");
    QTest::newRow("formula without result") << 5 << 1 << QString();
    QTest::newRow("styled empty cell") << 5 << 2 << QString();
    QTest::newRow("inline rich text") << 5 << 3 << QStringLiteral("inline");
    QTest::newRow("row of styled empty cells") << 9 << 1 << QString();
}

void WorkbookTest::features() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    // The first sheet in workbook order, though listed second among the relationships.
    const std::unique_ptr<Workbook> book =
        Workbook::open(dataPath(QStringLiteral("features_minimal.xlsx")));
    QCOMPARE(book->lastUsedRow(), 5);
    QCOMPARE(book->cellText(row, column), text);
}

void WorkbookTest::contentDecidesTheFormat_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("savedAs");
    QTest::newRow("xls saved as results.xlsx")
        << QStringLiteral("draws_libreoffice.xls") << QStringLiteral("results.xlsx");
    QTest::newRow("xlsx without extension")
        << QStringLiteral("draws_xlsxwriter.xlsx") << QStringLiteral("results");
    QTest::newRow("xlsx saved as .xlsm")
        << QStringLiteral("draws_openpyxl.xlsx") << QStringLiteral("results.xlsm");
}

void WorkbookTest::contentDecidesTheFormat() {
    QFETCH(QString, file);
    QFETCH(QString, savedAs);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(savedAs);
    copyFile(dataPath(file), path);
    const std::unique_ptr<Workbook> book = Workbook::open(path);
    QCOMPARE(book->lastUsedRow(), 4);
    QCOMPARE(book->cellText(2, 2), QStringLiteral("19.06.2024"));
    QCOMPARE(book->cellText(4, 1), QStringLiteral("1203"));
}

void WorkbookTest::emptySheet() {
    const std::unique_ptr<Workbook> book =
        Workbook::open(dataPath(QStringLiteral("empty_openpyxl.xlsx")));
    QCOMPARE(book->lastUsedRow(), 0);
    QCOMPARE(book->cellText(1, 1), QString());
}

void WorkbookTest::refused_data() {
    QTest::addColumn<QString>("source");   // a fixture, or empty for none
    QTest::addColumn<QByteArray>("bytes"); // written instead when there is no fixture
    QTest::addColumn<int>("keepBytes");    // cut the fixture to this size; 0: whole
    QTest::newRow("error page saved as a workbook")
        << QStringLiteral("not_a_workbook.xlsx") << QByteArray() << 0;
    QTest::newRow("ZIP without a workbook")
        << QStringLiteral("plain_archive.xlsx") << QByteArray() << 0;
    QTest::newRow("truncated xlsx")
        << QStringLiteral("draws_xlsxwriter.xlsx") << QByteArray() << 1500;
    QTest::newRow("truncated xls")
        << QStringLiteral("draws_libreoffice.xls") << QByteArray() << 600;
    QTest::newRow("empty file") << QString() << QByteArray() << 0;
    QTest::newRow("ZIP signature only") << QString() << QByteArray("PK\x03\x04garbage", 11) << 0;
    QTest::newRow("missing file") << QStringLiteral("no_such_file.xlsx") << QByteArray() << -1;
}

void WorkbookTest::refused() {
    QFETCH(QString, source);
    QFETCH(QByteArray, bytes);
    QFETCH(int, keepBytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.xlsx"));
    if (keepBytes >= 0) {
        if (!source.isEmpty()) {
            QFile in(dataPath(source));
            QVERIFY(in.open(QIODevice::ReadOnly));
            bytes = in.readAll();
            if (keepBytes > 0)
                bytes.truncate(keepBytes);
        }
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    try {
        Workbook::open(path);
        QFAIL("the file was taken for a workbook");
    } catch (const AppError& error) {
        QVERIFY(!error.message().isEmpty());
    }
}

QTEST_GUILESS_MAIN(WorkbookTest)
#include "WorkbookTest.moc"
