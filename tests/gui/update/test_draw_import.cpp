#include "tests/gui/support/TestSupport.h"
#include "tests/hostile/HostileWorkbooks.h"
#include "tests/support/MockClock.h"
#include "tests/support/SimpleXlsx.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "update/DrawImport.h"
#include "widgets/LinkLabel.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

class TestDrawImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortedBalls_data();
    void sortedBalls();
    void progress_data();
    void progress();
    void progressShownPerRow_data();
    void progressShownPerRow();
    void outcome_data();
    void outcome();
    void storesEveryColumn();
    void directInsertStoresTheSameRow();
    void amounts_data();
    void amounts();
    void badRowStopsAndWindowReturnsToRest_data();
    void badRowStopsAndWindowReturnsToRest();
    void droppedFileIsNeverDeleted_data();
    void droppedFileIsNeverDeleted();
    void damagedWorkbookLeavesTheWindowAtRest_data();
    void damagedWorkbookLeavesTheWindowAtRest();
    void countsAndFailingCell();
    void earlierChunksReachTheDiskDuringTheImport();
};

namespace {
using Rows = QList<QStringList>;
QString write(const TestApp& app, const Rows& rows) {
    const QString path = QDir(app.dir()).filePath(QStringLiteral("source.xlsx"));
    if (!writeSimpleXlsx(path, rows))
        qFatal("cannot write workbook");
    return path;
}
// A workbook held in memory; onRead runs before a cell of column 1 is read.
class MemoryWorkbook : public Workbook {
public:
    explicit MemoryWorkbook(Rows rows) : m_rows(std::move(rows)) {}
    int lastUsedRow() const override { return int(m_rows.size()); }
    QString cellText(int row, int column) const override {
        if (column == 1 && onRead)
            onRead(row);
        const QStringList& cells = m_rows.at(row - 1);
        return column <= cells.size() ? cells.at(column - 1) : QString();
    }
    std::function<void(int row)> onRead;

private:
    Rows m_rows;
};
} // namespace

void TestDrawImport::sortedBalls_data() {
    QTest::addColumn<QList<int>>("drawn");
    QTest::addColumn<QList<int>>("sorted");
    QTest::newRow("drawn order") << QList<int>{17, 3, 45, 8, 29, 1}
                                 << QList<int>{1, 3, 8, 17, 29, 45};
    QTest::newRow("sorted already") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("descending") << QList<int>{6, 5, 4, 3, 2, 1} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("repeats") << QList<int>{5, 1, 5, 0, 1, 9} << QList<int>{0, 1, 1, 5, 5, 9};
}

void TestDrawImport::sortedBalls() {
    QFETCH(QList<int>, drawn);
    QFETCH(QList<int>, sorted);
    std::array<int, 6> balls{};
    std::copy(drawn.begin(), drawn.end(), balls.begin());
    const auto result = DrawImport::sortedBalls(balls);
    QCOMPARE(QList<int>(result.begin(), result.end()), sorted);
}

void TestDrawImport::progress_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("percent");
    QTest::newRow("2 of 4") << 2 << 4 << 50;
    QTest::newRow("3 of 4") << 3 << 4 << 75;
    QTest::newRow("4 of 4") << 4 << 4 << 100;
    QTest::newRow("2 of 3") << 2 << 3 << 66;
    QTest::newRow("3 of 3") << 3 << 3 << 100;
    QTest::newRow("2 of 10001") << 2 << 10001 << 0;
}

void TestDrawImport::progress() {
    QFETCH(int, row);
    QFETCH(int, rows);
    QFETCH(int, percent);
    QCOMPARE(DrawImport::progressPercent(row, rows), percent);
}

void TestDrawImport::progressShownPerRow_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("three draws") << 3
                                 << QStringList{QStringLiteral("Загружено: 50%"),
                                                QStringLiteral("Загружено: 75%"),
                                                QStringLiteral("Загружено: 100%")};
    QTest::newRow("two draws") << 2
                               << QStringList{QStringLiteral("Загружено: 66%"),
                                              QStringLiteral("Загружено: 100%")};
}

