// The filter walk over all combinations against closed forms and against a
// plain brute force on smaller ranges; the ticket file reader on good and bad
// input.
#include "lab/FilterEngine.h"
#include "lab/FilterText.h"

#include <QTest>

using namespace Lab;
using Analysis::BallSet;

Q_DECLARE_METATYPE(Lab::Filter)
Q_DECLARE_METATYPE(Lab::HistoryFacts)

namespace {

std::vector<int> range(int from, int to) {
    std::vector<int> balls;
    for (int b = from; b <= to; ++b)
        balls.push_back(b);
    return balls;
}

BallSet setOf(std::initializer_list<int> balls) {
    BallSet set = 0;
    for (int b : balls)
        set |= BallSet(1) << b;
    return set;
}

// Each condition read straight off its definition, one ticket at a time.
bool plainPasses(const Filter& f, const HistoryFacts& h, const Ticket& t) {
    int sum = 0, odd = 0, low = 0, run = 0, longest = 0;
    int decade[5] = {};
    for (size_t i = 0; i < 6; ++i) {
        sum += t[i];
        odd += t[i] % 2;
        low += t[i] <= 24;
        run = i > 0 && t[i] == t[i - 1] + 1 ? run + 1 : 1;
        longest = std::max(longest, run);
        ++decade[t[i] / 10];
    }
    const auto has = [&](int b) { return std::find(t.begin(), t.end(), b) != t.end(); };
    const auto among = [&](BallSet s) { return Analysis::ballCount(ballsOf(t) & s); };
    bool ok = (!f.sum || f.sum->contains(sum)) && (!f.odd || f.odd->contains(odd)) &&
              (!f.low || f.low->contains(low)) && (!f.maxRun || longest <= *f.maxRun) &&
              (!f.decadeMax || *std::max_element(decade, decade + 5) <= *f.decadeMax);
    for (int b : f.include)
        ok = ok && has(b);
    for (int b : f.exclude)
        ok = ok && !has(b);
    return ok && !(f.notDrawn && h.drawn->contains(ballsOf(t))) &&
           (!f.sharedWithLastMax || among(h.newest) <= *f.sharedWithLastMax) &&
           (!f.hot || among(h.hot) >= f.hot->atLeast) &&
           (!f.cold || among(h.cold) >= f.cold->atLeast);
}

} // namespace

