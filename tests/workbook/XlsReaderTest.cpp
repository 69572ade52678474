#include "tests/support/LittleEndian.h"
#include "tests/support/SimpleXls.h"
#include "tests/support/XlsSamples.h"

#include "runtime/AppError.h"
#include "workbook/CellDisplay.h"
#include "workbook/xls/LegacyCodePage.h"
#include "workbook/xls/XlsWorkbook.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// The legacy workbook reader on workbooks the tests write themselves: what
// each kind of cell shows, the ways a compound file may hold the workbook,
// and damaged files, which must end in a clear error (or a correct read),
// never in a crash.
class XlsReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cells_data();
    void cells();
    void biff5Cells_data();
    void biff5Cells();
    void codePages_data();
    void codePages();
    void containers_data();
    void containers();
    void dateSystems_data();
    void dateSystems();
    void refused_data();
    void refused();
    void tooLargeFileIsNotRead();
    void damaged_data();
    void damaged();
    void everyByteFlipped();
};

namespace {

const QString Name = QStringLiteral("test.xls");

// "_" stands for the no-break space that groups digits.
QString shown(const QString& text) {
    return QString(text).replace(QLatin1Char('_'), CellDisplay::GroupSeparator);
}

// The number of records of that id in a workbook stream.
int recordCount(const QByteArray& stream, quint16 id) {
    int count = 0;
    for (qsizetype at = 0; at + 4 <= stream.size();) {
        count += qFromLittleEndian<quint16>(stream.constData() + at) == id ? 1 : 0;
        at += 4 + qFromLittleEndian<quint16>(stream.constData() + at + 2);
    }
    return count;
}

// Where things are in a version 3 compound file written by writeCompoundFile.
constexpr int SectorSize = 512;
qsizetype sectorOffset(quint32 sector) {
    return (qsizetype(sector) + 1) * SectorSize;
}
qsizetype fatEntry(const QByteArray& file, quint32 index) {
    const quint32 fatSector = get32(file, 76 + 4 * (index / 128));
    return sectorOffset(fatSector) + 4 * (index % 128);
}
// The directory entry of the first stream (entry 1; entry 0 is the root).
qsizetype streamEntry(const QByteArray& file) {
    return sectorOffset(get32(file, 48)) + 128;
}

std::unique_ptr<XlsWorkbook> read(const QByteArray& bytes) {
    return std::make_unique<XlsWorkbook>(QByteArrayView(bytes), Name);
}

} // namespace

void XlsReaderTest::cells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    const auto cell = [](const char* name, int row, int column, const char* text) {
        QTest::newRow(name) << row << column << shown(QString::fromUtf8(text));
    };
    cell("shared string", 1, 1, "plain");
    cell("shared string, 16-bit", 1, 2, "Тираж");
    cell("compressed, then 16-bit after CONTINUE", 1, 3,
         "Latin letters come first, then Кириллица after the cut");
    cell("16-bit, then compressed after CONTINUE", 1, 4,
         "Кириллица сначала, then Latin letters after the cut");
    cell("rich text with phonetics", 1, 5, "Дата тиража");
    cell("empty shared string", 1, 6, "");
    cell("string after rich text", 1, 7, "after rich text");
    cell("label, 16-bit", 1, 8, "метка");
    cell("label, compressed", 1, 9, "label");
    cell("\"0\" rounds half up", 2, 1, "13");
    cell("\"0\" rounds 13.5 up", 2, 2, "14");
    cell("\"#,##0\" groups digits", 2, 3, "1_234");
    cell("short date", 2, 4, "19.06.2024");
    cell("custom \"0.000\"", 2, 5, "2,675");
    cell("custom ISO date", 2, 6, "2024-06-19");
    cell("\"#,##0.00\"", 2, 7, "987_654,32");
    cell("General", 2, 8, "12,5");
    cell("General, large", 2, 9, "3000000000");
    cell("custom code with 16-bit text", 2, 10, "1_500 руб.");
    cell("RK integer", 3, 1, "1201");
    cell("RK integer / 100", 3, 2, "12,34");
    cell("RK double", 3, 3, "0,5");
    cell("RK double / 100 in \"0\"", 3, 4, "13");
    cell("RK negative", 3, 5, "-5");
    cell("MULRK first", 3, 6, "17");
    cell("MULRK second", 3, 7, "3");
    cell("MULRK third, grouped", 3, 8, "45_000");
    cell("true", 4, 1, "ИСТИНА");
    cell("false", 4, 2, "ЛОЖЬ");
    cell("error value", 4, 3, "#DIV/0!");
    cell("formula number through \"0\"", 4, 4, "13");
    cell("formula text from STRING", 4, 5, "xy");
    cell("formula boolean", 4, 6, "ИСТИНА");
    cell("formula error", 4, 7, "#N/A");
    cell("formula empty text", 4, 8, "");
    cell("formula text across CONTINUE", 4, 9,
         "a formula's text long enough to run on: Итого за тираж");
    cell("last column", 5, 256, "7");
    cell("beyond the last column", 5, 257, "");
    cell("style the book lacks: General", 5, 2, "12,5");
    cell("NaN", 5, 3, "#NUM!");
    cell("inside an embedded chart", 6, 1, "");
    cell("formatting alone", 8, 1, "");
}

