// numeron-cli export: the round trip through a workbook, the CSV and JSON
// forms of every kind of cell, and output files written whole or not at all.
#include "tests/cli/CliTestSupport.h"
#include "tests/support/SimpleXlsx.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>

class TestCliExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void cells_data();
    void cells();
    void bets();
    void columnNamesEscaped();
    void fileWrittenWholeOrNotAtAll();
    void streamsWrittenNeverReplaced_data();
    void streamsWrittenNeverReplaced();
};

namespace {

// Splits RFC 4180 text into records of fields (quoted fields may hold commas,
// doubled quotes and line breaks). Records end with CRLF.
QList<QStringList> parseCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text.at(i + 1) == QLatin1Char('\n')) {
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

// Every row of the draws table, every column as text ("NULL" for null).
QList<QStringList> allDraws(const TestApp& app) {
    QStringList columns;
    for (const char* name : {"id",   "tir",  "s1",   "s2",   "s3",  "s4",    "s5",     "s6",  "ss1",
                             "ss2",  "ss3",  "ss4",  "ss5",  "ss6", "ch6",   "ch5",    "ch4", "ch3",
                             "chv6", "chv5", "chv4", "chv3", "djp", "pfond", "tirdate"})
        columns.append(QStringLiteral("ifnull(%1, 'NULL')").arg(QLatin1String(name)));
    const QString rows =
        app.scalar(QStringLiteral("SELECT group_concat(r, char(10)) FROM (SELECT %1 AS r FROM "
                                  "razyg ORDER BY id)")
                       .arg(columns.join(QStringLiteral(" || '|' || "))))
            .toString();
    QList<QStringList> result;
    for (const QString& row : rows.split(QLatin1Char('\n')))
        result.append(row.split(QLatin1Char('|')));
    return result;
}

// The exported draws as workbook rows (date as dd.MM.yyyy, balls in drawn
// order), in the eighteen columns of the import.
QList<QStringList> asWorkbook(const QList<QMap<QString, QString>>& draws) {
    QList<QStringList> rows{resultsHeading()};
    for (const auto& d : draws) {
        QStringList row{d[QStringLiteral("tir")],
                        QDate::fromString(d[QStringLiteral("tirdate")], Qt::ISODate)
                            .toString(QStringLiteral("dd.MM.yyyy"))};
        for (const char* name : {"ss1", "ss2", "ss3", "ss4", "ss5", "ss6", "ch6", "chv6", "ch5",
                                 "chv5", "ch4", "chv4", "ch3", "chv3", "djp", "pfond"})
            row.append(d[QLatin1String(name)]);
        rows.append(row);
    }
    return rows;
}

const QByteArray kColumns = "id,tir,s1,s2,s3,s4,s5,s6,ss1,ss2,ss3,ss4,ss5,ss6,ch6,ch5,ch4,ch3,"
                            "chv6,chv5,chv4,chv3,djp,pfond,tirdate";

const char* const kDraws =
    "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, ss1, ss2, ss3, ss4, ss5, ss6, ch6, ch5, "
    "ch4, ch3, chv6, chv5, chv4, chv3, djp, pfond, tirdate) VALUES "
    "(1201, 1, 3, 8, 17, 29, 45, 17, 3, 45, 8, 29, 1, 0, 3, 212, 4025, 0, 150000, 1500, 100, "
    "3000000000, 98765432, '2024-06-19'),"
    "(1202, 5, 12, 21, 33, 40, 49, 5, 49, 12, 33, 21, 40, 1, 0, 150, 3900, 25000000, 0, 1750, "
    "100, 50000000, 987654, '2024-06-22'),"
    "(7, 2, 4, 6, 8, 10, 12, 12, 10, 8, 6, 4, 2, 2, 7, 99, 1000, 9999999999, 12, 0, 1, 0, 0, "
    "'1999-12-31')";

} // namespace

void TestCliExport::roundTrip_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("csv") << "csv";
    QTest::newRow("json") << "json";
}

