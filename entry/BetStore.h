#pragma once

#include "game/Game.h"
#include "game/Ticket.h"

#include <array>
#include <vector>

class Connection;

// Stores a set of tickets as the bets of one draw, each ticket one row of
// Rate with the draw number and its six balls, as bet entry writes them. All
// of them or none: a failure rolls the whole set back.
namespace BetStore {

using Ticket = std::array<int, 6>;

// Throws AppError with the engine's text (DatabaseBusy when another program
// holds the database too long); nothing is stored then.
void addBets(Connection& connection, int tir, const std::vector<Ticket>& tickets);

// The same in a database of any game: each ticket's numbers go to s1..sK and, in a game with a
// second drum, to x1..xK2.
void addBets(Connection& connection, int tir, const Lottery::Game& game,
             const std::vector<Lottery::Ticket>& tickets);

// How many of the tickets (each drum sorted) are stored already as bets of the draw, whatever
// the order of the numbers in their columns. Throws AppError with the engine's text.
qsizetype storedAlready(Connection& connection, int tir, const Lottery::Game& game,
                        const std::vector<Lottery::Ticket>& tickets);

} // namespace BetStore
