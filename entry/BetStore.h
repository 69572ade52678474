#pragma once

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

} // namespace BetStore
