#pragma once

#include "draws/StoredDraws.h"
#include "game/HotCold.h"
#include "lab/DrawnSet.h"
#include "lab/Filter.h"

#include <memory>
#include <vector>

namespace Lab {

// What the history-using conditions of a filter need to know of the draws
// that came before: the set of drawn combinations, the newest draw, and the
// hot and cold balls of each rule's window, ranked as the analysis window
// marks its own (Lottery::markHotCold). They are facts of the main drum of
// the well-formed draws (those of the game: K distinct numbers of 1..N, and
// K2 of 1..N2) alone: a malformed draw is left out, neither the newest draw
// nor one of a window, and counted.
struct HistoryFacts {
    std::shared_ptr<const DrawnSet> drawn;
    BallBits newest = 0;       // none before the first draw
    BallBits hot = 0;          // for Filter::hot
    BallBits cold = 0;         // for Filter::cold
    qint64 draws = 0;          // well-formed draws the facts are of
    qint64 malformedDraws = 0; // draws left out
};

// "неправильных тиражей (…) пропущено: N": what the history-using conditions left out.
QString malformedDrawsText(qint64 count, const Lottery::Game& game = {});

// The facts of the whole history, newest draw last.
HistoryFacts historyFacts(const Filter& filter, const Draws::History& history);

// The same facts draw after draw, for a walk-forward backtest: after
// advanceTo(n) they cover the well-formed draws among 0..n-1 alone, at a cost
// linear in the draws added (plus a ranking of the N balls per call). The
// history must outlive the tracker; the filter is copied.
class HistoryTracker {
public:
    HistoryTracker(const Filter& filter, const Draws::History& history);
    void advanceTo(qint64 end);
    const HistoryFacts& facts() const { return m_facts; }

private:
    void add(qint64 index);
    const Filter m_filter;
    const Draws::History& m_history;
    std::shared_ptr<DrawnSet> m_drawn;
    qint64 m_end = 0;
    std::vector<BallBits> m_seen; // the well-formed draws added, oldest first
    // Place in m_seen of the last draw holding each ball (1..N), -1 for none.
    std::vector<qint64> m_last;
    // Hits in each rule's window and the current delays.
    Lottery::BallHeat m_hot;
    Lottery::BallHeat m_cold;
    HistoryFacts m_facts;
};

} // namespace Lab