void TestDrawImport::progressShownPerRow() {
    QFETCH(int, draws);
    QFETCH(QStringList, labels);
    TestApp app;
    Rows rows{resultsHeading()};
    for (int i = 0; i < draws; ++i)
        rows.append(resultsRow(100 + i, QStringLiteral("19.06.2024"), {1, 2, 3, 4, 5, 6}));
    const QString path = write(app, rows);
    TForm1& form = app.start();
    QStringList seen;
    connect(form.PB1, &QProgressBar::valueChanged, &form, [&](int value) {
        if (value > 0)
            seen.append(form.Label4->text());
    });
    form.ImportWorkbookFile(path);
    QCOMPARE(seen, labels);
    QVERIFY(form.PB1->isHidden());
    QVERIFY(form.Label4->isHidden());
    QCOMPARE(form.Label4->text(), QStringLiteral("Загружено:0%"));
}

void TestDrawImport::outcome_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");
    const QString date = QStringLiteral("19.06.2024");
    QTest::newRow("heading only") << Rows{resultsHeading()} << 1
                                  << QStringLiteral("Источник не содежит обновлений.");
    QTest::newRow("all present") << Rows{resultsHeading(), resultsRow(50, date, {9, 8, 7, 6, 5, 4})}
                                 << 1 << QStringLiteral("Источник не содежит обновлений.");
    QTest::newRow("new draws") << Rows{resultsHeading(), resultsRow(51, date, {1, 2, 3, 4, 5, 6}),
                                       resultsRow(50, date, {9, 8, 7, 6, 5, 4}),
                                       resultsRow(52, date, {1, 2, 3, 4, 5, 7})}
                               << 3 << QStringLiteral("База данных обновлена.");
    QTest::newRow("a draw twice is stored once")
        << Rows{resultsHeading(), resultsRow(53, date, {1, 2, 3, 4, 5, 6}),
                resultsRow(53, date, {1, 2, 3, 4, 5, 6})}
        << 2 << QStringLiteral("База данных обновлена.");
}

void TestDrawImport::outcome() {
    QFETCH(Rows, rows);
    QFETCH(int, stored);
    QFETCH(QString, message);
    TestApp app;
    app.addDraw(50, {1, 1, 1, 1, 1, 1});
    const QString path = write(app, rows);
    TForm1& form = app.start();
    form.ImportWorkbookFile(path);
    QCOMPARE(app.boxes.texts(), QStringList{message});
    QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Обновление данных"));
    QCOMPARE(app.boxes.shown.first().icon, BoxIcon::Information);
    QCOMPARE(app.draws(), stored);
    // The stored draw 50 is left as it was.
    QCOMPARE(app.scalar(QStringLiteral("SELECT ss1 FROM razyg WHERE tir = 50")).toInt(), 1);
    QVERIFY(!QFile::exists(form.ResultsFileName));
    QVERIFY(QFile::exists(path));
    // The draw list was reloaded.
    QCOMPARE(form.ADOQuery1->recordCount(), stored);
    QVERIFY(form.Button16->isEnabled());
    QVERIFY(!form.Label17->isHidden());
    QVERIFY(!form.ADOQuery5->isActive());
}

void TestDrawImport::storesEveryColumn() {
    TestApp app;
    QStringList row{
        QStringLiteral("1234"),       QStringLiteral("19.06.2024"), QStringLiteral("17"),
        QStringLiteral("3"),          QStringLiteral("45"),         QStringLiteral("8"),
        QStringLiteral("29"),         QStringLiteral("1"),          QStringLiteral("1"),
        QStringLiteral("3000000000"), QStringLiteral("2"),          QStringLiteral("150000,4"),
        QStringLiteral("44"),         QStringLiteral("2500"),       QStringLiteral("901"),
        QStringLiteral("300"),        QStringLiteral("12000000"),   QStringLiteral("35000000")};
    const QString path = write(app, {resultsHeading(), row});
    TForm1& form = app.start();
    form.ImportWorkbookFile(path);
    QCOMPARE(
        app
            .scalar(QStringLiteral(
                "SELECT group_concat(v, ' ') FROM (SELECT s1 v FROM razyg UNION ALL SELECT s2 "
                "FROM razyg UNION ALL SELECT s3 FROM razyg UNION ALL SELECT s4 FROM razyg UNION "
                "ALL SELECT s5 FROM razyg UNION ALL SELECT s6 FROM razyg)"))
            .toString(),
        QStringLiteral("1 3 8 17 29 45"));
    QCOMPARE(app.scalar(QStringLiteral("SELECT ss1 || ' ' || ss2 || ' ' || ss3 || ' ' || ss4 || "
                                       "' ' || ss5 || ' ' || ss6 FROM razyg"))
                 .toString(),
             QStringLiteral("17 3 45 8 29 1"));
    QCOMPARE(app.scalar(QStringLiteral("SELECT chv6 FROM razyg")).toLongLong(), 3000000000LL);
    QCOMPARE(app.scalar(QStringLiteral("SELECT chv5 FROM razyg")).toLongLong(), 150000LL);
    QCOMPARE(app.scalar(QStringLiteral("SELECT ch3 FROM razyg")).toInt(), 901);
    QCOMPARE(app.scalar(QStringLiteral("SELECT pfond FROM razyg")).toLongLong(), 35000000LL);
    QCOMPARE(app.scalar(QStringLiteral("SELECT tirdate FROM razyg")).toString(),
             QStringLiteral("2024-06-19"));
    QCOMPARE(app.scalar(QStringLiteral("SELECT typeof(chv6) FROM razyg")).toString(),
             QStringLiteral("integer"));
}

