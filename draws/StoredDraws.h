#pragma once

#include "game/Game.h"
#include "game/Ticket.h"

#include <QDate>
#include <optional>
#include <vector>

class Connection;

// The draws a database stores, read for everything that counts them: the
// ball statistics and fairness tests of the analysis, the lab's filters and
// backtests, and the frequencies of numeron-cli; for the database's own game.
//
// The draws come oldest first by draw number, draws sharing a number in the
// order they were stored. Draw numbers follow the dates (an import numbers
// undated draws in date order), and the statistics count draws, not days: a
// day may hold several draws and a draw entered by hand may have no date. A
// row without a draw number is no draw.
namespace Draws {

// One stored draw: its number and the balls of its main drum's sorted
// columns (s1..sK), the distinct balls ascending. A value that is not a whole
// number from 1 to N (hand entry allows 0, 50 and more) stands for no ball,
// and a number written twice is one ball. 16 bytes: a million draws are read
// almost as fast as their balls alone; the second drum and what else is asked
// for lie beside the draws in the History.
struct StoredDraw {
    qint64 tir = 0;
    Lottery::Numbers main;
};

// What the drawn-order columns of a drum (ss1..ssK, xx1..xxK2) hold.
enum class OrderKind : quint8 {
    None,     // all empty: the draw keeps no drawn order
    Valid,    // the drum's K distinct balls, the same ones as its sorted columns
    Malformed // anything else: some columns filled, a value that is no ball, a repeat, other balls
};

// The balls of a draw's drums in the order drawn, where it is valid.
struct DrawnOrder {
    Lottery::Numbers main;
    Lottery::Numbers second;
    OrderKind mainKind = OrderKind::None;
    OrderKind secondKind = OrderKind::None;
};

// What is read besides the draw numbers and the sorted balls.
struct Request {
    bool drawnOrder = false; // ss1..ssK, xx1..xxK2
    bool dates = false;      // tirdate
    bool prizes = false;     // chv<key> of every category
    bool winners = false;    // ch<key> of every category
    // A row repeating the draw number of the row before it is an outside
    // edit (the program never stores a number twice). It is kept as a draw of
    // its own (what the statistics and the lab count is what is stored), or,
    // for the fairness tests that must not count one draw twice, left out and
    // counted (History::repeated).
    bool dropRepeatedNumbers = false;
};

struct History {
    Lottery::Game game;
    std::vector<StoredDraw> draws; // oldest first
    qint64 malformed = 0;          // draws that are not wellFormed
    qint64 repeated = 0;           // rows left out for repeating a draw number
    // Beside the draws, one per draw: the second drum's balls (x1..xK2, as
    // the main drum's) in a game with one,
    std::vector<Lottery::Numbers> second;
    // and what was asked for.
    std::vector<DrawnOrder> orders; // Request::drawnOrder
    std::vector<QDate> dates;       // Request::dates: tirdate written yyyy-MM-dd, else invalid
    // Request::prizes and Request::winners: per draw, per category of the game
    // (best first), the amount or count where the column holds one: a whole
    // number, a real rounded to the nearest, or text holding a whole number.
    std::vector<std::optional<qint64>> prizes;
    std::vector<std::optional<qint64>> winners;

    qint64 size() const { return qint64(draws.size()); }
    // Index of the first of the newest lastN draws; lastN <= 0 means all.
    qint64 windowStart(qint64 lastN) const {
        return lastN > 0 && lastN < size() ? size() - lastN : 0;
    }
    // Index of the first draw numbered at least tir (size() when none).
    qint64 firstAtOrAfter(qint64 tir) const;

    // The second drum's balls of a draw; none without a second drum.
    Lottery::Numbers secondOf(qint64 draw) const {
        return size_t(draw) < second.size() ? second[size_t(draw)] : Lottery::Numbers();
    }
    // K distinct balls from 1 to N in the main drum, and K2 from 1 to N2 in
    // the second: a draw of the game. The others are kept, with the balls they
    // do hold, and counted (malformed); each caller decides.
    bool wellFormed(qint64 draw) const {
        return draws[size_t(draw)].main.size() == game.k() && secondOf(draw).size() == game.k2();
    }
    std::optional<qint64> prize(qint64 draw, int category) const {
        return perCategory(prizes, draw, category);
    }
    std::optional<qint64> winnersOf(qint64 draw, int category) const {
        return perCategory(winners, draw, category);
    }
    // Some category's prize column of the draw holds an amount: its prizes
    // are stored, and a category left empty paid nothing.
    bool prizesStored(qint64 draw) const;

    // Appends a draw of the given balls, as the reader makes one of a row
    // holding them in its sorted columns, with its prizes per category (or
    // none): synthetic histories for tests and benchmarks.
    void add(qint64 tir, const Lottery::Numbers& main, const Lottery::Numbers& second = {},
             const std::vector<std::optional<qint64>>& categoryPrizes = {});

private:
    std::optional<qint64> perCategory(const std::vector<std::optional<qint64>>& values, qint64 draw,
                                      int category) const;
};

// Reads the game of the open database and its draws. Throws AppError with
// the engine's text, or GameRecord::DamagedRecord.
History read(Connection& connection, const Request& request = {});

} // namespace Draws