void TestCliExport::roundTrip() {
    QFETCH(QString, format);
    CliFolder source;
    source.app.sql(QLatin1String(kDraws));
    const CliRun exported = source.run(
        {QStringLiteral("export"), QStringLiteral("draws"), QStringLiteral("--format"), format});
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(exported.errText(), source.databaseLine());

    QList<QMap<QString, QString>> draws;
    if (format == QLatin1String("csv")) {
        const QList<QStringList> records = parseCsv(exported.out);
        QCOMPARE(records.value(0).join(QLatin1Char(',')).toUtf8(), kColumns);
        for (qsizetype r = 1; r < records.size(); ++r) {
            QMap<QString, QString> draw;
            for (qsizetype c = 0; c < records.at(0).size(); ++c)
                draw.insert(records.at(0).at(c), records.at(r).value(c));
            draws.append(draw);
        }
    } else {
        const QJsonArray array = QJsonDocument::fromJson(exported.out).array();
        for (const QJsonValue& value : array) {
            QMap<QString, QString> draw;
            const QJsonObject object = value.toObject();
            QCOMPARE(object.keys().size(), 25);
            for (auto it = object.begin(); it != object.end(); ++it)
                draw.insert(it.key(), it.value().isString()
                                          ? it.value().toString()
                                          : QString::number(it.value().toInteger()));
            draws.append(draw);
        }
    }
    QCOMPARE(draws.size(), 3);

    CliFolder target;
    target.writeWorkbook(QStringLiteral("exported.xlsx"), asWorkbook(draws));
    const CliRun imported = target.run({QStringLiteral("import"), QStringLiteral("exported.xlsx")});
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(allDraws(target.app), allDraws(source.app));
}

void TestCliExport::cells_data() {
    // A value stored in a column of one draw, and how each format writes it.
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored"); // SQL literal
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("null") << "ch6"
                          << "NULL" << QByteArray("") << QByteArray("null");
    QTest::newRow("amount beyond 32 bits")
        << "djp"
        << "9000000000" << QByteArray("9000000000") << QByteArray("9000000000");
    QTest::newRow("amount with a half, rounded to even")
        << "chv5"
        << "12.5" << QByteArray("12") << QByteArray("12");
    QTest::newRow("amount with a half, rounded up to even")
        << "chv5"
        << "13.5" << QByteArray("14") << QByteArray("14");
    QTest::newRow("negative number") << "ch5"
                                     << "-3" << QByteArray("-3") << QByteArray("-3");
    QTest::newRow("date") << "tirdate"
                          << "'2024-06-19'" << QByteArray("2024-06-19")
                          << QByteArray("\"2024-06-19\"");
    QTest::newRow("text with comma, quote and line break")
        << "tirdate"
        << "'a,b \"c\"' || char(13, 10) || 'd'" << QByteArray("\"a,b \"\"c\"\"\r\nd\"")
        << QByteArray("\"a,b \\\"c\\\"\\r\\nd\"");
    QTest::newRow("Cyrillic text") << "tirdate"
                                   << "'среда'" << QByteArray("среда") << QByteArray("\"среда\"");
    QTest::newRow("control character")
        << "tirdate"
        << "char(1)" << QByteArray("\x01") << QByteArray("\"\\u0001\"");
}

void TestCliExport::cells() {
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QByteArray, csv);
    QFETCH(QByteArray, json);
    CliFolder cli;
    cli.app.sql(
        QStringLiteral("INSERT INTO razyg (id, tir, %1) VALUES (5, 77, %2)").arg(column, stored));
    const CliRun asCsv = cli.run({QStringLiteral("export"), QStringLiteral("draws")});
    QCOMPARE(asCsv.exitCode, 0);
    // The whole output: the header, then id 5, draw 77, the value in its
    // column and empty fields elsewhere.
    const QList<QByteArray> names = kColumns.split(',');
    QList<QByteArray> fields(names.size());
    fields[0] = "5";
    fields[1] = "77";
    fields[names.indexOf(column.toUtf8())] = csv;
    QCOMPARE(asCsv.out, kColumns + "\r\n" + fields.join(',') + "\r\n");

    const CliRun asJson = cli.run(
        {QStringLiteral("export"), QStringLiteral("draws"), QStringLiteral("--format=json")});
    QCOMPARE(asJson.exitCode, 0);
    QJsonParseError error{};
    QJsonDocument::fromJson(asJson.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    // tirdate is the last column: its object ends after it.
    const QByteArray pair = QByteArray("\"" + column.toUtf8() + "\":" + json) +
                            (column == QLatin1String("tirdate") ? '}' : ',');
    QVERIFY2(asJson.out.contains(pair), asJson.out.constData());
}

