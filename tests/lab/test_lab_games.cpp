// The lab on games other than 6 из 49: filter counts against closed forms,
// the reference script's counts and a plain count of every ticket; a two-drum
// backtest computed by hand.
#include "lab/Backtest.h"
#include "lab/FilterEngine.h"
#include "lab/PlayedTickets.h"

#include <QTest>
#include <random>

using namespace Lab;

Q_DECLARE_METATYPE(Lab::Filter)

namespace {

Filter of(const char* game) {
    Filter f;
    f.game = Lottery::Game::parse(QLatin1String(game));
    return f;
}

// Every ticket of K from 1..N in turn, each condition read off its definition.
qint64 plainCount(const Filter& f) {
    const int k = f.game.k(), n = f.game.n();
    std::vector<int> t(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i)
        t[size_t(i)] = i + 1;
    qint64 count = 0;
    for (;;) {
        int sum = 0, odd = 0, low = 0, run = 0, longest = 0;
        int decade[10] = {};
        bool excluded = false;
        for (size_t i = 0; i < t.size(); ++i) {
            sum += t[i];
            odd += t[i] % 2;
            low += t[i] <= n / 2;
            run = i > 0 && t[i] == t[i - 1] + 1 ? run + 1 : 1;
            longest = std::max(longest, run);
            ++decade[t[i] / 10];
            excluded = excluded || std::count(f.exclude.begin(), f.exclude.end(), t[i]);
        }
        count += (!f.sum || f.sum->contains(sum)) && (!f.odd || f.odd->contains(odd)) &&
                 (!f.low || f.low->contains(low)) && (!f.maxRun || longest <= *f.maxRun) &&
                 (!f.decadeMax || *std::max_element(decade, decade + 10) <= *f.decadeMax) &&
                 !excluded;
        int i = k - 1;
        while (i >= 0 && t[size_t(i)] == n - k + 1 + i)
            --i;
        if (i < 0)
            return count;
        ++t[size_t(i)];
        for (int j = i + 1; j < k; ++j)
            t[size_t(j)] = t[size_t(j - 1)] + 1;
    }
}

// K distinct numbers of 1..N, near `near` (some of its numbers kept) when given.
Ticket randomTicket(const Lottery::Game& game, std::mt19937_64& random, const Ticket* near) {
    std::vector<int> drum;
    for (int b = 1; b <= game.n(); ++b)
        drum.push_back(b);
    std::shuffle(drum.begin(), drum.end(), random);
    Ticket t;
    for (int i = 0; near && i < int(random() % quint64(game.k() + 1)); ++i)
        t.main[size_t(i)] = (*near)[size_t(i)];
    for (size_t i = size_t(t.size()), d = 0; i < size_t(game.k()); ++d)
        if (std::find(t.main.begin(), t.main.end(), drum[d]) == t.main.end())
            t.main[i++] = drum[d];
    std::sort(t.begin(), t.end());
    return t;
}

Ticket ticket(std::initializer_list<int> main, int second) {
    Ticket t;
    std::copy(main.begin(), main.end(), t.main.begin());
    t.second[0] = second;
    return t;
}

} // namespace

