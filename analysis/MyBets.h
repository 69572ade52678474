#pragma once

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
    std::array<std::optional<qint64>, 6> numbers; // as entered
    bool drawFound = false;
    bool drawIrregular = false; // the draw lacks six distinct balls from 1 to 49
    QString date;               // the draw's date as stored (yyyy-MM-dd), or empty
    // Distinct numbers 1 to 49 of the bet among the balls of the draw; 0 when
    // the draw is not stored.
    int matches = 0;
    // The draw's prize per winning bet of this category (chv3 .. chv6, whole
    // amounts): only for 3 matches or more, none when the draw stores no prize.
    std::optional<qint64> prize;

    bool wins() const { return drawFound && matches >= 3; }
};

// The amounts come from the database as stored, up to the limits of qint64
// (a workbook's or another program's, unchecked): sums and products of them
// stop at those limits instead of wrapping round.
struct BetTotals {
    qint64 bets = 0;
    qint64 drawNotFound = 0;
    std::array<qint64, 7> winning{}; // winning bets by matches, [3] .. [6]
    qint64 won = 0;                  // the sum of the known prizes
    qint64 winsWithoutPrize = 0;     // winning bets whose draw stores no prize

    qint64 winningBets() const { return winning[3] + winning[4] + winning[5] + winning[6]; }
    qint64 wonKopecks() const;
    // With a price per bet (in kopecks) every bet, whether its draw is stored
    // or not, was paid for.
    qint64 spentKopecks(qint64 priceKopecks) const;
    qint64 netKopecks(qint64 priceKopecks) const;
};

struct BetTable {
    std::vector<BetResult> rows; // by draw number, then in the order entered
    BetTotals totals;            // over the rows
};

// The bets with their prizes; lastN > 0 keeps only the newest lastN bets (by
// draw number, then by entry).
BetTable readMyBets(Connection& connection, qint64 lastN = 0);

} // namespace Analysis
