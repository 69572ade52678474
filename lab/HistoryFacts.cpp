#include "lab/HistoryFacts.h"

#include "analysis/BallStats.h"

#include <algorithm>

namespace Lab {

using Analysis::BallSet;

HotCold rankHotCold(const std::array<qint64, 50>& hits, const std::array<qint64, 50>& delay,
                    int count) {
    HotCold result;
    const auto [least, most] = std::minmax_element(hits.begin() + 1, hits.end());
    if (*least == *most)
        return result; // all alike: nothing stands out
    std::array<int, 49> order{};
    for (int i = 0; i < 49; ++i)
        order[size_t(i)] = i + 1;
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (hits[size_t(a)] != hits[size_t(b)])
            return hits[size_t(a)] > hits[size_t(b)];
        if (delay[size_t(a)] != delay[size_t(b)])
            return delay[size_t(a)] < delay[size_t(b)];
        return a < b;
    });
    const int n = std::clamp(count, 0, 24);
    for (int i = 0; i < n; ++i)
        result.hot |= BallSet(1) << order[size_t(i)];
    // The cold ones come from the rest, so that no ball is both.
    std::sort(order.begin() + n, order.end(), [&](int a, int b) {
        if (hits[size_t(a)] != hits[size_t(b)])
            return hits[size_t(a)] < hits[size_t(b)];
        if (delay[size_t(a)] != delay[size_t(b)])
            return delay[size_t(a)] > delay[size_t(b)];
        return a < b;
    });
    for (int i = n; i < 2 * n; ++i)
        result.cold |= BallSet(1) << order[size_t(i)];
    return result;
}

namespace {

BallSet rankedFromTable(const Analysis::DrawHistory& history, const HotColdRule& rule, bool hot) {
    const Analysis::BallTable table = Analysis::computeBallStats(history, rule.window);
    std::array<qint64, 50> hits{};
    std::array<qint64, 50> delay{};
    for (const Analysis::BallStat& s : table.balls) {
        hits[size_t(s.ball)] = s.hitsLastN;
        delay[size_t(s.ball)] = s.delay;
    }
    const HotCold ranked = rankHotCold(hits, delay, rule.count);
    return hot ? ranked.hot : ranked.cold;
}

} // namespace

QString malformedDrawsText(qint64 count) {
    return QStringLiteral("неправильных тиражей (не шесть разных чисел от 1 до 49) пропущено: %1")
        .arg(count);
}

HistoryFacts historyFacts(const Filter& filter, const Analysis::DrawHistory& history) {
    HistoryFacts facts;
    Analysis::DrawHistory wellFormed;
    wellFormed.draws.reserve(history.draws.size());
    for (BallSet draw : history.draws)
        if (Analysis::isRegularDraw(draw))
            wellFormed.draws.push_back(draw);
    facts.draws = wellFormed.size();
    facts.malformedDraws = history.size() - wellFormed.size();
    auto drawn = std::make_shared<DrawnSet>();
    if (filter.notDrawn)
        for (BallSet draw : wellFormed.draws)
            drawn->add(draw);
    facts.drawn = drawn;
    if (!wellFormed.draws.empty())
        facts.newest = wellFormed.draws.back();
    if (filter.hot)
        facts.hot = rankedFromTable(wellFormed, *filter.hot, true);
    if (filter.cold)
        facts.cold = rankedFromTable(wellFormed, *filter.cold, false);
    return facts;
}

HistoryTracker::HistoryTracker(const Filter& filter, const Analysis::DrawHistory& history)
    : m_filter(filter), m_history(history), m_drawn(std::make_shared<DrawnSet>()) {
    m_last.fill(-1);
    m_facts.drawn = m_drawn;
}

void HistoryTracker::add(qint64 index) {
    const BallSet draw = m_history.draws[size_t(index)];
    if (!Analysis::isRegularDraw(draw)) {
        ++m_facts.malformedDraws;
        return;
    }
    const qint64 place = qint64(m_seen.size());
    m_seen.push_back(draw);
    if (m_filter.notDrawn)
        m_drawn->add(draw);
    Analysis::forEachBall(draw, [&](int ball) {
        m_last[size_t(ball)] = place;
        ++m_hotHits[size_t(ball)];
        ++m_coldHits[size_t(ball)];
    });
    // Draws that slide out of a window stop counting there.
    const auto leave = [&](const std::optional<HotColdRule>& rule, std::array<qint64, 50>& hits) {
        const qint64 out = rule ? place - rule->window : -1;
        if (out >= 0)
            Analysis::forEachBall(m_seen[size_t(out)], [&](int ball) { --hits[size_t(ball)]; });
    };
    leave(m_filter.hot, m_hotHits);
    leave(m_filter.cold, m_coldHits);
}

void HistoryTracker::advanceTo(qint64 end) {
    end = std::min(end, m_history.size());
    while (m_end < end)
        add(m_end++);
    m_facts.draws = qint64(m_seen.size());
    m_facts.newest = m_seen.empty() ? 0 : m_seen.back();
    if (!m_filter.hot && !m_filter.cold)
        return;
    std::array<qint64, 50> delay{};
    for (size_t ball = 1; ball <= 49; ++ball)
        delay[ball] = m_facts.draws - 1 - m_last[ball];
    if (m_filter.hot)
        m_facts.hot = rankHotCold(m_hotHits, delay, m_filter.hot->count).hot;
    if (m_filter.cold)
        m_facts.cold = rankHotCold(m_coldHits, delay, m_filter.cold->count).cold;
}

} // namespace Lab