void XlsReaderTest::cells() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    const SimpleXls book = XlsSamples::features();
    QVERIFY(recordCount(book.stream(), 0x003C) >= 4); // the strings do run on
    const auto workbook = read(book.file());
    // Rows 6 (the chart's) and 8 and 9 (formatting alone) are not in use.
    QCOMPARE(workbook->lastUsedRow(), 5);
    QCOMPARE(workbook->cellText(row, column), text);
}

void XlsReaderTest::biff5Cells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("label in code page 1251") << 1 << 1 << QStringLiteral("Тираж");
    QTest::newRow("custom format") << 1 << 2 << shown(QStringLiteral("1_234_567"));
    QTest::newRow("formula text") << 1 << 3 << QStringLiteral("Всего");
    QTest::newRow("RK") << 2 << 1 << QStringLiteral("1201");
}

void XlsReaderTest::biff5Cells() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    // Excel 5 and 95 keep their workbook in a stream named "Book".
    const auto workbook = read(XlsSamples::biff5().file());
    QCOMPARE(workbook->lastUsedRow(), 2);
    QCOMPARE(workbook->cellText(row, column), text);
}

void XlsReaderTest::codePages_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("text");
    QTest::newRow("1251 letters") << QByteArray("\xD2\xE8\xF0\xE0\xE6 \xA8\xB8") << 1251
                                  << QStringLiteral("Тираж Ёё");
    QTest::newRow("1251 signs") << QByteArray("\xB9\xAB\xBB\x96\x88\xA0") << 1251
                                << QStringLiteral("№«»–€\u00A0");
    QTest::newRow("1251 Ukrainian and Serbian")
        << QByteArray("\xAA\xBA\xB2\xB3\xAF\xBF\xA5\xB4\x80\x9A") << 1251
        << QStringLiteral("ЄєІіЇїҐґЂљ");
    QTest::newRow("1252") << QByteArray("\x80\x8A\x9F\xE9") << 1252 << QStringLiteral("€ŠŸé");
    QTest::newRow("1252 as BIFF writes it") << QByteArray("\x80") << 0x8001 << QStringLiteral("€");
    QTest::newRow("unknown code page: Latin-1")
        << QByteArray("a\xE9") << 4242 << QStringLiteral("aé");
}

void XlsReaderTest::codePages() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, codePage);
    QFETCH(QString, text);
    QCOMPARE(LegacyCodePage::decode(bytes, codePage), text);
}

