// Wheels for games whose tickets do not hold six numbers: every generated wheel passes a
// brute-force check written here, stays at or above a lower bound computed by hand, and the
// published record of the case is the one in the shipped table.

#include "wheels/WheelGenerator.h"
#include "wheels/WheelRecords.h"

#include <QtTest>

using namespace Wheels;

Q_DECLARE_METATYPE(std::vector<int>)

class TestWheelsGames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generated_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("v"); // the numbers 1..v are chosen
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("m");
        QTest::addColumn<std::vector<int>>("keys");
        QTest::addColumn<int>("bound");  // hand-computed lower bound on the tickets
        QTest::addColumn<int>("record"); // best published size, 0: none published
        // Schönheim: L(13,3,1) = 5, L(14,4,2) = ceil(14/4 * 5) = 18, L(15,5,3) = 54.
        QTest::newRow("5/36, 3 if 3 on 15")
            << "5/36" << 15 << 3 << 3 << std::vector<int>{} << 54 << 55;
        // One ticket misses its complement; two complementary ones meet any five in three.
        QTest::newRow("5/36, 2 if 5 on 10")
            << "5/36" << 10 << 2 << 5 << std::vector<int>{} << 2 << 0;
        // L(11,3,1) = 4, L(12,4,2) = 3 * 4 = 12, reached by the record.
        QTest::newRow("4/20, 2 if 2 on 12")
            << "4/20" << 12 << 2 << 2 << std::vector<int>{} << 12 << 12;
        // Steiner triple system on 9 points: L(9,3,2) = 3 * 4 = 12.
        QTest::newRow("3/15, 2 if 2 on 9")
            << "3/15" << 9 << 2 << 2 << std::vector<int>{} << 12 << 0;
        // L(4,2,1) = 2, 4, 6, 9, 12, L(9,7,6) = ceil(9/7 * 12) = 16.
        QTest::newRow("7/49, 6 if 6 on 9")
            << "7/49" << 9 << 6 << 6 << std::vector<int>{} << 16 << 16;
        QTest::newRow("7/49, 3 if 4 on 12, key 5")
            << "7/49" << 12 << 3 << 4 << std::vector<int>{5} << 1 << 0;
        QTest::newRow("5/45+1/20, 3 if 4 on 11, keys 2 and 9")
            << "5/45+1/20" << 11 << 3 << 4 << std::vector<int>{2, 9} << 1 << 0;
    }
    void generated() {
        QFETCH(QString, game);
        QFETCH(int, v);
        QFETCH(int, t);
        QFETCH(int, m);
        QFETCH(std::vector<int>, keys);
        QFETCH(int, bound);
        QFETCH(int, record);
        WheelRequest request{{}, Guarantee{t, m}, keys};
        request.game = Lottery::Game::parse(game);
        for (int n = 1; n <= v; ++n)
            request.numbers.push_back(n);
        GenerateOptions options;
        options.seconds = 0;
        options.maxMoves = 20000;
        const GenerateResult result = generateWheel(request, options);
        QVERIFY(int(result.tickets.size()) >= bound);
        const int k = request.game.k();
        // Every m-set of 1..v holding the keys meets some ticket in t numbers.
        std::vector<int> set(static_cast<std::size_t>(m));
        std::function<bool(int, int)> covered = [&](int depth, int from) {
            if (depth == m) {
                for (int key : keys)
                    if (std::find(set.begin(), set.end(), key) == set.end())
                        return true; // not a draw the guarantee speaks of
                for (const Ticket& ticket : result.tickets) {
                    int common = 0;
                    for (int ball : ticket)
                        common += int(std::count(set.begin(), set.end(), ball));
                    if (common >= t)
                        return true;
                }
                return false;
            }
            for (int n = from; n <= v; ++n) {
                set[std::size_t(depth)] = n;
                if (!covered(depth + 1, n + 1))
                    return false;
            }
            return true;
        };
        QVERIFY(covered(0, 1));
        for (const Ticket& ticket : result.tickets) {
            QCOMPARE(int(ticket.size()), k);
            QVERIFY(std::is_sorted(ticket.begin(), ticket.end()));
            QVERIFY(std::adjacent_find(ticket.begin(), ticket.end()) == ticket.end());
            QVERIFY(*ticket.begin() >= 1 && *(ticket.end() - 1) <= v);
            for (int key : keys)
                QVERIFY(std::count(ticket.begin(), ticket.end(), key) == 1);
        }
        const auto published = findRecord(v, t, m, k);
        QCOMPARE(published ? published->best : 0, record);
    }
};

QTEST_APPLESS_MAIN(TestWheelsGames)
#include "test_wheels_games.moc"
