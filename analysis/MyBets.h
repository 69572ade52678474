#pragma once

#include "game/Game.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class Connection;

namespace Analysis {

// One bet of Rate checked against the stored draw of its number. When several
// stored draws share that number, the first one stored counts.
struct BetResult {
    std::optional<qint64> tir;
    std::vector<std::optional<qint64>> numbers;       // s1..sK as entered
    std::vector<std::optional<qint64>> secondNumbers; // x1..xK2 as entered
    bool drawFound = false;
    // The draw lacks K distinct balls from 1 to N (or K2 from 1 to N2)
    bool drawIrregular = false;
    QString date; // the draw's date as stored (yyyy-MM-dd), or empty
    // Distinct numbers 1 to N of the bet among the balls of the draw, and
    // numbers 1 to N2 among those of its second drum; 0 when the draw is not
    // stored.
    int matches = 0;
    int secondMatches = 0;
    // The prize category the matches win, as an index into the game's
    // categories (best first); -1 for none.
    int category = -1;
    // The draw's prize per winning bet of this category (chv<key>, whole
    // amounts): only for a winning bet, none when the draw stores no prize.
    std::optional<qint64> prize;

    bool wins() const { return drawFound && category >= 0; }
};

// The amounts come from the database as stored, up to the limits of qint64
// (a workbook's or another program's, unchecked): sums and products of them
// stop at those limits instead of wrapping round.
struct BetTotals {
    qint64 bets = 0;
    qint64 drawNotFound = 0;
    // Winning bets by their main matches ([3] .. [6] in 6 из 49).
    std::array<qint64, Lottery::kMaxBalls + 1> winning{};
    qint64 won = 0;              // the sum of the known prizes
    qint64 winsWithoutPrize = 0; // winning bets whose draw stores no prize

    qint64 winningBets() const;
    qint64 wonKopecks() const;
    // With a price per bet (in kopecks) every bet, whether its draw is stored
    // or not, was paid for.
    qint64 spentKopecks(qint64 priceKopecks) const;
    qint64 netKopecks(qint64 priceKopecks) const;
};

struct BetTable {
    Lottery::Game game;          // of the database
    std::vector<BetResult> rows; // by draw number, then in the order entered
    BetTotals totals;            // over the rows
};

// The bets with their prizes; lastN > 0 keeps only the newest lastN bets (by
// draw number, then by entry).
BetTable readMyBets(Connection& connection, qint64 lastN = 0);

} // namespace Analysis
