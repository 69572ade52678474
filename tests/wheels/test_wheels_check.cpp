// The exact check against a plain count over every M-set, on small synthetic wheels.

#include "wheels/Combinatorics.h"
#include "wheels/WheelCheck.h"

#include <QtTest>

using namespace Wheels;

namespace {

// Synthetic tickets: random six-number subsets of the chosen numbers, each holding the keys.
std::vector<Ticket> syntheticTickets(const WheelRequest& r, int count, std::uint64_t seed) {
    Random random(seed);
    std::vector<Ticket> tickets;
    for (int i = 0; i < count; ++i) {
        std::vector<int> balls = r.keys;
        while (balls.size() < 6) {
            const int n = r.numbers[random.below(std::uint32_t(r.numbers.size()))];
            if (std::find(balls.begin(), balls.end(), n) == balls.end())
                balls.push_back(n);
        }
        std::sort(balls.begin(), balls.end());
        Ticket t;
        std::copy(balls.begin(), balls.end(), t.begin());
        tickets.push_back(t);
    }
    return tickets;
}

// Every M-subset (as a mask over the balls) holding all keys, tested against every ticket.
std::pair<std::uint64_t, std::uint64_t> bruteForce(const WheelRequest& r,
                                                   const std::vector<Ticket>& tickets) {
    Mask chosen = 0, keys = 0;
    for (int n : r.numbers)
        chosen |= Mask(1) << n;
    for (int k : r.keys)
        keys |= Mask(1) << k;
    std::uint64_t total = 0, covered = 0;
    forEachSubset(chosen, r.guarantee.m, [&](Mask set) {
        if ((set & keys) != keys)
            return;
        ++total;
        for (const Ticket& t : tickets) {
            Mask tm = 0;
            for (int b : t)
                tm |= Mask(1) << b;
            if (popcount(tm & set) >= r.guarantee.t) {
                ++covered;
                return;
            }
        }
    });
    return {total, covered};
}

} // namespace

class TestWheelsCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesBruteForce_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("tickets");
        QTest::newRow("3 if 6 on 14, sparse") << 14 << 3 << 6 << 0 << 3;
        QTest::newRow("3 if 6 on 14, dense") << 14 << 3 << 6 << 0 << 12;
        QTest::newRow("2 if 2 on 12") << 12 << 2 << 2 << 0 << 5;
        QTest::newRow("4 if 5 on 11") << 11 << 4 << 5 << 0 << 25;
        QTest::newRow("5 if 5 on 9") << 9 << 5 << 5 << 0 << 20;
        QTest::newRow("3 if 4, one key") << 13 << 3 << 4 << 1 << 8;
        QTest::newRow("4 if 6, two keys") << 15 << 4 << 6 << 2 << 10;
        QTest::newRow("3 if 3, three keys: keys alone") << 10 << 3 << 3 << 3 << 1;
        QTest::newRow("4 if 5, three keys") << 12 << 4 << 5 << 3 << 4;
        QTest::newRow("no tickets") << 8 << 2 << 3 << 0 << 0;
        QTest::newRow("many tickets, 5 if 6 on 14") << 14 << 5 << 6 << 0 << 2500;
        QTest::newRow("many tickets, 4 if 6, one key") << 13 << 4 << 6 << 1 << 2100;
        QTest::newRow("many tickets, 4 if 4 on 24") << 24 << 4 << 4 << 0 << 2100;
        QTest::newRow("many tickets, 3 if 3, two keys") << 30 << 3 << 3 << 2 << 2050;
    }
    void matchesBruteForce() {
        QFETCH(int, v);
        QFETCH(int, t);
        QFETCH(int, m);
        QFETCH(int, keys);
        QFETCH(int, tickets);
        WheelRequest r;
        for (int i = 0; i < v; ++i)
            r.numbers.push_back(3 + 3 * i % 47); // spread over 1..49, not 1..v
        for (int i = 0; i < keys; ++i)
            r.keys.push_back(r.numbers[std::size_t(2 * i + 1)]);
        r.guarantee = Guarantee{t, m};
        const auto wheel = syntheticTickets(r, tickets, std::uint64_t(v * 100 + tickets));
        const auto [total, covered] = bruteForce(r, wheel);
        const CheckResult result = checkWheel(r, wheel, 5);
        QCOMPARE(result.totalSets, total);
        QCOMPARE(result.coveredSets, covered);
        QCOMPARE(result.firstUncovered.size(),
                 std::size_t(std::min<std::uint64_t>(5, total - covered)));
        for (const auto& set : result.firstUncovered) {
            QCOMPARE(int(set.size()), m);
            const auto one = bruteForce(WheelRequest{set, r.guarantee, r.keys}, wheel);
            QCOMPARE(one.second, std::uint64_t(0));
        }
    }

    void stopEndsEarly() {
        WheelRequest r{{}, Guarantee{3, 6}, {}};
        for (int i = 1; i <= 30; ++i)
            r.numbers.push_back(i);
        std::atomic<bool> stop{true};
        const CheckResult result = checkWheel(r, {Ticket{1, 2, 3, 4, 5, 6}}, 3, &stop);
        QVERIFY(!result.finished);
        QVERIFY(!result.guaranteed());
    }
};

QTEST_APPLESS_MAIN(TestWheelsCheck)
#include "test_wheels_check.moc"
