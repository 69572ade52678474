// numeron-cli analysis: the tables of the analysis window from the real
// executable, against numbers counted by hand.
#include "tests/cli/CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestCliAnalysis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data();
    void lines();
    void json();
    void usage_data();
    void usage();
};

namespace {

// Draws 1: 1 2 3 4 5 6; 2: 4 5 6 7 8 9; 3: 9 10 11 12 13 49. Draw 2 paid 7000
// for four matches and 300 for three; a bet for draw 2 has four matches, one
// for draw 1 two, one for draw 5 (not stored) has no draw.
void storeHistory(const CliFolder& cli) {
    cli.app.addDraw(3, {49, 9, 10, 11, 12, 13});
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    cli.app.addDraw(2, {4, 5, 6, 7, 8, 9});
    cli.app.sql(QStringLiteral("UPDATE razyg SET chv4 = 7000, chv3 = 300, tirdate = '2024-06-19' "
                               "WHERE tir = 2;"
                               "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES "
                               "(2, 4, 5, 6, 7, 20, 21), (1, 1, 2, 40, 41, 42, 43), "
                               "(5, 1, 2, 3, 4, 5, 6)"));
}

QStringList csvLines(const QByteArray& out) {
    return QString::fromUtf8(out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

void TestCliAnalysis::lines_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // lines that must be in the output
    QTest::addColumn<int>("rows");             // data rows
    QTest::newRow("bets") << strings({"bets"})
                          << strings({"tir,date,b1,b2,b3,b4,b5,b6,matches,prize",
                                      "2,2024-06-19,4,5,6,7,20,21,4,7000", "1,,1,2,40,41,42,43,2,",
                                      "5,,1,2,3,4,5,6,,"})
                          << 3;
    QTest::newRow("balls, all draws")
        << strings({"balls"})
        << strings({"ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n",
                    "1,1,33.33,12.24,2,2,0.00,1", "9,2,66.67,12.24,0,1,0.50,2",
                    "20,0,0.00,12.24,3,3,,0", "49,1,33.33,12.24,0,2,2.00,1"})
        << 49;
    QTest::newRow("balls, newest two")
        << strings({"balls", "--last", "2"})
        << strings({"ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n",
                    "1,1,33.33,12.24,2,2,0.00,0", "9,2,66.67,12.24,0,1,0.50,2"})
        << 49;
    QTest::newRow("pairs") << strings({"pairs"})
                           << strings({"ball1,ball2,hits", "4,5,2", "4,6,2", "5,6,2"})
                           << 42; // 15 pairs a draw, three shared by draws 1 and 2
    QTest::newRow("pairs, newest draw") << strings({"pairs", "--last=1"})
                                        << strings({"ball1,ball2,hits", "9,10,1", "12,49,1"}) << 15;
    QTest::newRow("fairness") << strings({"fairness"})
                              << strings({"name,statistic,df,p_value,method,p_value_adjusted,law,"
                                          "draws,malformed_draws"})
                              << 9;
}

void TestCliAnalysis::lines() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QFETCH(int, rows);
    CliFolder cli;
    storeHistory(cli);
    const CliRun run = cli.run(QStringList{QStringLiteral("analysis")} + arguments);
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = csvLines(run.out);
    QCOMPARE(lines.first(), expected.first()); // the header
    QCOMPARE(lines.size() - 1, rows);
    for (const QString& line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" missing in:\n") +
                                                  lines.join(QLatin1Char('\n'))));
}

void TestCliAnalysis::json() {
    CliFolder cli;
    storeHistory(cli);
    const CliRun run = cli.run(strings({"analysis", "bets", "--format", "json"}));
    QCOMPARE(run.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(rows.size(), 3);
    const auto forDraw = [&](int tir) {
        for (const QJsonValue& row : rows)
            if (row[QLatin1String("tir")].toInt() == tir)
                return row.toObject();
        return QJsonObject();
    };
    QCOMPARE(forDraw(2)[QLatin1String("prize")].toInteger(), 7000);
    QCOMPARE(forDraw(2)[QLatin1String("matches")].toInt(), 4);
    QVERIFY(forDraw(1)[QLatin1String("prize")].isNull());
    QVERIFY(forDraw(5)[QLatin1String("matches")].isNull());

    const CliRun fairness = cli.run(strings({"analysis", "fairness", "--format", "json"}));
    QCOMPARE(fairness.exitCode, 0);
    const QJsonObject report = QJsonDocument::fromJson(fairness.out).object();
    QCOMPARE(report[QLatin1String("draws")].toInt(), 3);
    QStringList names;
    for (const QJsonValue& test : report[QLatin1String("tests")].toArray()) {
        names << test[QLatin1String("name")].toString();
        for (const char* key : {"statistic", "df", "p_value", "method"})
            QVERIFY2(test.toObject().contains(QLatin1String(key)), key);
    }
    QCOMPARE(names, strings({"balls", "pairs", "gaps", "position1", "position2", "position3",
                             "position4", "position5", "position6"}));

    // Draw 2 stored again by another program, and a malformed draw: the first
    // stored counts, the malformed one is left out, both are counted.
    cli.app.sql(QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) VALUES "
                               "(2, 30, 31, 32, 33, 34, 35), (4, 7, 7, 8, 9, 10, 11)"));
    const QJsonObject again =
        QJsonDocument::fromJson(cli.run(strings({"analysis", "fairness", "--format", "json"})).out)
            .object();
    QCOMPARE(again[QLatin1String("draws")].toInt(), 3);
    QCOMPARE(again[QLatin1String("duplicate_draws")].toInt(), 1);
    QCOMPARE(again[QLatin1String("malformed_draws")].toInt(), 1);
    const QJsonObject pairs = again[QLatin1String("tests")][1].toObject();
    QVERIFY(pairs[QLatin1String("df")].isNull()); // no χ²(1175): the law is named
    QCOMPARE(pairs[QLatin1String("law")].toString(), QStringLiteral("simulation"));
    QCOMPARE(pairs[QLatin1String("draws")].toInt(), 3);
    QCOMPARE(pairs[QLatin1String("malformed_draws")].toInt(), 1);
    QVERIFY(pairs[QLatin1String("p_value_adjusted")].toDouble() >=
            pairs[QLatin1String("p_value")].toDouble());
    const QJsonObject overall = again[QLatin1String("overall")].toObject();
    QCOMPARE(overall[QLatin1String("tests")].toInt(), 8); // all but the gaps, which need more draws
    QVERIFY(overall[QLatin1String("verdict")].toString().startsWith(u"В целом: "));
}

void TestCliAnalysis::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no table") << strings({"analysis"});
    QTest::newRow("unknown table") << strings({"analysis", "wins"});
    QTest::newRow("extra argument") << strings({"analysis", "balls", "pairs"});
    QTest::newRow("last zero") << strings({"analysis", "balls", "--last", "0"});
    QTest::newRow("last words") << strings({"analysis", "balls", "--last", "ten"});
    QTest::newRow("table format") << strings({"analysis", "balls", "--format", "table"});
}

void TestCliAnalysis::usage() {
    QFETCH(QStringList, arguments);
    CliFolder cli;
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

QTEST_MAIN(TestCliAnalysis)
#include "test_cli_analysis.moc"