void XlsReaderTest::containers_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");
    const QByteArray small = XlsSamples::results(3).stream();
    const QByteArray large = XlsSamples::results(300).stream();
    QVERIFY(small.size() < 4096 && large.size() >= 4096);
    QTest::newRow("mini stream") << writeCompoundFile({{QStringLiteral("Workbook"), small}}) << 4;
    QTest::newRow("regular sectors")
        << writeCompoundFile({{QStringLiteral("Workbook"), large}}) << 301;
    QTest::newRow("4096-byte sectors")
        << writeCompoundFile({{QStringLiteral("Workbook"), large}}, 4) << 301;
    QTest::newRow("mini stream in 4096-byte sectors")
        << writeCompoundFile({{QStringLiteral("Workbook"), small}}, 4) << 4;
    QTest::newRow("beside other streams, name in capitals")
        << writeCompoundFile({{QStringLiteral("\x05SummaryInformation"), QByteArray(200, 'x')},
                              {QStringLiteral("WORKBOOK"), small},
                              {QStringLiteral("Ctls"), QByteArray(5000, 'y')}})
        << 4;
    // More than 109 sectors of the allocation table: the rest are named by a
    // DIFAT sector.
    const QByteArray difat =
        writeCompoundFile({{QStringLiteral("Workbook"), large},
                           {QStringLiteral("Pictures"), QByteArray(7500000, 'p')}});
    QVERIFY(get32(difat, 72) == 1 && get32(difat, 44) > 109);
    QTest::newRow("DIFAT chain") << difat << 301;
}

void XlsReaderTest::containers() {
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    const auto workbook = read(file);
    QCOMPARE(workbook->lastUsedRow(), rows);
    QCOMPARE(workbook->cellText(1, 18), QStringLiteral("Колонка 18"));
    QCOMPARE(workbook->cellText(2, 1), QStringLiteral("1001"));
    QCOMPARE(workbook->cellText(2, 2), QStringLiteral("16.03.2023"));
    QCOMPARE(workbook->cellText(2, 10), QStringLiteral("1001,50"));
    QCOMPARE(workbook->cellText(rows, 17),
             QString::number(3000000000LL + rows - 1) + QStringLiteral(",00"));
}

void XlsReaderTest::dateSystems_data() {
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<double>("serial");
    QTest::addColumn<QString>("text");
    QTest::newRow("1904: day 0") << true << 0.0 << QStringLiteral("01.01.1904");
    QTest::newRow("1904: a draw") << true << 44000.0 << QStringLiteral("19.06.2024");
    QTest::newRow("1900: the same serial") << false << 44000.0 << QStringLiteral("18.06.2020");
    QTest::newRow("1900: a draw") << false << 45462.0 << QStringLiteral("19.06.2024");
}

void XlsReaderTest::dateSystems() {
    QFETCH(bool, date1904);
    QFETCH(double, serial);
    QFETCH(QString, text);
    SimpleXls xls;
    xls.setDate1904(date1904);
    xls.number(0, 0, serial, xls.addStyle(14));
    QCOMPARE(read(xls.file())->cellText(1, 1), text);
}

void XlsReaderTest::refused_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QString notWorkbook = QStringLiteral("Файл «test.xls» не является книгой Excel");
    QTest::newRow("a document, not a workbook")
        << writeCompoundFile({{QStringLiteral("WordDocument"), QByteArray(6000, 'w')}})
        << notWorkbook;
    QTest::newRow("no streams at all") << writeCompoundFile({}) << notWorkbook;
    QTest::newRow("a stream of another name")
        << writeCompoundFile({{QStringLiteral("Book1"), QByteArray(10, 'b')}}) << notWorkbook;
    SimpleXls encrypted;
    encrypted.setEncrypted(true);
    QTest::newRow("encrypted") << encrypted.file()
                               << QStringLiteral(
                                      "Книга «test.xls» защищена паролем: сохраните её без пароля");
    QTest::newRow("not BIFF records")
        << writeCompoundFile({{QStringLiteral("Workbook"), QByteArray(5000, '\0')}})
        << QStringLiteral("Книга «test.xls» повреждена: поток книги не начинается с описания "
                          "книги");
}

void XlsReaderTest::refused() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    try {
        read(file);
        QFAIL("the file was read");
    } catch (const AppError& error) {
        QCOMPARE(error.message(), message);
    }
}

void XlsReaderTest::tooLargeFileIsNotRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.xls"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(XlsSamples::results(3).file());
    QVERIFY(file.resize(XlsWorkbook::MaxFileSize + 1)); // sparse: no room taken on disk
    file.close();
    try {
        Workbook::open(path);
        QFAIL("the file was read");
    } catch (const AppError& error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Книга «%1» слишком велика: читаются книги до 64 МБ").arg(path));
    }
}

