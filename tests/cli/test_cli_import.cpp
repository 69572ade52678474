// numeron-cli import: counts, failing rows, unreadable workbooks, and a
// database another program keeps locked.
#include "tests/cli/CliTestSupport.h"
#include "tests/support/SimpleXlsx.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

class TestCliImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overlappingWorkbooks();
    void failingRow_data();
    void failingRow();
    void unreadableWorkbook_data();
    void unreadableWorkbook();
    void lockedDatabase_data();
    void lockedDatabase();
};

namespace {

using Rows = QList<QStringList>;
const QString kDate = QStringLiteral("19.06.2024");

QByteArray checksum(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString countsLine(const QString& file, int read, int added, int stored) {
    return QStringLiteral("«%1»: прочитано строк: %2, добавлено тиражей: %3, уже были в базе: %4")
        .arg(file)
        .arg(read)
        .arg(added)
        .arg(stored);
}

// A second connection to the database that holds a lock while the test runs.
class LockHolder {
public:
    explicit LockHolder(const QString& path) { sqlite3_open(path.toUtf8().constData(), &m_db); }
    ~LockHolder() { sqlite3_close(m_db); }
    // "write": the write lock another writer (the window posting) holds;
    // "read": a read transaction (a window reading) that keeps a commit out.
    void take(const QString& kind) {
        if (kind == QLatin1String("write"))
            exec("BEGIN IMMEDIATE");
        else
            exec("BEGIN; SELECT count(*) FROM razyg;");
    }
    void release() { exec("COMMIT"); }

private:
    void exec(const char* sql) {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("lock: %s", sqlite3_errmsg(m_db));
    }
    sqlite3* m_db = nullptr;
};

} // namespace

void TestCliImport::overlappingWorkbooks() {
    CliFolder cli;
    const QString first = cli.writeWorkbook(
        QStringLiteral("first.xlsx"),
        {resultsHeading(), resultsRow(10, kDate, {17, 3, 45, 8, 29, 1}),
         resultsRow(11, kDate, {1, 2, 3, 4, 5, 6}), resultsRow(12, kDate, {7, 8, 9, 10, 11, 12})});
    const QString second = cli.writeWorkbook(
        QStringLiteral("second.xlsx"),
        {resultsHeading(), resultsRow(12, QStringLiteral("01.01.2000"), {40, 41, 42, 43, 44, 45}),
         resultsRow(13, kDate, {13, 14, 15, 16, 17, 18})});
    const QByteArray firstSum = checksum(first);
    const QByteArray secondSum = checksum(second);

    const CliRun run = cli.run(
        {QStringLiteral("import"), QStringLiteral("first.xlsx"), QStringLiteral("second.xlsx")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.errText(), cli.databaseLine()); // no progress bar outside a terminal
    QCOMPARE(run.outText(), countsLine(QStringLiteral("first.xlsx"), 3, 3, 0) + QLatin1Char('\n') +
                                countsLine(QStringLiteral("second.xlsx"), 2, 1, 1) +
                                QLatin1Char('\n'));
    QCOMPARE(cli.app.draws(), 4);
    // The stored draw 12 is the first workbook's, untouched by the second.
    QCOMPARE(
        cli.app.scalar(QStringLiteral("SELECT ss1 || ' ' || tirdate FROM razyg WHERE tir = 12"))
            .toString(),
        QStringLiteral("7 2024-06-19"));
    // Balls sorted in s1 ... s6, in drawn order in ss1 ... ss6.
    QCOMPARE(cli.app
                 .scalar(QStringLiteral("SELECT s1 || ' ' || s2 || ' ' || s6 || '/' || "
                                        "ss1 || ' ' || ss6 FROM razyg WHERE tir = 10"))
                 .toString(),
             QStringLiteral("1 3 45/17 1"));
    // The user's files are read where they lie and never changed.
    QCOMPARE(checksum(first), firstSum);
    QCOMPARE(checksum(second), secondSum);
    QVERIFY(!QFile::exists(cli.path(QStringLiteral("results.xlsx"))));
}

void TestCliImport::failingRow_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("shown"); // the cell as the message shows it
    QTest::addColumn<QString>("message");
    const QString notWhole = QStringLiteral("не целое число: только цифры, без пробелов внутри (");
    QTest::newRow("empty draw number")
        << 1 << ""
        << "" << notWhole + QStringLiteral("'' is not a valid integer value)");
    QTest::newRow("date in another format") << 2 << "2024-06-19"
                                            << "2024-06-19"
                                            << "is not a valid date";
    QTest::newRow("ball in words")
        << 5 << "seven"
        << "seven" << notWhole + QStringLiteral("'seven' is not a valid integer value)");
    QTest::newRow("grouped amount") << 12 << "1 234"
                                    << "1 234"
                                    << "is not a valid floating point value";
    const auto ball = [](const char* name, int column, const char* cell, const char* reason) {
        QTest::newRow(name) << column << cell << cell << QString::fromUtf8(reason);
    };
    ball("ball 0", 3, "0", "шар 0 вне диапазона от 1 до 49");
    ball("ball 50", 8, "50", "шар 50 вне диапазона от 1 до 49");
    ball("ball -0", 6, "-0", "шар 0 вне диапазона от 1 до 49");
    ball("repeated ball", 7, "2", "шар 2 повторяется в строке");
    // A terminal control sequence from the workbook is not passed on.
    QTest::newRow("control character") << 4 << QStringLiteral("5\u009b31m") << "5?31m"
                                       << "'5?31m' is not a valid integer value";
}

void TestCliImport::failingRow() {
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    CliFolder cli;
    QStringList bad = resultsRow(3, kDate, {1, 2, 3, 4, 5, 6});
    bad[column - 1] = cell;
    cli.writeWorkbook(QStringLiteral("bad.xlsx"),
                      {resultsHeading(), resultsRow(1, kDate, {1, 2, 3, 4, 5, 6}),
                       resultsRow(2, kDate, {1, 2, 3, 4, 5, 6}), bad,
                       resultsRow(4, kDate, {1, 2, 3, 4, 5, 6})});
    cli.writeWorkbook(QStringLiteral("next.xlsx"),
                      {resultsHeading(), resultsRow(9, kDate, {1, 2, 3, 4, 5, 6})});

    const CliRun run = cli.run(
        {QStringLiteral("import"), QStringLiteral("bad.xlsx"), QStringLiteral("next.xlsx")});
    QCOMPARE(run.exitCode, 1);
    const QString expected =
        QStringLiteral("«bad.xlsx»: строка 4, столбец %1, ячейка «%2»: ").arg(column).arg(shown);
    QVERIFY2(run.errText().contains(expected), qPrintable(run.errText()));
    QVERIFY2(run.errText().contains(message), qPrintable(run.errText()));
    QCOMPARE(run.errText().count(QLatin1Char('\n')), 2); // and the database used
    // The rows before the failing one are kept, and the next file is imported.
    QCOMPARE(run.outText(), countsLine(QStringLiteral("bad.xlsx"), 2, 2, 0) + QLatin1Char('\n') +
                                countsLine(QStringLiteral("next.xlsx"), 1, 1, 0) +
                                QLatin1Char('\n'));
    QCOMPARE(cli.app.scalar(QStringLiteral("SELECT group_concat(tir) FROM razyg")).toString(),
             QStringLiteral("1,2,9"));
}

void TestCliImport::unreadableWorkbook_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QByteArray() << "";
    QTest::newRow("not a workbook") << QByteArray("tir;date\n1;19.06.2024\n") << "";
    QTest::newRow("damaged archive") << QByteArray("PK\x03\x04 broken", 11) << "";
    QByteArray crc = simpleXlsxBytes({resultsHeading()}); // checksums in the directory changed
    for (qsizetype at = 0; (at = crc.indexOf("PK\x01\x02", at)) >= 0; at += 4)
        crc[at + 16] = char(crc[at + 16] ^ 0x5a);
    QTest::newRow("checksum error") << crc << "контрольная сумма части не сходится";
}

