// The backtest on a hand-computed case, walk-forward facts that never see a
// later draw, random tickets on a synthetic fair history, and the history
// reader on a small database.
#include "analysis/BallStats.h"
#include "dataset/Connection.h"
#include "draws/StoredDraws.h"
#include "game/Odds.h"
#include "lab/Backtest.h"
#include "lab/FilterEngine.h"
#include "lab/HistoryFacts.h"
#include "lab/MatchCounter.h"
#include "lab/StoredBets.h"
#include "runtime/AppError.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numeric>
#include <random>
#include <sqlite3.h>

using namespace Lab;
using Analysis::BallSet;

namespace {

// A draw with the prizes for 3, 4, 5 and 6 matches (the categories 6, 5, 4, 3
// in the game's order), or none stored.
void addDraw(Draws::History& h, qint64 tir, const Ticket& balls, std::array<qint64, 4> amount,
             bool stored = true) {
    Lottery::Numbers numbers;
    for (int ball : balls)
        numbers.append(ball);
    std::vector<std::optional<qint64>> prizes(4);
    for (size_t k = 0; stored && k < 4; ++k)
        prizes[3 - k] = amount[k];
    h.add(tir, numbers, {}, prizes);
}

// The prizes of a draw for 3, 4, 5 and 6 matches, 0 where none is stored.
std::array<qint64, 4> amountsOf(const Draws::History& h, qint64 draw) {
    std::array<qint64, 4> amount{};
    for (size_t k = 0; k < 4; ++k)
        amount[k] = h.prize(draw, 3 - int(k)).value_or(0);
    return amount;
}

Ticket randomTicket(std::mt19937_64& random) {
    std::array<int, 49> drum{};
    for (int i = 0; i < 49; ++i)
        drum[size_t(i)] = i + 1;
    Ticket t{};
    for (size_t i = 0; i < 6; ++i) {
        std::swap(drum[i], drum[i + random() % (49 - i)]);
        t[i] = drum[i];
    }
    std::sort(t.begin(), t.end());
    return t;
}

// Synthetic draws from a fair drum, every prize stored.
Draws::History fairHistory(int draws, quint64 seed) {
    std::mt19937_64 random(seed);
    Draws::History h;
    for (int tir = 1; tir <= draws; ++tir)
        addDraw(h, tir, randomTicket(random), {100, 1000, 100000, 10000000});
    return h;
}

} // namespace

