#include "tests/gui/support/TestSupport.h"
#include "tests/support/SimpleXls.h"
#include "tests/support/XlsSamples.h"

#include "widgets/LinkLabel.h"
#include "workbook/CellDisplay.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QtEndian>

// Dropping legacy .xls workbooks onto the window: a damaged one ends in the
// standard error box with the window at rest and the database as it was; a
// good one imports its amounts as their number formats show them.
class TestXlsImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedFileLeavesEverything_data();
    void damagedFileLeavesEverything();
    void amountsAsFormatted_data();
    void amountsAsFormatted();
};

namespace {

QString writeFile(const TestApp& app, const QByteArray& bytes) {
    const QString path = QDir(app.dir()).filePath(QStringLiteral("dropped.xls"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the workbook");
    return path;
}

QByteArray fixture(const QString& name) {
    QFile file(qEnvironmentVariable("NUMERON_TEST_DATA") + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture");
    return file.readAll();
}

// A results sheet of draws 10, 11, 12 whose prize for five matches (column
// 12) is `amount` in draw 11, shown through the format code; the cell of
// draw 11 in column `textColumn` (from 1) is the text `text` when given.
QByteArray resultsBook(double amount, const QString& formatCode, int textColumn = 0,
                       const QString& text = {}) {
    SimpleXls xls;
    const quint16 date = xls.addStyle(14);
    const quint16 styled = xls.addStyle(xls.addFormat(formatCode));
    for (quint16 column = 0; column < 18; ++column)
        xls.label(0, column, QStringLiteral("Колонка"));
    for (quint16 row = 1; row <= 3; ++row) {
        xls.number(row, 0, 9 + row);
        xls.number(row, 1, 45462, date);
        for (quint16 column = 2; column < 18; ++column)
            if (row == 2 && column == textColumn - 1)
                xls.label(row, column, text);
            else if (column != 11)
                xls.number(row, column, column < 8 ? column : 1000);
        xls.number(row, 11, row == 2 ? amount : 1000, row == 2 ? styled : 0);
    }
    return xls.file();
}

} // namespace

void TestXlsImport::damagedFileLeavesEverything_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    // LibreOffice's file with one record length changed from 0x000A to 0xFFFF.
    QByteArray libreOffice = fixture(QStringLiteral("draws_libreoffice.xls"));
    const qsizetype record = libreOffice.indexOf(QByteArray("\xFD\x00\x0A\x00", 4));
    libreOffice[record + 2] = '\xFF';
    libreOffice[record + 3] = '\xFF';
    QTest::newRow("record length 0xFFFF") << libreOffice << QStringLiteral("повреждена");
    QByteArray loop = XlsSamples::results(300).file();
    const qsizetype fatSector =
        512 * (qsizetype(qFromLittleEndian<quint32>(loop.constData() + 76)) + 1);
    qToLittleEndian(quint32(0), loop.data() + fatSector + 4 * 3); // sector 3 links back to 0
    QTest::newRow("sector chain loops") << loop << QStringLiteral("повреждена");
    QTest::newRow("cut short") << XlsSamples::results(300).file().left(5000)
                               << QStringLiteral("повреждена");
    QTest::newRow("a document, not a workbook")
        << writeCompoundFile({{QStringLiteral("WordDocument"), QByteArray(5000, 'w')}})
        << QStringLiteral("не является книгой Excel");
}

void TestXlsImport::damagedFileLeavesEverything() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestApp app;
    app.addDraw(50, {1, 2, 3, 4, 5, 6});
    const QString path = writeFile(app, bytes);
    TForm1& form = app.start();
    form.dispatch([&] { form.ImportWorkbookFile(path); });
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().icon, BoxIcon::Error);
    QVERIFY2(app.boxes.shown.first().text.contains(message), qPrintable(app.boxes.texts().first()));
    QCOMPARE(app.draws(), 1);
    QCOMPARE(form.ADOQuery1->recordCount(), 1);
    QVERIFY(QFile::exists(path));
    QVERIFY(form.Button16->isEnabled());
    QVERIFY(!form.Label17->isHidden());
    QVERIFY(form.PB1->isHidden());
    QVERIFY(form.Label4->isHidden());
    QVERIFY(!form.ADOQuery5->isActive());
}

void TestXlsImport::amountsAsFormatted_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("formatCode");
    QTest::addColumn<int>("stored");     // draws stored
    QTest::addColumn<qlonglong>("chv5"); // of draw 11, when stored
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("ballColumn"); // of draw 11, when its ball is the text `ball`
    QTest::addColumn<QString>("ball");
    QTest::newRow("12.5 shown as 13") << 12.5 << "0" << 3 << 13LL << QString() << 0 << QString();
    QTest::newRow("12.5 shown as 12,50") << 12.5 << "0.00" << 3 << 12LL << QString() << 0 << "";
    QTest::newRow("grouped amount stops the import")
        << 1234.0 << "#,##0" << 1 << 0LL
        << QStringLiteral("'1") + CellDisplay::GroupSeparator +
               QStringLiteral("234' is not a valid floating point value.")
        << 0 << "";
    const QString ballRow = QStringLiteral("Строка 3, столбец %1: шар %2. Импорт остановлен на "
                                           "этой строке, тиражи до неё сохранены.");
    const auto ball = [&](const char* name, int column, const char* text, const char* reason) {
        QTest::newRow(name) << 1000.0 << "0" << 1 << 0LL
                            << ballRow.arg(column).arg(QString::fromUtf8(reason)) << column << text;
    };
    ball("ball 0", 3, "0", "0 вне диапазона от 1 до 49");
    ball("ball 50", 8, "50", "50 вне диапазона от 1 до 49");
    ball("ball -0", 5, "-0", "0 вне диапазона от 1 до 49");
    ball("repeated ball", 7, "3", "3 повторяется в строке");
}

void TestXlsImport::amountsAsFormatted() {
    QFETCH(double, amount);
    QFETCH(QString, formatCode);
    QFETCH(int, stored);
    QFETCH(qlonglong, chv5);
    QFETCH(QString, error);
    QFETCH(int, ballColumn);
    QFETCH(QString, ball);
    TestApp app;
    const QString path = writeFile(app, resultsBook(amount, formatCode, ballColumn, ball));
    TForm1& form = app.start();
    form.dispatch([&] { form.ImportWorkbookFile(path); });
    QCOMPARE(app.draws(), stored);
    if (error.isEmpty()) {
        QCOMPARE(app.boxes.texts(), QStringList{QStringLiteral("База данных обновлена.")});
        QCOMPARE(app.scalar(QStringLiteral("SELECT chv5 FROM razyg WHERE tir = 11")).toLongLong(),
                 chv5);
    } else {
        QCOMPARE(app.boxes.texts(), QStringList{error});
    }
}

QTEST_MAIN(TestXlsImport)
#include "test_xls_import.moc"
