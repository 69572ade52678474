// The analysis computations on small hand-made histories with answers worked
// out by hand.
#include "tests/gui/support/TestSupport.h"

#include "analysis/AnalysisTables.h"
#include "analysis/BallStats.h"
#include "analysis/MyBets.h"
#include "analysis/PairStats.h"
#include "analysis/TextTable.h"
#include "dataset/Connection.h"
#include "draws/StoredDraws.h"

#include <QTest>
#include <limits>

using namespace Analysis;

namespace {

// Stores a draw with the given ball values (SQL literals, so NULL, 0 and 50
// are possible) and, optionally, the prizes for 3, 4, 5 and 6 matches.
void storeDraw(const TestApp& app, int tir, const char* balls,
               const char* prizes = "NULL, NULL, NULL, NULL", const char* date = "NULL") {
    app.sql(
        QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, chv3, chv4, chv5, chv6, "
                       "tirdate) VALUES (%1, %2, %3, %4)")
            .arg(tir)
            .arg(QLatin1String(balls), QLatin1String(prizes), QLatin1String(date)));
}

void storeBet(const TestApp& app, int tir, const char* numbers) {
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (%1, %2)")
                .arg(tir)
                .arg(QLatin1String(numbers)));
}

// A draw history of balls for the computations that need no database.
Draws::History history(std::initializer_list<std::initializer_list<int>> draws) {
    Draws::History h;
    for (const auto& balls : draws) {
        Lottery::Numbers numbers;
        for (int b : balls)
            numbers.append(b);
        h.add(h.size() + 1, numbers);
    }
    return h;
}

const BallStat& statOf(const BallTable& table, int ball) {
    return table.balls.at(size_t(ball - 1));
}

QList<int> marked(const BallTable& table, bool hot) {
    QList<int> balls;
    for (const BallStat& s : table.balls)
        if (hot ? s.hot : s.cold)
            balls.append(s.ball);
    return balls;
}

struct Database {
    TestApp app;
    Connection connection{QStringLiteral("analysis-test")};
    void open() { connection.open(app.dbPath()); }
};

} // namespace

class TestAnalysisCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prizes_data();
    void prizes();
    void totalsAndMoney();
    void hugeAmountsHeldAtTheLimits_data();
    void hugeAmountsHeldAtTheLimits();
    void newestBets();
    void delays_data();
    void delays();
    void noDraws();
    void hotAndCold_data();
    void hotAndCold();
    void pairs_data();
    void pairs();
    void handEnteredDraws();
    void csvQuoting_data();
    void csvQuoting();
    void exportedTexts_data();
    void exportedTexts();
    void jsonText();
    void kindNames();
    void changeStamp();
};

// One stored history; each row adds one bet and checks it.
//   10: 1 2 3 4 5 6 with prizes 100 / 1 000 / 50 000 / 1 000 000
//   11: 7 8 9 10 11 12 added by hand (no prizes)
//   12: 5 5 0 50 7 NULL added by hand (balls 5 and 7 only)
void TestAnalysisCore::prizes_data() {
    QTest::addColumn<int>("tir");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("matches");
    QTest::addColumn<qint64>("prize"); // -1: none
    QTest::addColumn<bool>("irregular");
    const auto row = [](const char* name, int tir, const char* numbers, bool found, int matches,
                        qint64 prize, bool irregular = false) {
        QTest::newRow(name) << tir << QString::fromLatin1(numbers) << found << matches << prize
                            << irregular;
    };
    row("six", 10, "1, 2, 3, 4, 5, 6", true, 6, 1000000);
    row("five", 10, "1, 2, 3, 4, 5, 40", true, 5, 50000);
    row("four in any order", 10, "40, 6, 41, 5, 4, 3", true, 4, 1000);
    row("three", 10, "1, 2, 3, 40, 41, 42", true, 3, 100);
    row("two wins nothing", 10, "1, 2, 40, 41, 42, 43", true, 2, -1);
    row("none", 10, "40, 41, 42, 43, 44, 45", true, 0, -1);
    row("draw not stored", 99, "1, 2, 3, 4, 5, 6", false, 0, -1);
    row("null prizes", 11, "7, 8, 9, 1, 2, 3", true, 3, -1);
    row("repeated numbers count once", 10, "1, 1, 1, 2, 2, 3", true, 3, 100);
    row("0 and 50 match nothing", 10, "0, 50, 1, 2, 3, 4", true, 4, 1000);
    row("hand-entered draw", 12, "5, 7, 1, 2, 3, 4", true, 2, -1, true);
}