void TestDrawImport::directInsertStoresTheSameRow() {
    // The command line's insert without a dataset writes what the window's
    // post writes: the same values of the same types.
    ImportedDraw draw;
    draw.tir = 1234;
    draw.date = QDate(2024, 6, 19);
    draw.drawn = {17, 3, 45, 8, 29, 1};
    draw.ch6 = 1;
    draw.chv6 = 3000000000;
    draw.ch5 = 2;
    draw.chv5 = 150000;
    draw.ch4 = 44;
    draw.chv4 = 2500;
    draw.ch3 = 901;
    draw.chv3 = 300;
    draw.djp = 12000000;
    draw.pfond = 35000000;
    TestApp viaDataset;
    TestApp direct;
    Connection first(QStringLiteral("dataset"));
    first.open(viaDataset.dbPath());
    Query target(&first, QStringLiteral("ADOQuery5"));
    target.setSql(QStringLiteral("select * from razyg order by tir desc"));
    target.open();
    DrawImport::insertDraw(target, draw);
    Connection second(QStringLiteral("direct"));
    second.open(direct.dbPath());
    DrawImport::insertDraw(second, draw);

    QStringList columns;
    for (const char* name : {"tir", "s1",   "s2",   "s3",   "s4",   "s5",  "s6",    "ss1",
                             "ss2", "ss3",  "ss4",  "ss5",  "ss6",  "ch6", "ch5",   "ch4",
                             "ch3", "chv6", "chv5", "chv4", "chv3", "djp", "pfond", "tirdate"})
        columns.append(QStringLiteral("typeof(%1) || ':' || quote(%1)").arg(QLatin1String(name)));
    const QString row = QStringLiteral("SELECT ") + columns.join(QStringLiteral(" || ' ' || ")) +
                        QStringLiteral(" FROM razyg");
    QCOMPARE(direct.scalar(row).toString(), viaDataset.scalar(row).toString());
    QVERIFY(direct.scalar(row).toString().startsWith(QStringLiteral("integer:1234 integer:1 ")));
}

void TestDrawImport::amounts_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qlonglong>("stored");
    QTest::newRow("12,5 to even") << "12,5" << 12LL;
    QTest::newRow("13,5 to even") << "13,5" << 14LL;
    QTest::newRow("12,51 up") << "12,51" << 13LL;
    QTest::newRow("beyond 32 bits") << "5000000000,5" << 5000000000LL;
}

void TestDrawImport::amounts() {
    QFETCH(QString, amount);
    QFETCH(qlonglong, stored);
    TestApp app;
    const QString path = write(app, {resultsHeading(), resultsRow(7, QStringLiteral("01.02.2024"),
                                                                  {1, 2, 3, 4, 5, 6}, amount)});
    TForm1& form = app.start();
    form.ImportWorkbookFile(path);
    QCOMPARE(app.scalar(QStringLiteral("SELECT chv5 FROM razyg")).toLongLong(), stored);
}

