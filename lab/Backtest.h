#pragma once

#include "draws/StoredDraws.h"
#include "game/Control.h"
#include "lab/Filter.h"
#include "lab/Ticket.h"

#include <QString>
#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace Lab {

// A set of tickets of the history's game (K numbers of the main drum and K2
// of the second) replayed over a range of stored draws.
struct BacktestRequest {
    std::vector<Ticket> tickets;
    std::optional<qint64> fromTir; // first draw number; none: the oldest
    std::optional<qint64> toTir;   // last draw number; none: the newest
    qint64 ticketPrice = 0;
    // Played walk-forward: on draw n only the tickets passing this filter
    // with the facts of the draws before n are played (the filter's other
    // conditions are applied once).
    std::optional<Filter> walkForward;
    int pValueReplicates = 2000; // relabellings of the main drum's balls for the p-value
    quint64 seed = 649;
};

// One prize category of the game (3, 4, 5 or 6 matches for 6 из 49; "4+1"
// for two drums). Hits count every draw, those without stored prizes too;
// prizes and their expectation count the draws with stored prizes only.
struct CategoryResult {
    Lottery::Category category;
    qint64 hits = 0;
    qint64 hitsWithoutPrizes = 0; // of the hits, those on draws without stored prizes
    qint64 prize = 0;
    double expectedHits = 0; // as many random tickets on the same draws
    double expectedPrize = 0;
};

// One replayed draw, for the cumulative chart.
struct DrawOutcome {
    qint64 tir = 0;
    qint64 tickets = 0;       // played on this draw
    std::vector<qint64> hits; // per category, as BacktestResult::categories
    qint64 prize = 0;
    double expectedPrize = 0;
    bool prizesStored = false;
};

struct BacktestResult {
    qint64 draws = 0;              // draws replayed
    qint64 drawsWithoutPrizes = 0; // of them, draws without stored prizes
    qint64 irregularDraws = 0;     // draws in range that are no draw of the game: skipped
    qint64 tickets = 0;            // tickets in the set
    qint64 ticketsPlayed = 0;      // ticket-draws paid for, summed over the draws
    qint64 cost = 0;
    // The game's categories, worst first: [0] three matches .. [3] six for 6 из 49.
    std::vector<CategoryResult> categories;
    qint64 totalPrize = 0;
    qint64 net = 0;
    double expectedTotalPrize = 0;
    double expectedNet = 0;
    // The share of random relabellings of the set's balls that win at least
    // as much (see RelabelledPlay); NaN when it was not computed (the method
    // then says why).
    double pValue = std::numeric_limits<double>::quiet_NaN();
    QString pValueMethod;
    std::vector<DrawOutcome> perDraw;
    bool stopped = false; // the stop flag cut the replay short
};

// What the backtest reads of the stored draws: their prizes too.
Draws::Request backtestRequest();

// What is wrong with the request, in words for the user; empty when sound: no
// draws, no tickets, a range backwards or holding no well-formed draw, a
// negative price, unsound filter conditions.
QString backtestProblem(const Draws::History& history, const BacktestRequest& request);

// "Тиражей: N", then the draws without stored prizes and the malformed draws left out, when
// any: the opening of every summary of a backtest.
QString backtestDrawsText(const BacktestResult& result);
// "p = 0,43 (перестановка шаров): <method>", or why there is no p-value.
QString backtestPValueText(const BacktestResult& result);

// Replays the tickets over the well-formed draws of the range (a malformed
// one is skipped and counted). Walk-forward, draw n plays the tickets that
// pass the filter with the facts of the well-formed draws before n; on a draw
// with no such draw before it, nothing is known yet and every history
// condition holds. Money is summed exactly; throws AppError when a total
// (prizes, cost or net) does not fit in 64 bits.
BacktestResult runBacktest(const Draws::History& history, const BacktestRequest& request,
                           const Lottery::Control<>& control = {});

} // namespace Lab
