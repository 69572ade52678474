#include "lab/HistoryFacts.h"

#include "analysis/BallStats.h"

#include <algorithm>

namespace Lab {

using Analysis::BallSet;

namespace {

BallSet ranked(const Lottery::BallHeat& heat, int count, bool hot) {
    const Lottery::HotCold marked = Lottery::markHotCold(heat, count);
    return Analysis::ballSetOf(hot ? marked.hot : marked.cold);
}

BallSet rankedFromTable(const Draws::History& history, const HotColdRule& rule, bool hot) {
    const Analysis::BallTable table = Analysis::computeBallStats(history, rule.window);
    Lottery::BallHeat heat(int(table.balls.size()));
    for (const Analysis::BallStat& s : table.balls) {
        heat.hits[size_t(s.ball)] = s.hitsLastN;
        heat.delay[size_t(s.ball)] = s.delay;
    }
    return ranked(heat, rule.count, hot);
}

} // namespace

QString malformedDrawsText(qint64 count) {
    return QStringLiteral("неправильных тиражей (не шесть разных чисел от 1 до 49) пропущено: %1")
        .arg(count);
}

HistoryFacts historyFacts(const Filter& filter, const Draws::History& history) {
    HistoryFacts facts;
    Draws::History wellFormed;
    wellFormed.game = history.game;
    wellFormed.draws.reserve(history.draws.size());
    for (qint64 i = 0; i < history.size(); ++i)
        if (history.wellFormed(i)) {
            wellFormed.draws.push_back(history.draws[size_t(i)]);
            if (!history.second.empty())
                wellFormed.second.push_back(history.second[size_t(i)]);
        }
    facts.draws = wellFormed.size();
    facts.malformedDraws = history.size() - wellFormed.size();
    auto drawn = std::make_shared<DrawnSet>();
    if (filter.notDrawn)
        for (const Draws::StoredDraw& draw : wellFormed.draws)
            drawn->add(Analysis::ballSetOf(draw.main));
    facts.drawn = drawn;
    if (!wellFormed.draws.empty())
        facts.newest = Analysis::ballSetOf(wellFormed.draws.back().main);
    if (filter.hot)
        facts.hot = rankedFromTable(wellFormed, *filter.hot, true);
    if (filter.cold)
        facts.cold = rankedFromTable(wellFormed, *filter.cold, false);
    return facts;
}

HistoryTracker::HistoryTracker(const Filter& filter, const Draws::History& history)
    : m_filter(filter), m_history(history), m_drawn(std::make_shared<DrawnSet>()) {
    m_facts.drawn = m_drawn;
}

void HistoryTracker::add(qint64 index) {
    const Draws::StoredDraw& stored = m_history.draws[size_t(index)];
    if (!m_history.wellFormed(index)) {
        ++m_facts.malformedDraws;
        return;
    }
    const BallSet draw = Analysis::ballSetOf(stored.main);
    const qint64 place = qint64(m_seen.size());
    m_seen.push_back(draw);
    if (m_filter.notDrawn)
        m_drawn->add(draw);
    Analysis::forEachBall(draw, [&](int ball) {
        m_last[size_t(ball)] = place;
        ++m_hot.hits[size_t(ball)];
        ++m_cold.hits[size_t(ball)];
    });
    // Draws that slide out of a window stop counting there.
    const auto leave = [&](const std::optional<HotColdRule>& rule, Lottery::BallHeat& heat) {
        const qint64 out = rule ? place - rule->window : -1;
        if (out >= 0)
            Analysis::forEachBall(m_seen[size_t(out)],
                                  [&](int ball) { --heat.hits[size_t(ball)]; });
    };
    leave(m_filter.hot, m_hot);
    leave(m_filter.cold, m_cold);
}

void HistoryTracker::advanceTo(qint64 end) {
    end = std::min(end, m_history.size());
    while (m_end < end)
        add(m_end++);
    m_facts.draws = qint64(m_seen.size());
    m_facts.newest = m_seen.empty() ? 0 : m_seen.back();
    if (!m_filter.hot && !m_filter.cold)
        return;
    for (size_t ball = 1; ball < m_last.size(); ++ball)
        m_hot.delay[ball] = m_cold.delay[ball] = m_facts.draws - 1 - m_last[ball];
    if (m_filter.hot)
        m_facts.hot = ranked(m_hot, m_filter.hot->count, true);
    if (m_filter.cold)
        m_facts.cold = ranked(m_cold, m_filter.cold->count, false);
}

} // namespace Lab
