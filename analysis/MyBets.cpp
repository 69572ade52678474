#include "analysis/MyBets.h"

#include "analysis/BallSet.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <QtNumeric>
#include <algorithm>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace Analysis {

namespace {

// Columns of the bet query.
enum Column {
    BetTir = 0,
    BetNumbers = 1, // six columns
    DrawFound = 7,
    DrawBalls = 8, // six columns
    Prize3 = 14,   // chv3, chv4, chv5, chv6
    DrawDate = 18
};

// The newest bets first, so that LIMIT keeps the newest; -1 keeps all.
const char* const kBetQuery =
    "SELECT r.tir, r.s1, r.s2, r.s3, r.s4, r.s5, r.s6, d.rowid IS NOT NULL, "
    "d.s1, d.s2, d.s3, d.s4, d.s5, d.s6, d.chv3, d.chv4, d.chv5, d.chv6, d.tirdate "
    "FROM Rate r LEFT JOIN razyg d ON d.rowid = "
    "(SELECT min(rowid) FROM razyg WHERE tir = r.tir) "
    "ORDER BY r.tir DESC, r.rowid DESC LIMIT ?1";

std::optional<qint64> integerAt(sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(row, column);
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(row, column);
        if (std::isfinite(value) && std::fabs(value) < 9e18)
            return qint64(std::llround(value));
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString textAt(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) == SQLITE_NULL)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(row, column)),
                             sqlite3_column_bytes(row, column));
}

// a + b, a - b and a * b, held at the nearer limit of qint64 where they
// would leave it.
qint64 saturated(bool overflowed, qint64 result, bool towardsNegative) {
    if (!overflowed)
        return result;
    return towardsNegative ? std::numeric_limits<qint64>::min()
                           : std::numeric_limits<qint64>::max();
}

qint64 add(qint64 a, qint64 b) {
    qint64 sum = 0;
    const bool overflowed = qAddOverflow(a, b, &sum);
    return saturated(overflowed, sum, b < 0);
}

qint64 subtract(qint64 a, qint64 b) {
    qint64 difference = 0;
    const bool overflowed = qSubOverflow(a, b, &difference);
    return saturated(overflowed, difference, b > 0);
}

qint64 multiply(qint64 a, qint64 b) {
    qint64 product = 0;
    const bool overflowed = qMulOverflow(a, b, &product);
    return saturated(overflowed, product, (a < 0) != (b < 0));
}

BetResult readBet(sqlite3_stmt* row) {
    BetResult bet;
    bet.tir = integerAt(row, BetTir);
    for (int i = 0; i < 6; ++i)
        bet.numbers[size_t(i)] = integerAt(row, BetNumbers + i);
    bet.drawFound = sqlite3_column_int(row, DrawFound) != 0;
    if (!bet.drawFound)
        return bet;
    const BallSet drawn = ballSetFromColumns(row, DrawBalls);
    bet.drawIrregular = !isRegularDraw(drawn);
    bet.matches = ballCount(drawn & ballSetFromColumns(row, BetNumbers));
    bet.date = textAt(row, DrawDate);
    if (bet.matches >= 3)
        bet.prize = integerAt(row, Prize3 + bet.matches - 3);
    return bet;
}

} // namespace

qint64 BetTotals::wonKopecks() const {
    return multiply(won, 100);
}

qint64 BetTotals::spentKopecks(qint64 priceKopecks) const {
    return multiply(bets, priceKopecks);
}

qint64 BetTotals::netKopecks(qint64 priceKopecks) const {
    return subtract(wonKopecks(), spentKopecks(priceKopecks));
}

BetTable readMyBets(Connection& connection, qint64 lastN) {
    Statement query(connection, QString::fromLatin1(kBetQuery));
    query.bind(1, lastN > 0 ? lastN : qint64(-1));
    BetTable table;
    while (query.step())
        table.rows.push_back(readBet(query.raw()));
    std::reverse(table.rows.begin(), table.rows.end());

    BetTotals& totals = table.totals;
    for (const BetResult& bet : table.rows) {
        ++totals.bets;
        if (!bet.drawFound) {
            ++totals.drawNotFound;
        } else if (bet.wins()) {
            ++totals.winning[size_t(bet.matches)];
            if (bet.prize)
                totals.won = add(totals.won, *bet.prize);
            else
                ++totals.winsWithoutPrize;
        }
    }
    return table;
}

} // namespace Analysis
