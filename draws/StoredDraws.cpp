#include "draws/StoredDraws.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "game/BallSet.h"
#include "schema/GameRecord.h"
#include "schema/GameSchema.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <sqlite3.h>

namespace Draws {

namespace {

// The ball a stored value stands for in a drum of balls 1..n, or 0: whole
// numbers from 1 to n only. A column's value is taken once (sqlite3_column_value)
// and looked at at once, on the thread that steps the statement: one call into
// the engine instead of two for each of the millions of values of a large
// history.
int ballOf(sqlite3_value* stored, int n) {
    switch (sqlite3_value_type(stored)) {
    case SQLITE_INTEGER: {
        const qint64 value = sqlite3_value_int64(stored);
        return value >= 1 && value <= n ? int(value) : 0;
    }
    case SQLITE_FLOAT: {
        const double value = sqlite3_value_double(stored);
        return value >= 1 && value <= n && std::floor(value) == value ? int(value) : 0;
    }
    default:
        return 0;
    }
}

// The distinct balls 1..n of k columns from `first`, ascending: each put in
// its place among those before it, a repeat left out.
Lottery::Numbers sortedBalls(sqlite3_stmt* row, int first, int k, int n) {
    std::array<int, Lottery::kMaxBalls> balls{};
    int count = 0;
    for (int i = 0; i < k; ++i) {
        const int ball = ballOf(sqlite3_column_value(row, first + i), n);
        int at = count;
        while (at > 0 && balls[size_t(at - 1)] > ball)
            --at;
        if (ball == 0 || (at > 0 && balls[size_t(at - 1)] == ball))
            continue;
        std::copy_backward(balls.begin() + at, balls.begin() + count, balls.begin() + count + 1);
        balls[size_t(at)] = ball;
        ++count;
    }
    Lottery::Numbers numbers;
    for (int i = 0; i < count; ++i)
        numbers.append(balls[size_t(i)]);
    return numbers;
}

// The drawn order of a drum with the given sorted balls, from its k columns
// from `first`: all empty, or the same k balls in some order, or neither.
OrderKind drawnOrderOf(sqlite3_stmt* row, int first, int k, int n, const Lottery::Numbers& sorted,
                       Lottery::Numbers& drawn) {
    Lottery::BallSet seen;
    int empty = 0;
    bool bad = false;
    for (int i = 0; i < k; ++i) {
        sqlite3_value* stored = sqlite3_column_value(row, first + i);
        if (sqlite3_value_type(stored) == SQLITE_NULL) {
            ++empty;
        } else if (const int ball = ballOf(stored, n)) {
            seen.add(ball);
            drawn.append(ball);
        } else {
            bad = true;
        }
    }
    if (empty == k)
        return OrderKind::None;
    if (bad || empty > 0 || sorted.size() != k || seen != sorted.set()) {
        drawn = {};
        return OrderKind::Malformed;
    }
    return OrderKind::Valid;
}

// A stored amount: a whole number, a real rounded to the nearest whole, or
// text holding a whole number; anything else is none.
std::optional<qint64> amountOf(sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(row, column));
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(row, column);
        if (!std::isfinite(value) || std::fabs(value) > 9.0e18)
            return std::nullopt;
        return qint64(std::llround(value));
    }
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
        const int length = sqlite3_column_bytes(row, column);
        if (length > 32)
            return std::nullopt;
        bool ok = false;
        const qint64 amount = QByteArray(text, length).trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(amount) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QDate dateOf(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) != SQLITE_TEXT)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    const int length = sqlite3_column_bytes(row, column);
    if (length != 10)
        return {};
    return QDate::fromString(QString::fromLatin1(text, length), Qt::ISODate);
}

// The columns of one read, and where each group starts in the result.
struct Columns {
    QStringList names{QStringLiteral("tir")};
    int sorted = 0, secondSorted = 0, drawn = -1, secondDrawn = -1;
    int prizes = -1, winners = -1, date = -1, repeats = -1;

    int add(const QStringList& more) {
        const int first = int(names.size());
        names += more;
        return first;
    }
};

QStringList numbered(QString (*name)(int), int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(name(i));
    return names;
}

QStringList perCategory(QString (*name)(const Lottery::Category&), const Lottery::Game& game) {
    QStringList names;
    for (const Lottery::Category& category : game.categories())
        names.append(name(category));
    return names;
}

