#include "draws/StoredDraws.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
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
// numbers from 1 to n only.
int ballOf(sqlite3_stmt* row, int column, int n) {
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_INTEGER: {
        const qint64 value = sqlite3_column_int64(row, column);
        return value >= 1 && value <= n ? int(value) : 0;
    }
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(row, column);
        return value >= 1 && value <= n && std::floor(value) == value ? int(value) : 0;
    }
    default:
        return 0;
    }
}

// A drawn-order value: 0 for an empty column, the ball, or -1 for a value
// that is no ball.
int orderValueOf(sqlite3_stmt* row, int column, int n) {
    if (sqlite3_column_type(row, column) == SQLITE_NULL)
        return 0;
    const int ball = ballOf(row, column, n);
    return ball ? ball : -1;
}

// What the k drawn-order values say of a drum with the given balls; the order
// itself goes to `drawn` when it is valid.
OrderKind classifyOrder(const Lottery::BallSet& balls, int k, const std::array<int, 8>& values,
                        Lottery::Numbers& drawn) {
    Lottery::BallSet seen;
    int empty = 0;
    for (int i = 0; i < k; ++i) {
        if (values[size_t(i)] == 0)
            ++empty;
        else if (values[size_t(i)] > 0)
            seen.add(values[size_t(i)]);
    }
    if (empty == k)
        return OrderKind::None;
    if (balls.count() != k || seen != balls)
        return OrderKind::Malformed;
    for (int i = 0; i < k; ++i)
        drawn.append(values[size_t(i)]);
    return OrderKind::Valid;
}

bool isWellFormed(const Lottery::Game& game, const StoredDraw& draw) {
    return draw.main.balls.count() == game.k() && draw.second.balls.count() == game.k2();
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

void readDrum(sqlite3_stmt* row, int sorted, int drawn, int k, int n, Drum& drum) {
    for (int i = 0; i < k; ++i)
        if (const int ball = ballOf(row, sorted + i, n))
            drum.balls.add(ball);
    if (drawn < 0)
        return;
    std::array<int, 8> values{};
    for (int i = 0; i < k; ++i)
        values[size_t(i)] = orderValueOf(row, drawn + i, n);
    drum.order = classifyOrder(drum.balls, k, values, drum.drawn);
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

StoredDraw& History::add(qint64 tir, const Lottery::Numbers& main, const Lottery::Numbers& second,
                         const std::vector<std::optional<qint64>>& categoryPrizes) {
    StoredDraw draw;
    draw.tir = tir;
    for (const int ball : main)
        if (ball >= 1 && ball <= game.n())
            draw.main.balls.add(ball);
    for (const int ball : second)
        if (ball >= 1 && ball <= game.n2())
            draw.second.balls.add(ball);
    draw.wellFormed = isWellFormed(game, draw);
    malformed += !draw.wellFormed;
    if (!categoryPrizes.empty() || !prizes.empty()) {
        const size_t categories = game.categories().size();
        prizes.resize(draws.size() * categories);
        for (size_t c = 0; c < categories; ++c) {
            prizes.push_back(c < categoryPrizes.size() ? categoryPrizes[c] : std::nullopt);
            draw.prizesStored = draw.prizesStored || prizes.back();
        }
    }
    draws.push_back(draw);
    return draws.back();
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
        StoredDraw draw;
        draw.tir = sqlite3_column_int64(row, 0);
        readDrum(row, c.sorted, c.drawn, game.k(), game.n(), draw.main);
        readDrum(row, c.secondSorted, c.secondDrawn, game.k2(), game.n2(), draw.second);
        draw.wellFormed = isWellFormed(game, draw);
        history.malformed += !draw.wellFormed;
        if (c.prizes >= 0)
            for (int i = 0; i < categories; ++i) {
                history.prizes.push_back(amountOf(row, c.prizes + i));
                draw.prizesStored = draw.prizesStored || history.prizes.back();
            }
        if (c.winners >= 0)
            for (int i = 0; i < categories; ++i)
                history.winners.push_back(amountOf(row, c.winners + i));
        if (c.date >= 0)
            draw.date = dateOf(row, c.date);
        history.draws.push_back(draw);
    }
    return history;
}

} // namespace Draws