void TestDrawImport::badRowStopsAndWindowReturnsToRest_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty first cell") << 0 << QString() << "'' is not a valid integer value.";
    QTest::newRow("grouped amount")
        << 9 << QString::fromUtf8("1 234") << "'1 234' is not a valid floating point value.";
    QTest::newRow("date in another form") << 1 << "2024-06-19"
                                          << "'2024-06-19' is not a valid date.";
    QTest::newRow("words for a ball")
        << 4 << "семь" << QString::fromUtf8("'семь' is not a valid integer value.");
}

void TestDrawImport::badRowStopsAndWindowReturnsToRest() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, error);
    TestApp app;
    Rows rows{resultsHeading()};
    for (int i = 0; i < 9; ++i)
        rows.append(resultsRow(10 + i, QStringLiteral("19.06.2024"), {1, 2, 3, 4, 5, 6}));
    rows[4][column] = text; // sheet row 5
    const QString path = write(app, rows);
    TForm1& form = app.start();
    // When the error box shows, the window is at rest and the list shows the
    // rows kept.
    int listed = -1;
    bool atRest = false;
    app.boxes.onShow = [&](const BoxRequest&) {
        listed = form.ADOQuery1->recordCount();
        atRest = form.Button16->isEnabled() && !form.Label17->isHidden() && form.PB1->isHidden() &&
                 form.Label4->isHidden() && !form.ADOQuery5->isActive();
    };
    form.dispatch([&] { form.ImportWorkbookFile(path); });
    QCOMPARE(app.boxes.texts(), QStringList{error});
    QCOMPARE(app.draws(), 3); // rows 2 to 4 kept
    QCOMPARE(listed, 3);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 12);
    QVERIFY(atRest);
    QVERIFY(QFile::exists(path));
}

void TestDrawImport::droppedFileIsNeverDeleted_data() {
    QTest::addColumn<QString>("name");    // the file written in the program folder
    QTest::addColumn<QString>("dropped"); // the path dropped, relative to that folder
    QTest::addColumn<bool>("badRow");
    QTest::addColumn<QString>("message");
    const QString updated = QStringLiteral("База данных обновлена.");
    const QString bad = QStringLiteral("'x' is not a valid integer value.");
    QTest::newRow("another file") << "source.xlsx"
                                  << "source.xlsx" << false << updated;
    QTest::newRow("results.xlsx itself") << "results.xlsx"
                                         << "results.xlsx" << false << updated;
    QTest::newRow("results.xlsx by another spelling")
        << "results.xlsx"
        << "./sub/../results.xlsx" << false << updated;
    QTest::newRow("results.xlsx through a link") << "results.xlsx"
                                                 << "link.xlsx" << false << updated;
    QTest::newRow("results.xlsx that fails") << "results.xlsx"
                                             << "results.xlsx" << true << bad;
}

void TestDrawImport::droppedFileIsNeverDeleted() {
    QFETCH(QString, name);
    QFETCH(QString, dropped);
    QFETCH(bool, badRow);
    QFETCH(QString, message);
    TestApp app;
    const QDir dir(app.dir());
    QVERIFY(dir.mkpath(QStringLiteral("sub")));
    Rows rows{resultsHeading(), resultsRow(5, QStringLiteral("01.02.2024"), {1, 2, 3, 4, 5, 6}),
              resultsRow(6, QStringLiteral("01.02.2024"), {1, 2, 3, 4, 5, 6})};
    if (badRow)
        rows[2][0] = QStringLiteral("x");
    const QString file = dir.filePath(name);
    QVERIFY(writeSimpleXlsx(file, rows));
    QVERIFY(QFile::link(file, dir.filePath(QStringLiteral("link.xlsx"))));
    QFile original(file);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray content = original.readAll();
    const QStringList workbooks{QStringLiteral("*.xlsx")};
    const QStringList before = dir.entryList(workbooks, QDir::Files | QDir::System);

    TForm1& form = app.start();
    form.dispatch([&] { form.ImportWorkbookFile(dir.filePath(dropped)); });
    QCOMPARE(app.boxes.texts(), QStringList{message});
    QCOMPARE(app.draws(), badRow ? 1 : 2);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), badRow ? 5 : 6);
    // The dropped file is as it was, and no copy is left behind.
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), content);
    QCOMPARE(dir.entryList(workbooks, QDir::Files | QDir::System), before);
    QCOMPARE(form.ResultsFileName, dir.filePath(QStringLiteral("results.xlsx")));
}

