#pragma once

#include "lab/Filter.h"
#include "lab/PrizeHistory.h"
#include "lab/Ticket.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace Lab {

// A set of tickets replayed over a range of stored draws.
struct BacktestRequest {
    std::vector<Ticket> tickets;
    std::optional<qint64> fromTir; // first draw number; none: the oldest
    std::optional<qint64> toTir;   // last draw number; none: the newest
    qint64 ticketPrice = 0;
    // Played walk-forward: on draw n only the tickets passing this filter
    // with the facts of the draws before n are played (the filter's other
    // conditions are applied once).
    std::optional<Filter> walkForward;
    int pValueReplicates = 10000;
    quint64 seed = 649;
};

// One prize category (3, 4, 5 or 6 matches). Hits count every draw, those
// without stored prizes too; prizes and their expectation count the draws
// with stored prizes only.
struct CategoryResult {
    qint64 hits = 0;
    qint64 hitsWithoutPrizes = 0; // of the hits, those on draws without stored prizes
    qint64 prize = 0;
    double expectedHits = 0; // as many random tickets on the same draws
    double expectedPrize = 0;
};

// One replayed draw, for the cumulative chart.
struct DrawOutcome {
    qint64 tir = 0;
    qint64 tickets = 0; // played on this draw
    std::array<qint64, 4> hits{};
    qint64 prize = 0;
    double expectedPrize = 0;
    bool prizesStored = false;
};

struct BacktestResult {
    qint64 draws = 0;              // draws replayed
    qint64 drawsWithoutPrizes = 0; // of them, draws without stored prizes
    qint64 irregularDraws = 0;     // draws in range without six distinct balls: skipped
    qint64 tickets = 0;            // tickets in the set
    qint64 ticketsPlayed = 0;      // ticket-draws paid for
    qint64 cost = 0;
    std::array<CategoryResult, 4> categories{}; // [0] three matches .. [3] six
    qint64 totalPrize = 0;
    qint64 net = 0;
    double expectedTotalPrize = 0;
    double expectedNet = 0;
    double pValue = 1.0;
    QString pValueMethod;
    std::vector<DrawOutcome> perDraw;
    bool stopped = false; // the stop flag cut the replay short
};

// What is wrong with the request, in words for the user; empty when sound.
QString backtestProblem(const PrizeHistory& history, const BacktestRequest& request);

// "Тиражей: N", then the draws without stored prizes and the malformed draws left out, when
// any: the opening of every summary of a backtest.
QString backtestDrawsText(const BacktestResult& result);

BacktestResult runBacktest(const PrizeHistory& history, const BacktestRequest& request,
                           const Control& control = {});

} // namespace Lab