void TestCliImport::unreadableWorkbook() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    CliFolder cli;
    const QString name = QStringLiteral("bad file.xlsx");
    if (!content.isEmpty()) {
        QFile file(cli.path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    cli.writeWorkbook(QStringLiteral("good.xlsx"),
                      {resultsHeading(), resultsRow(5, kDate, {1, 2, 3, 4, 5, 6})});
    const CliRun run = cli.run({QStringLiteral("import"), name, QStringLiteral("good.xlsx")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errText().count(QLatin1Char('\n')), 2); // and the database used
    QVERIFY2(run.errText().contains(name), qPrintable(run.errText()));
    QVERIFY2(run.errText().contains(reason), qPrintable(run.errText()));
    QCOMPARE(run.outText(), countsLine(QStringLiteral("good.xlsx"), 1, 1, 0) + QLatin1Char('\n'));
    QCOMPARE(cli.app.draws(), 1);
}

void TestCliImport::lockedDatabase_data() {
    QTest::addColumn<QString>("lock");
    QTest::addColumn<int>("releaseAfterMs"); // -1: held past the busy timeout
    QTest::newRow("writer, held too long") << "write" << -1;
    QTest::newRow("reader, held too long") << "read" << -1;
    QTest::newRow("writer, released in time") << "write" << 1500;
    QTest::newRow("reader, released in time") << "read" << 1500;
}

void TestCliImport::lockedDatabase() {
    QFETCH(QString, lock);
    QFETCH(int, releaseAfterMs);
    CliFolder cli;
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.writeWorkbook(QStringLiteral("draws.xlsx"),
                      {resultsHeading(), resultsRow(1, kDate, {1, 2, 3, 4, 5, 6}),
                       resultsRow(2, kDate, {7, 8, 9, 10, 11, 12}),
                       resultsRow(3, kDate, {13, 14, 15, 16, 17, 18})});
    LockHolder other(cli.app.dbPath());
    other.take(lock);
    if (releaseAfterMs >= 0)
        QTimer::singleShot(releaseAfterMs, [&] { other.release(); });
    // Held too long, the command stops after one wait, leaving the second file.
    const CliRun run = cli.run(strings({"import", "draws.xlsx"}) +
                               (releaseAfterMs < 0 ? strings({"draws.xlsx"}) : QStringList()));
    if (releaseAfterMs < 0)
        other.release();
    if (releaseAfterMs >= 0) {
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outText(),
                 countsLine(QStringLiteral("draws.xlsx"), 3, 2, 1) + QLatin1Char('\n'));
        QCOMPARE(cli.app.draws(), 3);
        return;
    }
    // Waited for the other program, then gave up whole: nothing half-written,
    // and the counts say so.
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errText().contains(QStringLiteral("база данных занята другой программой")),
             qPrintable(run.errText()));
    QCOMPARE(run.outText(), countsLine(QStringLiteral("draws.xlsx"), 0, 0, 0) + QLatin1Char('\n'));
    QCOMPARE(cli.app.draws(), 1);
    QCOMPARE(cli.app.scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
             QStringLiteral("ok"));
    // The next run, with the database free, stores what the failed one did not.
    const CliRun again = cli.run({QStringLiteral("import"), QStringLiteral("draws.xlsx")});
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(cli.app.draws(), 3);
}

QTEST_GUILESS_MAIN(TestCliImport)
#include "test_cli_import.moc"