namespace {

enum class Damage {
    CutInHeader,
    CutInHalf,
    CutLastByte,
    FatLoop,
    FatSelfLoop,
    StreamSectorPastEnd,
    FatSectorPastEnd,
    HugeFatCount,
    DifatLoop,
    HugeStreamSize,
    StreamSizeCutsRecord,
    DirectoryLoop,
    DirectoryLinkPastEnd,
    MiniFatLoop,
    RecordLengthPastEnd,
};

enum class Outcome { Error, Reads, Either };

QByteArray damagedFile(Damage damage) {
    // The record length case needs a short stream: in a long one the record
    // would swallow the next 64 KB and be read as whatever follows.
    const bool mini = damage == Damage::MiniFatLoop || damage == Damage::RecordLengthPastEnd;
    const bool difat = damage == Damage::DifatLoop;
    QList<CompoundStream> streams{
        {QStringLiteral("Workbook"), XlsSamples::results(mini ? 3 : 300).stream()}};
    if (difat)
        streams.append({QStringLiteral("Pictures"), QByteArray(7500000, 'p')});
    QByteArray file = writeCompoundFile(streams);
    const quint32 start = get32(file, streamEntry(file) + 116);
    switch (damage) {
    case Damage::CutInHeader:
        file.truncate(300);
        break;
    case Damage::CutInHalf:
        file.truncate(file.size() / 2);
        break;
    case Damage::CutLastByte:
        file.chop(1);
        break;
    case Damage::FatLoop:
        set32(file, fatEntry(file, start + 2), start);
        break;
    case Damage::FatSelfLoop:
        set32(file, fatEntry(file, start), start);
        break;
    case Damage::StreamSectorPastEnd:
        set32(file, streamEntry(file) + 116, 0x00FFFF00);
        break;
    case Damage::FatSectorPastEnd:
        set32(file, 76, 0x00FFFF00);
        break;
    case Damage::HugeFatCount:
        set32(file, 44, 0x7FFFFFFF);
        break;
    case Damage::DifatLoop: {
        // The DIFAT sector links to itself and the header asks for more.
        const quint32 sector = get32(file, 68);
        set32(file, sectorOffset(sector) + SectorSize - 4, sector);
        set32(file, 72, 3);
        set32(file, 44, get32(file, 44) + 300);
        break;
    }
    case Damage::HugeStreamSize:
        set32(file, streamEntry(file) + 120, 0xFFFFFFF0);
        break;
    case Damage::StreamSizeCutsRecord:
        set32(file, streamEntry(file) + 120, get32(file, streamEntry(file) + 120) - 3);
        break;
    case Damage::DirectoryLoop:
        set32(file, streamEntry(file) + 72, 1); // its right sibling is itself
        break;
    case Damage::DirectoryLinkPastEnd:
        set32(file, streamEntry(file) - 128 + 76, 5000); // the root's child
        break;
    case Damage::MiniFatLoop: {
        const quint32 miniFat = get32(file, 60);
        set32(file, sectorOffset(miniFat) + 4 * (start + 1), start);
        break;
    }
    case Damage::RecordLengthPastEnd: {
        // The length of the last LABELSST record of the heading, as in a
        // LibreOffice file damaged the same way.
        const qsizetype at = file.lastIndexOf(QByteArray("\xFD\x00\x0A\x00", 4));
        file[at + 2] = '\xFF';
        file[at + 3] = '\xFF';
        break;
    }
    }
    return file;
}

} // namespace

