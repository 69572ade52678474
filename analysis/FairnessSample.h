#pragma once

#include "draws/StoredDraws.h"
#include "game/Game.h"
#include "game/Ticket.h"

#include <QString>
#include <memory>
#include <vector>

namespace Analysis {

// The game of a database that records none: 6 из 49.
inline const Lottery::Game& unrecordedGame() {
    static const Lottery::Game game;
    return game;
}

// The drum the tests look at: K balls drawn from 1..N, the main drum of a game
// or its second one.
struct Drum {
    int k = unrecordedGame().k(); // 6 из 49 unless told
    int n = unrecordedGame().n();
    int number = 1; // 1: the main drum, 2: the second

    static Drum mainOf(const Lottery::Game& game) { return {game.k(), game.n(), 1}; }
    static Drum secondOf(const Lottery::Game& game) { return {game.k2(), game.n2(), 2}; }
    // A test's name for this drum: "balls" for the main one, "drum2_balls"
    // for the second.
    QString testName(const QString& name) const {
        return number == 1 ? name : QStringLiteral("drum%1_").arg(number) + name;
    }
};

// The balls of one draw of a drum, ascending.
using DrawBalls = Lottery::Numbers;
// The balls of one draw in the order they came out of the drum (ss1..ssK).
using DrawnOrder = Lottery::Numbers;

// What the tests read of the stored draws: the drawn order too, and a row
// repeating the number of one stored before it (an outside edit: the program
// never stores a number twice) left out, as the same draw again: only the
// first stored counts.
Draws::Request fairnessRequest();

// The draws the tests take from the newest lastN draws (all for lastN <= 0):
// the regular ones, oldest first, and the drawn orders of those that keep a
// valid one; the second drum's the same, apart.
struct FairnessSample {
    Drum drum;
    std::vector<DrawBalls> draws;
    std::vector<DrawnOrder> orders;
    qint64 irregular = 0;      // draws left out: not K distinct balls 1..N in each drum
    qint64 orderMalformed = 0; // regular draws whose drawn order is unusable
    qint64 duplicates = 0;     // of the whole history (Draws::History::repeated)
    // The second drum of the same regular draws, tested apart; none in a game
    // of one drum.
    std::shared_ptr<const FairnessSample> second;
};

// Of a history read with fairnessRequest().
FairnessSample fairnessSample(const Draws::History& history, qint64 lastN);

} // namespace Analysis