class TestLabBacktest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handComputed_data() {
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<QList<qint64>>("hits"); // 3, 4, 5, 6 matches
        QTest::addColumn<qint64>("prize");
        QTest::addColumn<qint64>("draws");
        QTest::addColumn<qint64>("withoutPrizes");
        QTest::newRow("all") << qint64(0) << qint64(9) << QList<qint64>{4, 0, 1, 1} << qint64(50400)
                             << qint64(3) << qint64(1);
        QTest::newRow("from 2") << qint64(2) << qint64(3) << QList<qint64>{3, 0, 0, 1}
                                << qint64(300) << qint64(2) << qint64(1);
        QTest::newRow("only 1") << qint64(1) << qint64(1) << QList<qint64>{1, 0, 1, 0}
                                << qint64(50100) << qint64(1) << qint64(0);
    }
    void handComputed() {
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(QList<qint64>, hits);
        QFETCH(qint64, prize);
        QFETCH(qint64, draws);
        QFETCH(qint64, withoutPrizes);
        Draws::History h;
        addDraw(h, 1, {1, 2, 3, 4, 5, 6}, {100, 1000, 50000, 1000000});
        addDraw(h, 2, {1, 2, 3, 10, 11, 12}, {}, false);
        addDraw(h, 3, {7, 8, 9, 10, 11, 12}, {150, 2000, 0, 0});
        BacktestRequest request;
        request.tickets = {{1, 2, 3, 4, 5, 40}, {1, 2, 3, 10, 11, 12}, {7, 8, 9, 40, 41, 42}};
        request.fromTir = from;
        request.toTir = to;
        request.ticketPrice = 50;
        request.pValueReplicates = 100000;
        QVERIFY(backtestProblem(h, request).isEmpty());
        const BacktestResult r = runBacktest(h, request);
        for (size_t k = 0; k < 4; ++k)
            QCOMPARE(r.categories[k].hits, hits[qsizetype(k)]);
        QCOMPARE(r.totalPrize, prize);
        QCOMPARE(r.draws, draws);
        QCOMPARE(r.drawsWithoutPrizes, withoutPrizes);
        QCOMPARE(r.cost, 3 * 50 * draws);
        QCOMPARE(r.net, prize - 3 * 50 * draws);
        // The expectation: three random tickets a draw.
        QCOMPARE(r.categories[0].expectedHits, 3.0 * double(draws) * 246820 / 13983816);
        const double amount3 = from <= 1 ? (to >= 3 ? 250.0 : 100.0) : 150.0;
        QCOMPARE(r.categories[0].expectedPrize, 3.0 * amount3 * 246820 / 13983816);
        // The same tickets with their numbers permuted at random meet a uniformly random draw:
        // the share of all draws on which they would win as much. With a five paid, hardly any.
        double exact = 0;
        if (from == 2)
            streamPassing(Filter{}, HistoryFacts{}, [&](const Ticket& draw) {
                qint64 total = 0;
                for (const Ticket& t : request.tickets) {
                    const int k = Analysis::ballCount(ballsOf(t) & ballsOf(draw));
                    total += k == 3 ? 150 : k == 4 ? 2000 : 0;
                }
                exact += total >= 300 ? 1.0 / double(kAllCombinations) : 0.0;
                return true;
            });
        QVERIFY2(std::fabs(r.pValue - exact) < 0.001, qPrintable(QString::number(r.pValue)));
    }

    void walkForwardFactsSeeOnlyEarlierDraws() {
        const Draws::History h = fairHistory(400, 11);
        Filter filter;
        filter.notDrawn = true;
        filter.sharedWithLastMax = 1;
        filter.hot = HotColdRule{5, 30, 1};
        filter.cold = HotColdRule{5, 60, 1};
        HistoryTracker tracker(filter, h);
        for (qint64 n = 0; n <= h.size(); n += 7) {
            tracker.advanceTo(n);
            Draws::History before;
            before.draws.assign(h.draws.begin(), h.draws.begin() + n);
            const HistoryFacts seen = historyFacts(filter, before);
            const HistoryFacts& walked = tracker.facts();
            QCOMPARE(walked.newest, seen.newest);
            QCOMPARE(walked.hot, seen.hot);
            QCOMPARE(walked.cold, seen.cold);
            QCOMPARE(walked.drawn->size(), size_t(n));
            if (n < h.size())
                QVERIFY(!walked.drawn->contains(Analysis::ballSetOf(h.draws[size_t(n)].main)));
            // Five hot and five cold are what the analysis window marks.
            const Analysis::BallTable table = Analysis::computeBallStats(before, 30);
            BallSet hot = 0;
            for (const Analysis::BallStat& s : table.balls)
                hot |= s.hot ? BallSet(1) << s.ball : 0;
            QCOMPARE(walked.hot, hot);
        }
    }

    void walkForwardPlaysTicketUntilDrawn() {
        Draws::History h;
        const Ticket ticket{5, 6, 7, 8, 9, 10};
        for (qint64 tir = 1; tir <= 4; ++tir)
            addDraw(h, tir, tir % 2 == 0 ? ticket : Ticket{1, 2, 3, 4, 5, 6}, {1, 10, 100, 1000});
        BacktestRequest request;
        request.tickets = {ticket};
        request.walkForward = Filter{};
        request.walkForward->notDrawn = true;
        const BacktestResult r = runBacktest(h, request);
        // Played on draws 1 and 2 (a six), never again once drawn.
        QCOMPARE(r.categories[3].hits, qint64(1));
        QCOMPARE(r.ticketsPlayed, qint64(2));
    }

    void randomTicketsMatchTheExpectation() {
        const Draws::History h = fairHistory(4000, 2024);
        std::mt19937_64 random(99);
        BacktestRequest request;
        for (int i = 0; i < 250; ++i)
            request.tickets.push_back(randomTicket(random));
        request.pValueReplicates = 2000;
        const BacktestResult r = runBacktest(h, request);
        const double trials = 250.0 * 4000;
        for (size_t k = 0; k < 2; ++k) {
            const double p = Lottery::matchChance(49, 6, int(k) + 3);
            const double sd = std::sqrt(trials * p * (1 - p));
            QCOMPARE(r.categories[k].expectedHits, trials * p);
            QVERIFY2(std::fabs(double(r.categories[k].hits) - trials * p) < 4 * sd,
                     qPrintable(QString::number(r.categories[k].hits)));
        }
        QVERIFY(r.pValue > 0.001);
    }

    // Sets of 30 tickets from 9 balls win in bunches: their p-values on fair
    // draws must still spread evenly (one in twenty below 0.05, one above 0.95).
    void structuredSetsGetEvenPValues() {
        const Draws::History h = fairHistory(1000, 7);
        std::mt19937_64 random(27);
        int low = 0, high = 0;
        for (int set = 0; set < 20; ++set) {
            std::vector<int> balls(49);
            std::iota(balls.begin(), balls.end(), 1);
            std::shuffle(balls.begin(), balls.end(), random);
            balls.resize(9);
            BacktestRequest request;
            while (request.tickets.size() < 30) {
                std::shuffle(balls.begin(), balls.end(), random);
                Ticket t{balls[0], balls[1], balls[2], balls[3], balls[4], balls[5]};
                std::sort(t.begin(), t.end());
                if (std::find(request.tickets.begin(), request.tickets.end(), t) ==
                    request.tickets.end())
                    request.tickets.push_back(t);
            }
            request.pValueReplicates = 400;
            request.seed = quint64(set);
            const double p = runBacktest(h, request).pValue;
            low += p < 0.05;
            high += p > 0.95;
        }
        QVERIFY2(low <= 3 && high <= 3,
                 qPrintable(QStringLiteral("%1 low, %2 high").arg(low).arg(high)));
    }

    // 5,000 tickets on 2,500 draws at the largest price, and a stored jackpot
    // near the 64-bit limit won twice: refused, never a wrapped-round sum.
    void moneyBeyond64Bits_data() {
        QTest::addColumn<qint64>("price");
        QTest::addColumn<qint64>("jackpot");
        QTest::addColumn<QString>("refusal"); // empty: the sums are exact
        QTest::newRow("largest cost that fits") << qint64(737869762948) << qint64(0) << QString();
        QTest::newRow("cost") << qint64(1000000000000) << qint64(0) << QStringLiteral("Стоимость");
        QTest::newRow("prizes") << qint64(0) << qint64(5000000000000000000)
                                << QStringLiteral("Выигрыш тиража 2");
    }
    void moneyBeyond64Bits() {
        QFETCH(qint64, price);
        QFETCH(qint64, jackpot);
        QFETCH(QString, refusal);
        Draws::History h = fairHistory(2500, 3);
        h.draws[1].main = Lottery::Numbers{1, 2, 3, 4, 5, 6};
        h.prizes[h.game.categories().size()] = jackpot; // draw 1, the first category: six
        BacktestRequest request;
        request.tickets.assign(5000, Ticket{1, 2, 3, 4, 5, 6});
        request.ticketPrice = price;
        request.pValueReplicates = 0;
        try {
            const BacktestResult r = runBacktest(h, request);
            QVERIFY(refusal.isEmpty());
            QCOMPARE(r.cost, price * 5000 * 2500); // 9,223,372,036,850,000,000
        } catch (const AppError& e) {
            QVERIFY2(!refusal.isEmpty() && e.message().startsWith(refusal),
                     qPrintable(e.message()));
        }
    }

    // The subset counts of a large set against plain popcounts, with tickets
    // taken out again and one ticket twice; draws near the tickets, so that
    // fives and sixes come up.
    void largeSetsCountMatchesExactly() {
        std::mt19937_64 random(5);
        MatchCounter counter(1000);
        std::vector<BallSet> tickets;
        for (int i = 0; i < 300; ++i)
            tickets.push_back(ballsOf(randomTicket(random)));
        tickets.push_back(tickets[7]);
        for (BallSet t : tickets)
            counter.add(t);
        for (int i = 0; i < 100; ++i) {
            counter.remove(tickets.back());
            tickets.pop_back();
        }
        for (size_t d = 0; d < 2000; ++d) {
            BallSet draw = ballsOf(randomTicket(random));
            if (d % 2 == 0) { // a ticket with up to two of its balls swapped
                draw = tickets[d % tickets.size()];
                for (size_t swaps = d % 3; swaps > 0; --swaps) {
                    const BallSet out = BallSet(1) << (1 + random() % 49),
                                  in = BallSet(1) << (1 + random() % 49);
                    if ((draw & out) && !(draw & in))
                        draw = (draw & ~out) | in;
                }
            }
            MatchHits plain{};
            for (BallSet t : tickets)
                if (const int k = Analysis::ballCount(t & draw); k >= 3)
                    ++plain[size_t(k - 3)];
            QCOMPARE(counter.hits(draw), plain);
        }
        QCOMPARE(counter.size(), qint64(tickets.size()));
    }

    void readsDrawsWithPrizes() {
        QTemporaryDir dir;
        const QByteArray path = (dir.path() + QStringLiteral("/lab.db")).toUtf8();
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(
                     db,
                     "CREATE TABLE razyg (tir, s1, s2, s3, s4, s5, s6, chv3, chv4, chv5, "
                     "chv6); INSERT INTO razyg VALUES (2, 1, 2, 3, 4, 5, 6, 100, '2000', "
                     "NULL, NULL), (NULL, 1, 2, 3, 4, 5, 7, 1, 1, 1, 1), (1, 7, 8, 9, 10, "
                     "11, 50, NULL, NULL, NULL, NULL); CREATE TABLE Rate (tir, s1, s2, s3, s4, s5, "
                     "s6); INSERT INTO Rate VALUES (2, 9, 8, 7, 6, 5, 4), (2, 1, 1, 2, 3, "
                     "4, 5), (3, 1, 2, 3, 4, 5, 6)",
                     nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
        Connection connection(QStringLiteral("lab"));
        connection.open(QString::fromUtf8(path));
        const Draws::History h = Draws::read(connection, backtestRequest());
        QCOMPARE(h.size(), qint64(2));
        QCOMPARE(h.draws[0].tir, qint64(1));
        QVERIFY(!h.prizesStored(0));
        QCOMPARE(h.malformed, qint64(1));
        QVERIFY(h.prizesStored(1));
        QVERIFY((amountsOf(h, 1) == std::array<qint64, 4>{100, 2000, 0, 0}));
        QCOMPARE(h.firstAtOrAfter(2), qint64(1));
        const StoredBets bets = readStoredBets(connection, 2);
        QVERIFY((bets.tickets == std::vector<Ticket>{{4, 5, 6, 7, 8, 9}}));
        QCOMPARE(bets.irregular, qint64(1));
    }
};

QTEST_GUILESS_MAIN(TestLabBacktest)
#include "test_lab_backtest.moc"