void TestAnalysisCore::prizes() {
    QFETCH(int, tir);
    QFETCH(QString, numbers);
    QFETCH(bool, found);
    QFETCH(int, matches);
    QFETCH(qint64, prize);
    QFETCH(bool, irregular);
    Database db;
    storeDraw(db.app, 10, "1, 2, 3, 4, 5, 6", "100, 1000, 50000, 1000000", "'2024-01-06'");
    storeDraw(db.app, 11, "7, 8, 9, 10, 11, 12");
    storeDraw(db.app, 12, "5, 5, 0, 50, 7, NULL");
    storeBet(db.app, tir, numbers.toLatin1().constData());
    db.open();
    const BetTable bets = readMyBets(db.connection);
    QCOMPARE(bets.rows.size(), size_t(1));
    const BetResult& bet = bets.rows.front();
    QCOMPARE(bet.tir, std::optional<qint64>(tir));
    QCOMPARE(bet.drawFound, found);
    QCOMPARE(bet.matches, matches);
    QCOMPARE(bet.prize.value_or(-1), prize);
    QCOMPARE(bet.drawIrregular, irregular);
    // The exported row marks a malformed draw as the window does.
    const QList<QByteArray> csv = toCsv(betsTable(bets)).split('\n');
    QCOMPARE(csv.value(1).split(',').value(8),
             found ? QByteArray::number(matches) + (irregular ? " *" : "") : QByteArray());
    QCOMPARE(bet.date, tir == 10 ? QStringLiteral("2024-01-06") : QString());
    QCOMPARE(bets.totals.bets, 1);
    QCOMPARE(bets.totals.drawNotFound, found ? 0 : 1);
    QCOMPARE(bets.totals.winningBets(), matches >= 3 ? 1 : 0);
    QCOMPARE(bets.totals.won, qMax<qint64>(prize, 0));
}

void TestAnalysisCore::totalsAndMoney() {
    Database db;
    storeDraw(db.app, 10, "1, 2, 3, 4, 5, 6", "100, 1000, 50000, 1000000");
    storeDraw(db.app, 11, "7, 8, 9, 10, 11, 12");
    storeBet(db.app, 10, "1, 2, 3, 40, 41, 42");   // 3: 100
    storeBet(db.app, 10, "1, 2, 3, 4, 40, 41");    // 4: 1 000
    storeBet(db.app, 10, "1, 2, 3, 43, 41, 42");   // 3: 100
    storeBet(db.app, 11, "7, 8, 9, 10, 40, 41");   // 4, prize not stored
    storeBet(db.app, 11, "7, 40, 41, 42, 43, 44"); // 1
    storeBet(db.app, 13, "1, 2, 3, 4, 5, 6");      // draw not stored
    db.open();
    const BetTotals totals = readMyBets(db.connection).totals;
    QCOMPARE(totals.bets, 6);
    QCOMPARE(totals.drawNotFound, 1);
    QCOMPARE(totals.winning[3], 2);
    QCOMPARE(totals.winning[4], 2);
    QCOMPARE(totals.winning[5], 0);
    QCOMPARE(totals.winning[6], 0);
    QCOMPARE(totals.winningBets(), 4);
    QCOMPARE(totals.won, 1200);
    QCOMPARE(totals.winsWithoutPrize, 1);
    // Six bets at 150,50: 903 spent, 1 200 won.
    QCOMPARE(totals.spentKopecks(15050), 90300);
    QCOMPARE(totals.netKopecks(15050), 29700);
    QCOMPARE(totals.netKopecks(0), 120000);
}

