#include "analysis/MyBets.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "game/BallSet.h"
#include "schema/GameRecord.h"
#include "schema/GameSchema.h"

#include <QStringList>
#include <QtNumeric>
#include <algorithm>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace Analysis {

namespace {

// The bet query for the game: the bet's numbers, whether its draw is stored,
// the draw's balls, its prize per category and its date. The newest bets
// come first, so that LIMIT keeps the newest; -1 keeps all.
struct BetQuery {
    QString sql;
    int betNumbers = 1, betSecond = 0, drawFound = 0, drawBalls = 0, drawSecond = 0, prizes = 0,
        date = 0;

    explicit BetQuery(const Lottery::Game& game) {
        QStringList columns{QStringLiteral("r.tir")};
        const auto add = [&](const QString& table, QString (*name)(int), int count) {
            const int first = int(columns.size());
            for (int i = 1; i <= count; ++i)
                columns.append(table + name(i));
            return first;
        };
        const QString bet = QStringLiteral("r."), draw = QStringLiteral("d.");
        betNumbers = add(bet, GameSchema::sortedColumn, game.k());
        betSecond = add(bet, GameSchema::secondColumn, game.k2());
        drawFound = int(columns.size());
        columns.append(QStringLiteral("d.rowid IS NOT NULL"));
        drawBalls = add(draw, GameSchema::sortedColumn, game.k());
        drawSecond = add(draw, GameSchema::secondColumn, game.k2());
        prizes = int(columns.size());
        for (const Lottery::Category& category : game.categories())
            columns.append(draw + GameSchema::prizeColumn(category));
        date = int(columns.size());
        columns.append(QStringLiteral("d.tirdate"));
        sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
              QStringLiteral(" FROM Rate r LEFT JOIN razyg d ON d.rowid = "
                             "(SELECT min(rowid) FROM razyg WHERE tir = r.tir) "
                             "ORDER BY r.tir DESC, r.rowid DESC LIMIT ?1");
    }
};

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

// The balls 1..n of `count` columns from `first`: whole numbers from 1 to n
// only (hand entry allows 0, 50 and more), a number written twice once.
Lottery::BallSet ballsAt(sqlite3_stmt* row, int first, int count, int n) {
    Lottery::BallSet balls;
    for (int column = first; column < first + count; ++column) {
        int ball = 0;
        switch (sqlite3_column_type(row, column)) {
        case SQLITE_INTEGER: {
            const qint64 value = sqlite3_column_int64(row, column);
            ball = value >= 1 && value <= n ? int(value) : 0;
            break;
        }
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(row, column);
            ball = value >= 1 && value <= n && std::floor(value) == value ? int(value) : 0;
            break;
        }
        default:
            break;
        }
        if (ball)
            balls.add(ball);
    }
    return balls;
}

BetResult readBet(sqlite3_stmt* row, const BetQuery& q, const Lottery::Game& game) {
    BetResult bet;
    bet.tir = integerAt(row, 0);
    for (int i = 0; i < game.k(); ++i)
        bet.numbers.push_back(integerAt(row, q.betNumbers + i));
    for (int i = 0; i < game.k2(); ++i)
        bet.secondNumbers.push_back(integerAt(row, q.betSecond + i));
    bet.drawFound = sqlite3_column_int(row, q.drawFound) != 0;
    if (!bet.drawFound)
        return bet;
    const Lottery::BallSet drawn = ballsAt(row, q.drawBalls, game.k(), game.n());
    const Lottery::BallSet secondDrawn = ballsAt(row, q.drawSecond, game.k2(), game.n2());
    bet.drawIrregular = drawn.count() != game.k() || secondDrawn.count() != game.k2();
    bet.matches = drawn.common(ballsAt(row, q.betNumbers, game.k(), game.n()));
    bet.secondMatches = secondDrawn.common(ballsAt(row, q.betSecond, game.k2(), game.n2()));
    bet.date = textAt(row, q.date);
    bet.category = game.categoryIndex({bet.matches, bet.secondMatches});
    if (bet.category >= 0)
        bet.prize = integerAt(row, q.prizes + bet.category);
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

qint64 BetTotals::winningBets() const {
    qint64 sum = 0;
    for (const qint64 count : winning)
        sum += count;
    return sum;
}

BetTable readMyBets(Connection& connection, qint64 lastN) {
    BetTable table;
    table.game = GameRecord::read(connection.handle());
    const BetQuery q(table.game);
    Statement query(connection, q.sql);
    query.bind(1, lastN > 0 ? lastN : qint64(-1));
    while (query.step())
        table.rows.push_back(readBet(query.raw(), q, table.game));
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