Columns columnsFor(const Lottery::Game& game, const Request& request) {
    Columns c;
    c.sorted = c.add(numbered(GameSchema::sortedColumn, game.k()));
    c.secondSorted = c.add(numbered(GameSchema::secondColumn, game.k2()));
    if (request.drawnOrder) {
        c.drawn = c.add(numbered(GameSchema::drawnColumn, game.k()));
        c.secondDrawn = c.add(numbered(GameSchema::secondDrawnColumn, game.k2()));
    }
    if (request.prizes)
        c.prizes = c.add(perCategory(GameSchema::prizeColumn, game));
    if (request.winners)
        c.winners = c.add(perCategory(GameSchema::winnersColumn, game));
    if (request.dates)
        c.date = c.add({QStringLiteral("tirdate")});
    // Whether the row repeats the draw number of the row before it, as the
    // engine compares them.
    if (request.dropRepeatedNumbers)
        c.repeats =
            c.add({QStringLiteral("coalesce(tir = lag(tir) OVER (ORDER BY tir, rowid), 0)")});
    return c;
}

// The distinct balls 1..n of some numbers, ascending.
Lottery::Numbers ballsOf(const Lottery::Numbers& numbers, int n) {
    Lottery::BallSet balls;
    for (const int ball : numbers)
        if (ball >= 1 && ball <= n)
            balls.add(ball);
    Lottery::Numbers sorted;
    balls.forEach([&](int ball) { sorted.append(ball); });
    return sorted;
}

} // namespace

qint64 History::firstAtOrAfter(qint64 tir) const {
    const auto at = std::lower_bound(draws.begin(), draws.end(), tir,
                                     [](const StoredDraw& d, qint64 t) { return d.tir < t; });
    return qint64(at - draws.begin());
}

std::optional<qint64> History::perCategory(const std::vector<std::optional<qint64>>& values,
                                           qint64 draw, int category) const {
    const qint64 categories = qint64(game.categories().size());
    if (category < 0 || category >= categories)
        return std::nullopt;
    const size_t at = size_t(draw * categories + category);
    return at < values.size() ? values[at] : std::nullopt;
}

bool History::prizesStored(qint64 draw) const {
    for (int c = 0; c < int(game.categories().size()); ++c)
        if (prize(draw, c))
            return true;
    return false;
}

void History::add(qint64 tir, const Lottery::Numbers& main, const Lottery::Numbers& second,
                  const std::vector<std::optional<qint64>>& categoryPrizes) {
    if (!categoryPrizes.empty() || !prizes.empty()) {
        const size_t categories = game.categories().size();
        prizes.resize(draws.size() * categories);
        for (size_t c = 0; c < categories; ++c)
            prizes.push_back(c < categoryPrizes.size() ? categoryPrizes[c] : std::nullopt);
    }
    draws.push_back({tir, ballsOf(main, game.n())});
    if (game.hasSecondDrum())
        this->second.push_back(ballsOf(second, game.n2()));
    malformed += !wellFormed(size() - 1);
}

History read(Connection& connection, const Request& request) {
    History history;
    history.game = GameRecord::read(connection.handle());
    const Lottery::Game& game = history.game;
    const Columns c = columnsFor(game, request);
    const int categories = int(game.categories().size());
    // The balls are read straight from the engine: one pass, no value objects.
    Statement query(connection, QStringLiteral("SELECT ") + c.names.join(QStringLiteral(", ")) +
                                    QStringLiteral(" FROM razyg WHERE tir IS NOT NULL "
                                                   "ORDER BY tir, rowid"));
    sqlite3_stmt* row = query.raw();
    while (query.step()) {
        if (c.repeats >= 0 && sqlite3_column_int(row, c.repeats) != 0) {
            ++history.repeated;
            continue;
        }
        const StoredDraw draw{sqlite3_column_int64(row, 0),
                              sortedBalls(row, c.sorted, game.k(), game.n())};
        history.draws.push_back(draw);
        if (game.hasSecondDrum())
            history.second.push_back(sortedBalls(row, c.secondSorted, game.k2(), game.n2()));
        const qint64 index = history.size() - 1;
        history.malformed += !history.wellFormed(index);
        if (c.drawn >= 0) {
            DrawnOrder order;
            order.mainKind = drawnOrderOf(row, c.drawn, game.k(), game.n(), draw.main, order.main);
            order.secondKind = drawnOrderOf(row, c.secondDrawn, game.k2(), game.n2(),
                                            history.secondOf(index), order.second);
            history.orders.push_back(order);
        }
        if (c.prizes >= 0)
            for (int i = 0; i < categories; ++i)
                history.prizes.push_back(amountOf(row, c.prizes + i));
        if (c.winners >= 0)
            for (int i = 0; i < categories; ++i)
                history.winners.push_back(amountOf(row, c.winners + i));
        if (c.date >= 0)
            history.dates.push_back(dateOf(row, c.date));
    }
    return history;
}

} // namespace Draws