class TestLabGames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void counts_data() {
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<qint64>("count"); // -1: the plain count
        Filter f = of("5/40");
        f.maxRun = 1;
        QTest::newRow("5/40 no two consecutive: C(36,5)") << f << qint64(376992);
        QTest::newRow("7/49 all: C(49,7)") << of("7/49") << qint64(85900584);
        f = of("3/10");
        f.sum = Span{27, 27};
        QTest::newRow("3/10 sum 27: 8 9 10 alone") << f << qint64(1);
        f = of("6/45");
        f.odd = Span{6, 6};
        QTest::newRow("6/45 all odd: C(23,6)") << f << qint64(100947);
        f = of("5/90");
        f.include = {90};
        QTest::newRow("5/90 with 90: C(89,4)") << f << qint64(2441626);
        f = of("4/20");
        f.low = Span{0, 0};
        QTest::newRow("4/20 none of 1-10: C(10,4)") << f << qint64(210);
        f = of("5/36");
        f.decadeMax = 1;
        QTest::newRow("5/36 five numbers, four decades") << f << qint64(0);
        f.decadeMax = 2;
        f.low = Span{2, 3};
        QTest::newRow("5/36 low 2-3, decades of two: plain") << f << qint64(-1);
        f.sum = Span{60, 120};
        f.maxRun = 2;
        f.exclude = {13, 36};
        QTest::newRow("5/36 five conditions: plain") << f << qint64(-1);
        // The reference script's six filters, its own counts.
        for (const auto& [game, count] :
             {std::pair{"5/36", 2707}, std::pair{"6/45", 2255255}, std::pair{"7/49", 9778506}}) {
            f = of(game);
            f.sum = Span{120, 180};
            f.odd = f.low = Span{2, 4};
            f.maxRun = f.decadeMax = 2;
            f.exclude = {13};
            QTest::newRow(qPrintable(QStringLiteral("%1 reference six").arg(QLatin1String(game))))
                << f << qint64(count);
        }
    }
    void counts() {
        QFETCH(Filter, filter);
        QFETCH(qint64, count);
        QVERIFY2(filterProblem(filter).isEmpty(), qPrintable(filterProblem(filter)));
        const CountResult result = countPassing(filter, HistoryFacts{});
        QCOMPARE(result.passing, count >= 0 ? count : plainCount(filter));
        QCOMPARE(result.total, qint64(Lottery::combinations(filter.game)));
    }

    // Large sets counted by their subsets against plain popcounts, with
    // tickets taken out again; draws near the tickets, so that every count comes up.
    void largeSets_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("categories"); // empty: the default
        QTest::newRow("5/36") << QStringLiteral("5/36") << QString();
        QTest::newRow("7/49") << QStringLiteral("7/49") << QString();
        QTest::newRow("4/20 from one match") << QStringLiteral("4/20") << QStringLiteral("4,3,2,1");
    }
    void largeSets() {
        QFETCH(QString, game);
        QFETCH(QString, categories);
        Lottery::Game g = Lottery::Game::parse(game);
        if (!categories.isEmpty())
            g.setCategories(g.parseCategories(categories));
        std::mt19937_64 random(29);
        std::vector<Ticket> tickets;
        for (int i = 0; i < 300; ++i)
            tickets.push_back(randomTicket(g, random, nullptr));
        PlayedTickets played(g, tickets);
        for (size_t i = 0; i < tickets.size(); ++i)
            played.add(i);
        for (size_t i = 0; i < tickets.size(); i += 3)
            played.remove(i);
        std::vector<qint64> hits;
        for (size_t d = 0; d < 500; ++d) {
            const Ticket draw = randomTicket(g, random, &tickets[d % tickets.size()]);
            std::vector<qint64> plain(g.categories().size());
            for (size_t i = 0; i < tickets.size(); ++i) {
                const int c = g.categoryIndex({bitCount(ballsOf(tickets[i]) & ballsOf(draw)), 0});
                plain[size_t(std::max(c, 0))] += i % 3 != 0 && c >= 0;
            }
            played.hits(ballsOf(draw), 0, hits);
            QCOMPARE(hits, plain);
        }
    }

    // 3 из 10 + 1 из 4, categories 3+1, 3, 2+1, 2. Draw 1 (1 2 3 + 1): the
    // first ticket wins 3+1, the second 2. Draw 2 (4 5 6 + 2): the third 2+1.
    void twoDrumsByHand() {
        Draws::History h;
        h.game = Lottery::Game::parse(QStringLiteral("3/10+1/4"));
        const std::vector<std::optional<qint64>> prizes{1000, 500, 50, 10};
        h.add(1, {1, 2, 3}, {1}, prizes);
        h.add(2, {4, 5, 6}, {2}, prizes);
        BacktestRequest request;
        request.tickets = {ticket({1, 2, 3}, 1), ticket({1, 2, 4}, 2), ticket({5, 6, 7}, 2)};
        request.ticketPrice = 5;
        QVERIFY(backtestProblem(h, request).isEmpty());
        const BacktestResult r = runBacktest(h, request);
        const QStringList keys{QStringLiteral("2"), QStringLiteral("2+1"), QStringLiteral("3"),
                               QStringLiteral("3+1")};
        const qint64 hits[] = {1, 1, 0, 1};
        // P(m of 3 from 10) · P(s of 1 from 4): 63, 21, 3 and 1 in 480; six tickets played.
        const double ways[] = {63, 21, 3, 1};
        QCOMPARE(r.categories.size(), size_t(4));
        for (size_t c = 0; c < 4; ++c) {
            QCOMPARE(r.categories[c].category.key(), keys[qsizetype(c)]);
            QCOMPARE(r.categories[c].hits, hits[c]);
            QCOMPARE(r.categories[c].expectedHits, 6 * ways[c] / 480);
        }
        QCOMPARE(r.totalPrize, qint64(1060));
        QCOMPARE(r.net, qint64(1060 - 6 * 5));
        QCOMPARE(r.expectedTotalPrize, 6.0 * (10 * 63 + 50 * 21 + 500 * 3 + 1000) / 480);
        QVERIFY(r.pValue > 0 && r.pValue <= 1);
        QVERIFY(r.pValueMethod.contains(QStringLiteral("1–10 основного барабана")));
    }
};

QTEST_GUILESS_MAIN(TestLabGames)
#include "test_lab_games.moc"