// Amounts imported unchecked up to the limits of 64 bits: the totals of two
// winning bets of such a draw stop at the limits instead of wrapping round.
void TestAnalysisCore::hugeAmountsHeldAtTheLimits_data() {
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    QTest::addColumn<QString>("prize"); // chv3 of the draw
    QTest::addColumn<qint64>("won");
    QTest::addColumn<qint64>("wonKopecks");
    QTest::addColumn<qint64>("net"); // at 150,50 a bet
    QTest::newRow("won past the top")
        << QStringLiteral("9000000000000000000") << max << max << max - 30100;
    QTest::newRow("kopecks past the top")
        << QStringLiteral("100000000000000000") << qint64(2e17) << max << max - 30100;
    QTest::newRow("won past the bottom")
        << QStringLiteral("-9000000000000000000") << min << min << min;
    QTest::newRow("ordinary") << QStringLiteral("100") << qint64(200) << qint64(20000)
                              << qint64(20000 - 30100);
}

void TestAnalysisCore::hugeAmountsHeldAtTheLimits() {
    QFETCH(QString, prize);
    QFETCH(qint64, won);
    QFETCH(qint64, wonKopecks);
    QFETCH(qint64, net);
    Database db;
    storeDraw(db.app, 10, "1, 2, 3, 4, 5, 6",
              QStringLiteral("%1, NULL, NULL, NULL").arg(prize).toLatin1().constData());
    storeBet(db.app, 10, "1, 2, 3, 40, 41, 42");
    storeBet(db.app, 10, "1, 2, 3, 43, 44, 45");
    db.open();
    const BetTotals totals = readMyBets(db.connection).totals;
    QCOMPARE(totals.won, won);
    QCOMPARE(totals.wonKopecks(), wonKopecks);
    QCOMPARE(totals.netKopecks(15050), net);
    QCOMPARE(totals.spentKopecks(std::numeric_limits<qint64>::max()),
             std::numeric_limits<qint64>::max());
}

void TestAnalysisCore::newestBets() {
    Database db;
    storeBet(db.app, 5, "1, 2, 3, 4, 5, 6");
    storeBet(db.app, 3, "1, 2, 3, 4, 5, 7");
    storeBet(db.app, 5, "1, 2, 3, 4, 5, 8");
    storeBet(db.app, 4, "1, 2, 3, 4, 5, 9");
    db.open();
    const auto lastNumbers = [&](qint64 lastN) {
        QList<qint64> sixth;
        for (const BetResult& bet : readMyBets(db.connection, lastN).rows)
            sixth.append(*bet.numbers[5]);
        return sixth;
    };
    // By draw number, then in the order entered.
    QCOMPARE(lastNumbers(0), (QList<qint64>{7, 9, 6, 8}));
    QCOMPARE(lastNumbers(2), (QList<qint64>{6, 8}));
    QCOMPARE(lastNumbers(3), (QList<qint64>{9, 6, 8}));
    QCOMPARE(lastNumbers(10), (QList<qint64>{7, 9, 6, 8}));
}

// Draws stored out of order and with gaps in the numbering:
//   tir 1: 1 2 3 4 5 6        (index 0)
//   tir 2: 1 7 8 9 10 11      (index 1)
//   tir 5: 2 7 12 13 14 15    (index 2; 3 and 4 were never drawn)
//   tir 6: 1 2 16 17 18 19    (index 3)
//   tir 7: 20 21 22 23 24 25  (index 4)
void TestAnalysisCore::delays_data() {
    QTest::addColumn<int>("ball");
    QTest::addColumn<qint64>("hits");
    QTest::addColumn<double>("per100");
    QTest::addColumn<qint64>("delay");
    QTest::addColumn<qint64>("maxDelay");
    QTest::addColumn<double>("meanDelay"); // -1: none
    QTest::addColumn<qint64>("hitsLast2");
    // Runs without ball 1: 0, 0, 1 and the current 1.
    QTest::newRow("three hits") << 1 << qint64(3) << 60.0 << qint64(1) << qint64(1) << 1.0 / 3
                                << qint64(1);
    QTest::newRow("gap in numbering is no draw")
        << 7 << qint64(2) << 40.0 << qint64(2) << qint64(2) << 0.5 << qint64(0);
    QTest::newRow("only in the first draw")
        << 3 << qint64(1) << 20.0 << qint64(4) << qint64(4) << 0.0 << qint64(0);
    QTest::newRow("only in the last draw")
        << 25 << qint64(1) << 20.0 << qint64(0) << qint64(4) << 4.0 << qint64(1);
    QTest::newRow("never drawn") << 49 << qint64(0) << 0.0 << qint64(5) << qint64(5) << -1.0
                                 << qint64(0);
}