void TestCliExport::bets() {
    CliFolder cli;
    cli.app.sql(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES "
                               "(0, 1, 2, 3, 4, 5, 6), (1202, 5, 12, 21, 33, 40, 49)"));
    const CliRun run = cli.run({QStringLiteral("export"), QStringLiteral("bets")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("id,tir,s1,s2,s3,s4,s5,s6\r\n1,0,1,2,3,4,5,6\r\n"
                                 "2,1202,5,12,21,33,40,49\r\n"));
    const CliRun empty = cli.run({QStringLiteral("export"), QStringLiteral("draws"),
                                  QStringLiteral("--format"), QStringLiteral("json")});
    QCOMPARE(empty.out, QByteArray("[]\n"));
}

void TestCliExport::columnNamesEscaped() {
    CliFolder cli;
    // A column another tool added, with a line break and quotes in its name.
    cli.app.sql(QStringLiteral("ALTER TABLE Rate ADD COLUMN \"note\nby \"\"me\"\"\"; "
                               "INSERT INTO Rate (tir, s1) VALUES (5, 1)"));
    const QString name = QStringLiteral("note\nby \"me\"");
    const CliRun json = cli.run({QStringLiteral("export"), QStringLiteral("bets"),
                                 QStringLiteral("--format"), QStringLiteral("json")});
    QCOMPARE(json.exitCode, 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.array().at(0).toObject().contains(name));
    // Escaped as JSON wants it: no raw line break inside a string.
    const QByteArray escaped = ",\"note\\nby \\\"me\\\"\":null}";
    QVERIFY2(json.out.contains(escaped), json.out.constData());
    const CliRun csv = cli.run({QStringLiteral("export"), QStringLiteral("bets")});
    QCOMPARE(csv.exitCode, 0);
    QCOMPARE(parseCsv(csv.out).value(0).value(8), name);
}

void TestCliExport::fileWrittenWholeOrNotAtAll() {
    CliFolder cli;
    cli.app.sql(QLatin1String(kDraws));
    const QString file = cli.path(QStringLiteral("draws.csv"));
    const CliRun written =
        cli.run({QStringLiteral("export"), QStringLiteral("draws"), QStringLiteral("draws.csv")});
    QCOMPARE(written.exitCode, 0);
    QVERIFY(written.out.isEmpty());
    QFile csv(file);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray before = csv.readAll();
    csv.close();
    QCOMPARE(parseCsv(before).size(), 4);

    // The export fails (the bets table is gone): the earlier file stays as it was.
    cli.app.sql(QStringLiteral("ALTER TABLE Rate RENAME TO RateKept"));
    const CliRun failed =
        cli.run({QStringLiteral("export"), QStringLiteral("bets"), QStringLiteral("draws.csv")});
    QCOMPARE(failed.exitCode, 1);
    QVERIFY2(failed.errText().contains(QStringLiteral("нет таблиц razyg и Rate")),
             qPrintable(failed.errText()));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), before);
    csv.close();
    cli.app.sql(QStringLiteral("ALTER TABLE RateKept RENAME TO Rate"));

    // Never over the database itself.
    const CliRun overDatabase =
        cli.run({QStringLiteral("export"), QStringLiteral("draws"), QStringLiteral("razyg.mdb")});
    QCOMPARE(overDatabase.exitCode, 1);
    QCOMPARE(cli.app.draws(), 3);

    const CliRun nowhere = cli.run({QStringLiteral("export"), QStringLiteral("draws"),
                                    QStringLiteral("no/such/folder/draws.csv")});
    QCOMPARE(nowhere.exitCode, 1);
    QVERIFY(nowhere.errText().contains(QStringLiteral("no/such/folder/draws.csv")));
}

void TestCliExport::streamsWrittenNeverReplaced_data() {
    QTest::addColumn<QString>("target"); // "fifo": a named pipe in the folder
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("standard output by its path") << "/dev/stdout";
    QTest::newRow("dash") << "-";
}

void TestCliExport::streamsWrittenNeverReplaced() {
    QFETCH(QString, target); // the command's standard output is a pipe read by the test
    CliFolder cli;
    cli.app.sql(QLatin1String(kDraws));
    const QByteArray expected = cli.run({QStringLiteral("export"), QStringLiteral("draws")}).out;
    const QString fifo = cli.path(QStringLiteral("fifo"));
    QFile reader;
    if (target == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(reader.open(::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK),
                            QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    }
    const CliRun run = cli.run({QStringLiteral("export"), QStringLiteral("draws"), target});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out + (reader.isOpen() ? reader.readAll() : QByteArray()), expected);
    QVERIFY(!QFileInfo(fifo).isFile()); // no file put in the pipe's place
}

QTEST_GUILESS_MAIN(TestCliExport)
#include "test_cli_export.moc"