void XlsReaderTest::damaged_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("outcome");
    const auto row = [](const char* name, Damage damage, Outcome outcome) {
        QTest::newRow(name) << damagedFile(damage) << int(outcome);
    };
    row("cut in the header", Damage::CutInHeader, Outcome::Error);
    row("cut in half", Damage::CutInHalf, Outcome::Error);
    row("last byte cut", Damage::CutLastByte, Outcome::Either);
    row("sector chain loops", Damage::FatLoop, Outcome::Error);
    row("sector links to itself", Damage::FatSelfLoop, Outcome::Error);
    row("stream begins past the end", Damage::StreamSectorPastEnd, Outcome::Error);
    row("table sector past the end", Damage::FatSectorPastEnd, Outcome::Error);
    row("huge table size", Damage::HugeFatCount, Outcome::Error);
    row("DIFAT chain loops", Damage::DifatLoop, Outcome::Error);
    row("huge stream size", Damage::HugeStreamSize, Outcome::Error);
    row("stream size cuts a record", Damage::StreamSizeCutsRecord, Outcome::Error);
    row("directory loops", Damage::DirectoryLoop, Outcome::Error);
    row("directory link past the end", Damage::DirectoryLinkPastEnd, Outcome::Error);
    row("mini sector chain loops", Damage::MiniFatLoop, Outcome::Error);
    row("record length 0xFFFF", Damage::RecordLengthPastEnd, Outcome::Error);

    // Damage inside the records, written so by the test writer.
    SimpleXls hugeCount = XlsSamples::results(3);
    hugeCount.setSharedStringCounts(0x80000000, 0x80000000);
    QTest::newRow("string table claims 2^31 strings") << hugeCount.file() << int(Outcome::Reads);
    SimpleXls hugeDimensions = XlsSamples::results(3);
    hugeDimensions.setDimensions(0, 0xFFFFFFFF, 0, 0xFFFF);
    QTest::newRow("huge DIMENSIONS") << hugeDimensions.file() << int(Outcome::Reads);
    SimpleXls missingString = XlsSamples::results(3);
    missingString.labelSst(5, 0, 18);
    QTest::newRow("string index past the table") << missingString.file() << int(Outcome::Error);
    SimpleXls shortRecord = XlsSamples::results(3);
    shortRecord.sheetRecord(0x0203, QByteArray(6, '\0')); // NUMBER without its value
    QTest::newRow("record shorter than its fields") << shortRecord.file() << int(Outcome::Error);
    SimpleXls lostSheet = XlsSamples::results(3);
    QByteArray stream = lostSheet.stream();
    const qsizetype sheetList = stream.indexOf(QByteArray("\x85\x00", 2));
    set32(stream, sheetList + 4, quint32(stream.size() + 100));
    QTest::newRow("sheet offset past the stream")
        << writeCompoundFile({{QStringLiteral("Workbook"), stream}}) << int(Outcome::Error);
}

void XlsReaderTest::damaged() {
    QFETCH(QByteArray, file);
    QFETCH(int, outcome);
    try {
        const auto workbook = read(file);
        QVERIFY2(outcome != int(Outcome::Error), "the damage went unnoticed");
        QCOMPARE(workbook->cellText(2, 1), QStringLiteral("1001"));
    } catch (const AppError& error) {
        QVERIFY2(outcome != int(Outcome::Reads), qPrintable(error.message()));
        QVERIFY2(error.message().startsWith(QStringLiteral("Книга «test.xls» повреждена: ")),
                 qPrintable(error.message()));
    }
}

void XlsReaderTest::everyByteFlipped() {
    // Each byte of a small book in turn, and a few hundred random sets of
    // bytes of a larger one, changed: every variant is read or refused.
    QElapsedTimer timer;
    timer.start();
    const QByteArray small = XlsSamples::features().file();
    int refused = 0;
    const auto attempt = [&](const QByteArray& variant) {
        try {
            const auto workbook = read(variant);
            for (int row = 1; row <= qMin(workbook->lastUsedRow(), 50); ++row)
                for (int column = 1; column <= 20; ++column)
                    workbook->cellText(row, column);
        } catch (const AppError&) {
            ++refused;
        }
    };
    for (qsizetype i = 0; i < small.size(); ++i) {
        QByteArray variant = small;
        variant[i] = char(~variant.at(i));
        attempt(variant);
    }
    QRandomGenerator random(11);
    const QByteArray large = XlsSamples::results(300).file();
    for (int n = 0; n < 300; ++n) {
        QByteArray variant = large;
        for (int k = 0; k < 8; ++k)
            variant[random.bounded(int(variant.size()))] = char(random.bounded(256));
        attempt(variant);
    }
    QVERIFY(refused > 0);
    qInfo("%d of %lld variants refused in %lld ms", refused, qint64(small.size()) + 300,
          qint64(timer.elapsed()));
}

QTEST_GUILESS_MAIN(XlsReaderTest)
#include "XlsReaderTest.moc"