void TestAnalysisCore::delays() {
    QFETCH(int, ball);
    QFETCH(qint64, hits);
    QFETCH(double, per100);
    QFETCH(qint64, delay);
    QFETCH(qint64, maxDelay);
    QFETCH(double, meanDelay);
    QFETCH(qint64, hitsLast2);
    Database db;
    storeDraw(db.app, 6, "1, 2, 16, 17, 18, 19");
    storeDraw(db.app, 1, "1, 2, 3, 4, 5, 6");
    storeDraw(db.app, 7, "20, 21, 22, 23, 24, 25");
    storeDraw(db.app, 2, "1, 7, 8, 9, 10, 11");
    storeDraw(db.app, 5, "2, 7, 12, 13, 14, 15");
    db.open();
    const Draws::History draws = Draws::read(db.connection);
    QCOMPARE(draws.size(), 5);
    QCOMPARE(draws.malformed, 0);
    const BallTable table = computeBallStats(draws, 2);
    QCOMPARE(table.draws, 5);
    QCOMPARE(table.lastN, 2);
    const BallStat& s = statOf(table, ball);
    QCOMPARE(s.ball, ball);
    QCOMPARE(s.hits, hits);
    QCOMPARE(s.per100, per100);
    QCOMPARE(s.delay, delay);
    QCOMPARE(s.maxDelay, maxDelay);
    QCOMPARE(s.meanDelay.has_value(), meanDelay >= 0);
    if (s.meanDelay)
        QCOMPARE(*s.meanDelay, meanDelay);
    QCOMPARE(s.hitsLastN, hitsLast2);
    // Without a window the newest-N hits are all the hits.
    QCOMPARE(statOf(computeBallStats(draws, 0), ball).hitsLastN, hits);
}

void TestAnalysisCore::noDraws() {
    const BallTable table = computeBallStats(Draws::History(), 10);
    QCOMPARE(table.draws, 0);
    QCOMPARE(table.lastN, 0);
    for (const BallStat& s : table.balls) {
        QCOMPARE(s.hits, 0);
        QCOMPARE(s.per100, 0.0);
        QCOMPARE(s.delay, 0);
        QCOMPARE(s.maxDelay, 0);
        QVERIFY(!s.meanDelay);
        QVERIFY(!s.hot && !s.cold);
    }
    QVERIFY(computeTopPairs(Draws::History(), 0).pairs.empty());
}

// 1 2 3 4 5 6, then 1 2 3 4 5 7, then 1 2 3 4 8 9 (newest).
void TestAnalysisCore::hotAndCold_data() {
    QTest::addColumn<qint64>("lastN");
    QTest::addColumn<QList<int>>("hot");
    QTest::addColumn<QList<int>>("cold");
    // 1-4 three hits, 5 two; the never-drawn 10-49 tie: the lowest numbers.
    QTest::newRow("all draws") << qint64(0) << QList<int>{1, 2, 3, 4, 5}
                               << QList<int>{10, 11, 12, 13, 14};
    // Newest two: 1-4 twice; of 5, 7, 8, 9 (once) 8 and 9 are more recent.
    QTest::newRow("newest two") << qint64(2) << QList<int>{1, 2, 3, 4, 8}
                                << QList<int>{10, 11, 12, 13, 14};
    // Newest one: 1 2 3 4 8 9 once; of the rest 10-49 have waited longest.
    QTest::newRow("newest one") << qint64(1) << QList<int>{1, 2, 3, 4, 8}
                                << QList<int>{10, 11, 12, 13, 14};
}

