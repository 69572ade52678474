#pragma once

#include "analysis/DrawHistory.h"
#include "lab/DrawnSet.h"
#include "lab/Filter.h"

#include <array>
#include <memory>

namespace Lab {

// The N hottest and N coldest balls, ranked the way the analysis window marks
// its hot and cold balls (Analysis::computeBallStats): the hottest have the
// most hits in the window, then the shorter current delay, then the lower
// number; the coldest, taken from the balls not marked hot, the fewest hits,
// then the longer delay, then the lower number. When every ball has as many
// hits in the window, nothing is marked. Arrays are indexed by ball (1..49).
struct HotCold {
    Analysis::BallSet hot = 0;
    Analysis::BallSet cold = 0;
};
HotCold rankHotCold(const std::array<qint64, 50>& hitsInWindow, const std::array<qint64, 50>& delay,
                    int count);

// What the history-using conditions of a filter need to know of the draws
// that came before: the set of drawn combinations, the newest draw, and the
// hot and cold balls of each rule's window. They are facts of the well-formed
// draws (six distinct numbers 1..49) alone: a malformed draw is left out,
// neither the newest draw nor one of a window, and counted.
struct HistoryFacts {
    std::shared_ptr<const DrawnSet> drawn;
    Analysis::BallSet newest = 0; // none before the first draw
    Analysis::BallSet hot = 0;    // for Filter::hot
    Analysis::BallSet cold = 0;   // for Filter::cold
    qint64 draws = 0;             // well-formed draws the facts are of
    qint64 malformedDraws = 0;    // draws left out
};

// "неправильных тиражей (…) пропущено: N": what the history-using conditions left out.
QString malformedDrawsText(qint64 count);

// The facts of the whole history, newest draw last.
HistoryFacts historyFacts(const Filter& filter, const Analysis::DrawHistory& history);

// The same facts draw after draw, for a walk-forward backtest: after
// advanceTo(n) they cover the well-formed draws among 0..n-1 alone, at a cost
// linear in the draws added (plus a ranking of the 49 balls per call). The
// history must outlive the tracker; the filter is copied.
class HistoryTracker {
public:
    HistoryTracker(const Filter& filter, const Analysis::DrawHistory& history);
    void advanceTo(qint64 end);
    const HistoryFacts& facts() const { return m_facts; }

private:
    void add(qint64 index);
    const Filter m_filter;
    const Analysis::DrawHistory& m_history;
    std::shared_ptr<DrawnSet> m_drawn;
    qint64 m_end = 0;
    std::vector<Analysis::BallSet> m_seen; // the well-formed draws added, oldest first
    std::array<qint64, 50>
        m_last{}; // place in m_seen of the last draw holding each ball, -1 for none
    std::array<qint64, 50> m_hotHits{};
    std::array<qint64, 50> m_coldHits{};
    HistoryFacts m_facts;
};

} // namespace Lab
