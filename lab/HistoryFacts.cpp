#include "lab/HistoryFacts.h"

#include <algorithm>

namespace Lab {

namespace {

BallBits bitsOf(const Lottery::BallSet& set) {
    return BallBits(set.low()) | (BallBits(set.high()) << 64);
}

BallBits ranked(const Lottery::BallHeat& heat, int count, bool hot) {
    const Lottery::HotCold marked = Lottery::markHotCold(heat, count);
    return bitsOf(hot ? marked.hot : marked.cold);
}

} // namespace

QString malformedDrawsText(qint64 count, const Lottery::Game& game) {
    return QStringLiteral("неправильных тиражей (не %1) пропущено: %2")
        .arg(wellFormedDrawText(game))
        .arg(count);
}

HistoryFacts historyFacts(const Filter& filter, const Draws::History& history) {
    HistoryTracker tracker(filter, history);
    tracker.advanceTo(history.size());
    return tracker.facts();
}

HistoryTracker::HistoryTracker(const Filter& filter, const Draws::History& history)
    : m_filter(filter), m_history(history), m_drawn(std::make_shared<DrawnSet>()),
      m_last(size_t(history.game.n()) + 1, -1), m_hot(history.game.n()), m_cold(history.game.n()) {
    m_facts.drawn = m_drawn;
}

void HistoryTracker::add(qint64 index) {
    const Draws::StoredDraw& stored = m_history.draws[size_t(index)];
    if (!m_history.wellFormed(index)) {
        ++m_facts.malformedDraws;
        return;
    }
    const BallBits draw = bitsOf(stored.main);
    const qint64 place = qint64(m_seen.size());
    m_seen.push_back(draw);
    if (m_filter.notDrawn)
        m_drawn->add(draw);
    forEachBit(draw, [&](int ball) {
        m_last[size_t(ball)] = place;
        ++m_hot.hits[size_t(ball)];
        ++m_cold.hits[size_t(ball)];
    });
    // Draws that slide out of a window stop counting there.
    const auto leave = [&](const std::optional<HotColdRule>& rule, Lottery::BallHeat& heat) {
        const qint64 out = rule ? place - rule->window : -1;
        if (out >= 0)
            forEachBit(m_seen[size_t(out)], [&](int ball) { --heat.hits[size_t(ball)]; });
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