void TestDrawImport::damagedWorkbookLeavesTheWindowAtRest_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("row beyond the sheet")
        << workbookPackage({"<row r=\"1048577\"><c><v>1</v></c></row>", {}, 0, {}})
        << QStringLiteral("Книга повреждена: строка 1048577 за пределами листа (строк не "
                          "больше 1 048 576)");
    QTest::newRow("part inflating far beyond the file")
        << workbookPackage({QByteArray(), " ", qint64(80) << 20, QByteArray()})
        << QStringLiteral("её части распаковываются больше чем в");
}

void TestDrawImport::damagedWorkbookLeavesTheWindowAtRest() {
    // The workbook is read off the GUI thread; its failure still reaches the
    // error box, and the window returns to rest with the database unchanged.
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestApp app;
    app.addDraw(50, {1, 2, 3, 4, 5, 6});
    const QString path = QDir(app.dir()).filePath(QStringLiteral("damaged.xlsx"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    TForm1& form = app.start();
    form.dispatch([&] { form.ImportWorkbookFile(path); });
    QCOMPARE(app.boxes.shown.size(), 1);
    QVERIFY2(app.boxes.shown.first().text.contains(message),
             qPrintable(app.boxes.shown.first().text));
    QCOMPARE(app.boxes.shown.first().icon, BoxIcon::Error);
    QCOMPARE(app.draws(), 1);
    QVERIFY(form.Button16->isEnabled());
    QVERIFY(!form.Label17->isHidden());
    QVERIFY(form.PB1->isHidden());
    QVERIFY(form.Label4->isHidden());
    QVERIFY(!form.ADOQuery5->isActive());
    QVERIFY(QFile::exists(path));
}

void TestDrawImport::countsAndFailingCell() {
    TestApp app;
    app.addDraw(11, {1, 2, 3, 4, 5, 6});
    const QString date = QStringLiteral("19.06.2024");
    Rows rows{resultsHeading(), resultsRow(10, date, {1, 2, 3, 4, 5, 6}),
              resultsRow(11, date, {1, 2, 3, 4, 5, 6}), resultsRow(12, date, {1, 2, 3, 4, 5, 6})};
    rows[3][5] = QStringLiteral("x5"); // sheet row 4, column 6
    const MemoryWorkbook book(rows);
    TForm1& form = app.start();
    form.ADOQuery5->open();
    DrawImport::ImportCounts counts;
    int found = 0;
    try {
        DrawImport::importRows(book, *form.ADOConnection1, *form.ADOQuery5, found, counts, {});
        QFAIL("the bad cell was accepted");
    } catch (const DrawImport::ImportRowError& e) {
        QCOMPARE(e.row(), 4);
        QCOMPARE(e.column(), 6);
        QCOMPARE(e.cellText(), QStringLiteral("x5"));
        QCOMPARE(e.message(), QStringLiteral("'x5' is not a valid integer value"));
    }
    QCOMPARE(counts.rowsRead, 2);
    QCOMPARE(counts.added, 1);
    QCOMPARE(counts.alreadyStored, 1);
    QCOMPARE(found, 12);
    QCOMPARE(app.draws(), 2);
}

void TestDrawImport::earlierChunksReachTheDiskDuringTheImport() {
    // A process killed during a long import keeps what it read more than a
    // chunk's time before: another connection already sees those draws.
    TestApp app;
    Rows rows{resultsHeading()};
    for (int i = 0; i < 4; ++i)
        rows.append(resultsRow(20 + i, QStringLiteral("19.06.2024"), {1, 2, 3, 4, 5, 6}));
    MemoryWorkbook book(rows);
    int seenByOthers = -1;
    MockClock clock;
    book.onRead = [&](int row) {
        if (row == 3)
            clock.advance(400); // a slow stretch: the chunk ends after this row
        if (row == 4)
            seenByOthers = app.draws();
    };
    TForm1& form = app.start();
    form.ADOQuery5->open();
    DrawImport::ImportCounts counts;
    int found = 0;
    DrawImport::importRows(book, *form.ADOConnection1, *form.ADOQuery5, found, counts, {});
    QCOMPARE(seenByOthers, 2);
    QCOMPARE(app.draws(), 4);
    QCOMPARE(counts.added, 4);
}

QTEST_MAIN(TestDrawImport)
#include "test_draw_import.moc"