void TestAnalysisCore::hotAndCold() {
    QFETCH(qint64, lastN);
    QFETCH(QList<int>, hot);
    QFETCH(QList<int>, cold);
    const Draws::History draws =
        history({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 8, 9}});
    const BallTable table = computeBallStats(draws, lastN);
    QCOMPARE(marked(table, true), hot);
    QCOMPARE(marked(table, false), cold);
}

void TestAnalysisCore::pairs_data() {
    QTest::addColumn<qint64>("lastN");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first"); // the first five "low-high:hits"
    // 1 2 3 4 5 6, 1 2 3 7 8 9, 1 2 10 11 12 13: 45 pairs less 4 repeats.
    QTest::newRow("all") << qint64(0) << 41 << QStringLiteral("1-2:3 1-3:2 2-3:2 1-4:1 1-5:1");
    QTest::newRow("newest one") << qint64(1) << 15
                                << QStringLiteral("1-2:1 1-10:1 1-11:1 1-12:1 1-13:1");
    QTest::newRow("newest two") << qint64(2) << 29
                                << QStringLiteral("1-2:2 1-3:1 1-7:1 1-8:1 1-9:1");
}

void TestAnalysisCore::pairs() {
    QFETCH(qint64, lastN);
    QFETCH(int, count);
    QFETCH(QString, first);
    const Draws::History draws =
        history({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {1, 2, 10, 11, 12, 13}});
    const PairTable table = computeTopPairs(draws, lastN);
    QCOMPARE(int(table.pairs.size()), count);
    QStringList shown;
    for (size_t i = 0; i < 5; ++i) {
        const PairCount& p = table.pairs.at(i);
        shown << QStringLiteral("%1-%2:%3").arg(p.ball1).arg(p.ball2).arg(p.hits);
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), first);
    // Never more than the top 50.
    Draws::History many;
    for (int i = 0; i < 10; ++i)
        many.draws.push_back(history({{i + 1, i + 11, i + 21, i + 31, i + 32, i + 40}}).draws[0]);
    QCOMPARE(computeTopPairs(many, 0).pairs.size(), size_t(kTopPairs));
}

void TestAnalysisCore::handEnteredDraws() {
    Database db;
    storeDraw(db.app, 1, "1, 2, 3, 4, 5, 6");
    storeDraw(db.app, 2, "5, 5, 0, 50, 7, NULL"); // balls 5 and 7
    storeDraw(db.app, 3, "9, 9, 9, 9, 9, 9");     // ball 9
    storeDraw(db.app, 4, "0, 0, 0, 0, 0, 0");     // no ball at all
    db.app.sql(QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) "
                              "VALUES (NULL, 1, 2, 3, 4, 5, 6)"));
    db.open();
    const Draws::History draws = Draws::read(db.connection);
    QCOMPARE(draws.size(), 4); // the row without a draw number is no draw
    QCOMPARE(draws.malformed, 3);
    const BallTable balls = computeBallStats(draws, 0);
    QCOMPARE(statOf(balls, 5).hits, 2);
    QCOMPARE(statOf(balls, 5).delay, 2);
    QCOMPARE(statOf(balls, 7).hits, 1);
    QCOMPARE(statOf(balls, 9).hits, 1);
    QCOMPARE(statOf(balls, 9).delay, 1);
    QCOMPARE(statOf(balls, 1).hits, 1);
    QCOMPARE(statOf(balls, 1).per100, 25.0);
    QCOMPARE(statOf(balls, 1).delay, 3); // the draw without balls still counts
    qint64 total = 0;
    for (const BallStat& s : balls.balls)
        total += s.hits;
    QCOMPARE(total, 6 + 2 + 1);
    const PairTable pairs = computeTopPairs(draws, 0);
    QCOMPARE(pairs.pairs.size(), size_t(15 + 1));
    QCOMPARE(pairs.pairs.front().ball1, 1); // every pair once: by the balls
    const auto fiveSeven =
        std::find_if(pairs.pairs.begin(), pairs.pairs.end(),
                     [](const PairCount& p) { return p.ball1 == 5 && p.ball2 == 7; });
    QVERIFY(fiveSeven != pairs.pairs.end());
    QCOMPARE(fiveSeven->hits, 1);
}

