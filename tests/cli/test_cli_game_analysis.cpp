// stats, analysis and export on a database of a two-drum game: counts,
// statistics and columns worked out by hand for three draws.
#include "tests/cli/CliTestSupport.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// 4 из 20 + 2 из 5. Draws 1: 1 2 3 4 + 1 2, 2: 1 5 6 7 + 2 3 (a prize of
// 1500.5 for "4+2"), 3: 2 5 9 20 + 1 5 (no drawn order); bets on draws 1, 2
// and 9 (not stored).
const QString kHistory =
    u"INSERT INTO razyg (tir, tirdate, s1, s2, s3, s4, ss1, ss2, ss3, ss4, x1, x2, xx1, xx2, "
    u"chv4p2) VALUES (1, '2024-01-01', 1, 2, 3, 4, 4, 3, 2, 1, 1, 2, 2, 1, NULL), "
    u"(2, '2024-01-02', 1, 5, 6, 7, 1, 5, 6, 7, 2, 3, 3, 2, 1500.5), "
    u"(3, '2024-01-03', 2, 5, 9, 20, NULL, NULL, NULL, NULL, 1, 5, NULL, NULL, NULL); "
    u"INSERT INTO Rate (tir, s1, s2, s3, s4, x1, x2) VALUES (1, 1, 2, 3, 9, 1, 3), "
    u"(2, 1, 5, 6, 7, 2, 3), (9, 1, 2, 3, 4, 1, 2)"_s;

} // namespace

class TestCliGameAnalysis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoDrums_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines"); // each the start of a line of standard output
        // Main drum: 1, 2, 5 twice; 3, 4, 6, 7, 9, 20 once. Second: 1, 2 twice; 3, 5 once.
        QTest::newRow("stats json")
            << QStringList{u"stats"_s, u"--format"_s, u"json"_s}
            << QStringList{u"{\"ball\":5,\"hits\":2},"_s, u"{\"ball\":20,\"hits\":1},"_s,
                           u"{\"ball\":1,\"hits\":2,\"drum\":2},"_s,
                           u"{\"ball\":5,\"hits\":1,\"drum\":2}"_s};
        QTest::newRow("stats csv, newest draw")
            << QStringList{u"stats"_s, u"--format"_s, u"csv"_s, u"--last"_s, u"1"_s}
            << QStringList{u"ball,hits,drum\r"_s, u"1,0,1\r"_s, u"20,1,1\r"_s, u"1,1,2\r"_s,
                           u"2,0,2\r"_s};
        QTest::newRow("stats table")
            << QStringList{u"stats"_s} << QStringList{u"Второй барабан"_s, u"  4           0"_s};
        // 3 + 1 and 4 + 2 matches; the draw of bet 9 is not stored.
        QTest::newRow("bets") << QStringList{u"analysis"_s, u"bets"_s}
                              << QStringList{u"tir,date,b1,b2,b3,b4,x1,x2,matches,"
                                             u"second_matches,category,prize\r"_s,
                                             u"1,2024-01-01,1,2,3,9,1,3,3,1,3+1,\r"_s,
                                             u"2,2024-01-02,1,5,6,7,2,3,4,2,4+2,1501\r"_s,
                                             u"9,,1,2,3,4,1,2,,,,\r"_s};
        // Ball 1: draws 1 and 2 of 3; 100·4/20 expected per 100 draws.
        QTest::newRow("balls") << QStringList{u"analysis"_s, u"balls"_s}
                               << QStringList{u"1,2,66.67,20.00,1,1,0.00,2\r"_s,
                                              u"20,1,33.33,20.00,0,2,2.00,1\r"_s};
        // Balls: Σ O² = 18, E = 12/20, (18/E - 12)·19/16; second drum Σ O² = 10,
        // E = 6/5, (10/E - 6)·4/3. Pairs: 18 pairs once each of 190 expected
        // 3·12/380 each, Σ (O - E)²/E = 18/E - 36 + 190·E; second drum 3 of 10
        // pairs at E = 0.3: 10 - 6 + 3.
        QTest::newRow("fairness") << QStringList{u"analysis"_s, u"fairness"_s}
                                  << QStringList{u"balls,21.3750,"_s, u"pairs,172.0000,"_s,
                                                 u"drum2_balls,3.1111,"_s,
                                                 u"drum2_pairs,7.0000,"_s};
        QTest::newRow("fairness json")
            << QStringList{u"analysis"_s, u"fairness"_s, u"--format"_s, u"json"_s}
            << QStringList{u"            \"drum\": 2,"_s,
                           u"            \"name\": \"drum2_gaps\","_s,
                           u"            \"name\": \"position4\","_s,
                           u"            \"name\": \"drum2_position2\","_s};
        QTest::newRow("export draws")
            << QStringList{u"export"_s, u"draws"_s}
            << QStringList{u"id,tir,s1,s2,s3,s4,ss1,ss2,ss3,ss4,x1,x2,xx1,xx2,ch4p2,ch4p1,ch4,"
                           u"ch3p2,ch3p1,ch3,ch2p2,ch2p1,ch2,chv4p2,chv4p1,chv4,chv3p2,chv3p1,"
                           u"chv3,chv2p2,chv2p1,chv2,djp,pfond,tirdate\r"_s,
                           u"2,2,1,5,6,7,1,5,6,7,2,3,3,2,,,,,,,,,,1500,,,,,,,,,,,2024-01-02\r"_s};
    }
    void twoDrums() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        CliFolder cli;
        const QString db = cli.path(u"game.db"_s);
        QCOMPARE(cli.run({u"--db"_s, db, u"create"_s, u"--game"_s, u"4/20+2/5"_s}).exitCode, 0);
        execSql(db, kHistory);
        const CliRun run = cli.run(QStringList{u"--db"_s, db} + arguments);
        QCOMPARE(run.exitCode, 0);
        const QStringList shown = run.outText().split(u'\n');
        for (const QString& line : lines)
            QVERIFY2(std::any_of(shown.begin(), shown.end(),
                                 [&](const QString& s) { return s.startsWith(line); }),
                     qPrintable(line + u"\nin\n"_s + run.outText()));
    }
};

QTEST_MAIN(TestCliGameAnalysis)
#include "test_cli_game_analysis.moc"