class TestLabFilters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closedForms_data() {
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<qint64>("count");
        Filter f;
        QTest::newRow("nothing set") << f << kAllCombinations;
        f.maxRun = 1;
        QTest::newRow("no two consecutive: C(44,6)") << f << qint64(7059052);
        f = {};
        f.include = {20};
        f.exclude = {21};
        QTest::newRow("20 in, 21 out: C(47,5)") << f << qint64(1533939);
        f = {};
        f.odd = Span{6, 6};
        QTest::newRow("all odd: C(25,6)") << f << qint64(177100);
        f = {};
        f.low = Span{0, 0};
        QTest::newRow("none low: C(25,6)") << f << qint64(177100);
        f = {};
        f.sum = Span{279, 279};
        QTest::newRow("largest sum") << f << qint64(1);
        f = {};
        f.decadeMax = 1;
        QTest::newRow("six numbers, five decades") << f << qint64(0);
        f = {};
        f.include = {1, 2, 3, 4, 5, 6};
        f.exclude = range(10, 49);
        QTest::newRow("one ticket left") << f << qint64(1);
        // The published reference script's six filters.
        f = {};
        f.sum = Span{120, 180};
        f.odd = f.low = Span{2, 4};
        f.maxRun = f.decadeMax = 2;
        f.exclude = {13};
        QTest::newRow("reference six") << f << qint64(4169095);
    }
    void closedForms() {
        QFETCH(Filter, filter);
        QFETCH(qint64, count);
        QCOMPARE(countPassing(filter, HistoryFacts{}).passing, count);
    }

    // Numbers 20 and up are excluded, so brute force over C(19,6) tickets is quick.
    void bruteForce_data() {
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<HistoryFacts>("facts");
        auto drawn = std::make_shared<DrawnSet>();
        drawn->add(setOf({1, 2, 3, 4, 5, 6}));
        drawn->add(setOf({3, 5, 7, 9, 11, 13}));
        HistoryFacts h{drawn, setOf({2, 7, 8, 14, 15, 19}), setOf({1, 4, 9, 16, 17}),
                       setOf({3, 6, 10, 12, 18})};
        Filter f;
        f.exclude = range(20, 49);
        const Filter base = f;
        f.sum = Span{40, 70};
        f.odd = Span{1, 3};
        QTest::newRow("sum and odd") << f << h;
        f = base;
        f.low = Span{6, 6};
        f.maxRun = 2;
        f.decadeMax = 4;
        QTest::newRow("run and decade") << f << h;
        f = base;
        f.include = {7, 11};
        f.notDrawn = true;
        QTest::newRow("include, never drawn") << f << h;
        f = base;
        f.sharedWithLastMax = 1;
        f.hot = HotColdRule{5, 10, 2};
        QTest::newRow("shared and hot") << f << h;
        f = base;
        f.cold = HotColdRule{5, 10, 3};
        f.sum = Span{0, 60};
        QTest::newRow("cold") << f << h;
    }
    void bruteForce() {
        QFETCH(Filter, filter);
        QFETCH(HistoryFacts, facts);
        std::vector<Ticket> expected;
        Ticket t{};
        for (t[0] = 1; t[0] <= 19; ++t[0])
            for (t[1] = t[0] + 1; t[1] <= 19; ++t[1])
                for (t[2] = t[1] + 1; t[2] <= 19; ++t[2])
                    for (t[3] = t[2] + 1; t[3] <= 19; ++t[3])
                        for (t[4] = t[3] + 1; t[4] <= 19; ++t[4])
                            for (t[5] = t[4] + 1; t[5] <= 19; ++t[5])
                                if (plainPasses(filter, facts, t))
                                    expected.push_back(t);
        QVERIFY(!expected.empty());
        QCOMPARE(countPassing(filter, facts).passing, qint64(expected.size()));
        std::vector<Ticket> streamed;
        streamPassing(filter, facts, [&](const Ticket& ticket) {
            streamed.push_back(ticket);
            return passes(filter, facts, ticket);
        });
        QVERIFY(streamed == expected);
        const auto middle = qint64(expected.size() / 2);
        const std::vector<Ticket> page = passingPage(filter, facts, middle, 3);
        QVERIFY(std::equal(page.begin(), page.end(), expected.begin() + middle));
        for (const Ticket& s : passingSample(filter, facts, 5, 7))
            QVERIFY(std::binary_search(expected.begin(), expected.end(), s));
    }

    void stopFlag() {
        std::atomic_bool stop{true};
        Lottery::Control<> control;
        control.stop = &stop;
        QVERIFY(countPassing(Filter{}, HistoryFacts{}, control).stopped);
    }

    void optionText_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // empty: rejected
        QTest::newRow("span") << "span"
                              << "120-180"
                              << "120 180";
        QTest::newRow("one value") << "span"
                                   << "3"
                                   << "3 3";
        QTest::newRow("open span") << "span"
                                   << "12-"
                                   << "";
        QTest::newRow("list") << "list"
                              << "1, 2;3  49"
                              << "1 2 3 49";
        QTest::newRow("list with 50") << "list"
                                      << "1,50"
                                      << "";
        QTest::newRow("hot") << "hot"
                             << "5:30:2"
                             << "5 30 2";
        QTest::newRow("hot short") << "hot"
                                   << "5:30"
                                   << "";
    }
    void optionText() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QString error, got;
        Span s;
        std::vector<int> list;
        HotColdRule r;
        const QString option = QStringLiteral("--x");
        bool ok = false;
        if (kind == QLatin1String("span") && (ok = parseSpan(text, option, s, error)))
            list = {s.low, s.high};
        if (kind == QLatin1String("list"))
            ok = parseBallList(text, option, list, error);
        if (kind == QLatin1String("hot") && (ok = parseHotCold(text, option, r, error)))
            list = {r.count, r.window, r.atLeast};
        for (int v : list)
            got += (got.isEmpty() ? QString() : QStringLiteral(" ")) + QString::number(v);
        QCOMPARE(ok ? got : QString(), parsed);
        QCOMPARE(error.startsWith(option), !ok);
    }
};

QTEST_GUILESS_MAIN(TestLabFilters)
#include "test_lab_filters.moc"