void TestAnalysisCore::csvQuoting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QStringLiteral("тираж") << QByteArray("тираж");
    QTest::newRow("comma") << QStringLiteral("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("quote") << QStringLiteral("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
    QTest::newRow("line feed") << QStringLiteral("a\nb") << QByteArray("\"a\nb\"");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QByteArray("\"a\rb\"");
    QTest::newRow("blanks kept") << QStringLiteral(" a ") << QByteArray(" a ");
}

void TestAnalysisCore::csvQuoting() {
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    TextTable table;
    table.header = QStringList{QStringLiteral("x"), QStringLiteral("y,z")};
    table.rows.push_back({TableCell::string(text), TableCell::null()});
    QCOMPARE(toCsv(table), QByteArray("x,\"y,z\"\r\n") + field + ",\r\n");
}

void TestAnalysisCore::exportedTexts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("lastN");
    QTest::addColumn<QByteArray>("csv");
    // History: 10: 1 2 3 4 5 6 (prizes 100 .. 1 000 000, 2024-01-06), 11: 1 2 7 8 9 10.
    // Bets: one with three matches, one with two, one for a draw not stored.
    QTest::newRow("bets") << int(AnalysisKind::Bets) << qint64(0)
                          << QByteArray("tir,date,b1,b2,b3,b4,b5,b6,matches,prize\r\n"
                                        "10,2024-01-06,1,2,3,40,41,42,3,100\r\n"
                                        "11,,1,2,40,41,42,43,2,\r\n"
                                        "99,,1,2,3,4,5,6,,\r\n");
    QTest::newRow("newest bet") << int(AnalysisKind::Bets) << qint64(1)
                                << QByteArray("tir,date,b1,b2,b3,b4,b5,b6,matches,prize\r\n"
                                              "99,,1,2,3,4,5,6,,\r\n");
    const QByteArray ballsHeader =
        "ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n\r\n";
    QTest::newRow("balls") << int(AnalysisKind::Balls) << qint64(1)
                           << QByteArray(ballsHeader + "1,2,100.00,12.24,0,0,0.00,1\r\n"
                                                       "2,2,100.00,12.24,0,0,0.00,1\r\n"
                                                       "3,1,50.00,12.24,1,1,0.00,0\r\n");
    QTest::newRow("pairs") << int(AnalysisKind::Pairs) << qint64(0)
                           << QByteArray("ball1,ball2,hits\r\n1,2,2\r\n1,3,1\r\n");
}

void TestAnalysisCore::exportedTexts() {
    QFETCH(int, kind);
    QFETCH(qint64, lastN);
    QFETCH(QByteArray, csv);
    Database db;
    storeDraw(db.app, 10, "1, 2, 3, 4, 5, 6", "100, 1000, 50000, 1000000", "'2024-01-06'");
    storeDraw(db.app, 11, "1, 2, 7, 8, 9, 10");
    storeBet(db.app, 99, "1, 2, 3, 4, 5, 6");
    storeBet(db.app, 10, "1, 2, 3, 40, 41, 42");
    storeBet(db.app, 11, "1, 2, 40, 41, 42, 43");
    db.open();
    const QByteArray text =
        analysisText(db.connection, AnalysisKind(kind), lastN, TableFormat::Csv);
    QVERIFY2(text.startsWith(csv), text.left(400).constData());
    if (AnalysisKind(kind) == AnalysisKind::Balls) {
        QCOMPARE(text.count("\r\n"), 50);
        QVERIFY(text.endsWith("49,0,0.00,12.24,2,2,,0\r\n"));
    }
}

void TestAnalysisCore::jsonText() {
    Database db;
    storeDraw(db.app, 10, "1, 2, 3, 4, 5, 6", "100, 1000, 50000, 1000000", "'2024-01-06'");
    storeBet(db.app, 10, "1, 2, 3, 40, 41, 42");
    storeBet(db.app, 12, "1, 2, 3, 40, 41, NULL");
    db.open();
    QCOMPARE(
        analysisText(db.connection, AnalysisKind::Bets, 0, TableFormat::Json),
        QByteArray("[\n"
                   "  {\"tir\": 10, \"date\": \"2024-01-06\", \"b1\": 1, \"b2\": 2, \"b3\": 3, "
                   "\"b4\": 40, \"b5\": 41, \"b6\": 42, \"matches\": 3, \"prize\": 100},\n"
                   "  {\"tir\": 12, \"date\": null, \"b1\": 1, \"b2\": 2, \"b3\": 3, "
                   "\"b4\": 40, \"b5\": 41, \"b6\": null, \"matches\": null, \"prize\": null}\n"
                   "]\n"));
    const QByteArray balls = analysisText(db.connection, AnalysisKind::Balls, 0, TableFormat::Json);
    QVERIFY(balls.startsWith("[\n  {\"ball\": 1, \"hits\": 1, \"per100\": 100.00, "
                             "\"expected_per100\": 12.24, \"delay\": 0, \"max_delay\": 0, "
                             "\"mean_delay\": 0.00, \"hits_last_n\": 1},\n"));
    QVERIFY(balls.contains("{\"ball\": 49, \"hits\": 0, \"per100\": 0.00, \"expected_per100\": "
                           "12.24, \"delay\": 1, \"max_delay\": 1, \"mean_delay\": null, "
                           "\"hits_last_n\": 0}\n]\n"));
    TextTable odd;
    odd.header = QStringList{QStringLiteral("t")};
    odd.rows.push_back({TableCell::string(QStringLiteral("a\"b\\c\n\x01"))});
    QCOMPARE(toJson(odd), QByteArray("[\n  {\"t\": \"a\\\"b\\\\c\\n\\u0001\"}\n]\n"));
    QCOMPARE(toJson(TextTable()), QByteArray("[]\n"));
    const std::vector<std::array<int, 6>> tickets{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 49}};
    QCOMPARE(ticketsCsv(tickets),
             QByteArray("ticket,b1,b2,b3,b4,b5,b6\r\n1,1,2,3,4,5,6\r\n2,7,8,9,10,11,49\r\n"));
    QCOMPARE(ticketsJson({tickets[1]}),
             QByteArray("[\n  {\"ticket\": 1, \"b1\": 7, \"b2\": 8, \"b3\": 9, \"b4\": 10, "
                        "\"b5\": 11, \"b6\": 49}\n]\n"));
    QCOMPARE(ticketsJson({}), QByteArray("[]\n"));
}

void TestAnalysisCore::kindNames() {
    QCOMPARE(analysisKindNamed(QStringLiteral("bets")), std::optional(AnalysisKind::Bets));
    QCOMPARE(analysisKindNamed(QStringLiteral("balls")), std::optional(AnalysisKind::Balls));
    QCOMPARE(analysisKindNamed(QStringLiteral("pairs")), std::optional(AnalysisKind::Pairs));
    QVERIFY(!analysisKindNamed(QStringLiteral("Bets")));
    QVERIFY(!analysisKindNamed(QString()));
}

void TestAnalysisCore::changeStamp() {
    Database db;
    db.open();
    const Connection::ChangeStamp start = db.connection.changeStamp();
    QCOMPARE(db.connection.changeStamp(), start);
    readMyBets(db.connection); // reading changes nothing
    QCOMPARE(db.connection.changeStamp(), start);
    db.connection.exec(QStringLiteral("INSERT INTO razyg (tir) VALUES (1)"));
    const Connection::ChangeStamp own = db.connection.changeStamp();
    QVERIFY(own != start);
    db.app.sql(QStringLiteral("DELETE FROM razyg")); // another connection
    QVERIFY(db.connection.changeStamp() != own);
    QVERIFY(!db.connection.inTransaction());
    db.connection.beginBatch();
    QVERIFY(db.connection.inTransaction());
    db.connection.commitBatch();
}

QTEST_MAIN(TestAnalysisCore)
#include "test_analysis_core.moc"
