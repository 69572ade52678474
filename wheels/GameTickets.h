#pragma once

// Wheel tickets and the tickets of a game (game/Ticket.h), one into the other: a wheel ticket
// is the main drum's part of a game ticket.

#include "game/Ticket.h"
#include "wheels/WheelTypes.h"

#include <vector>

namespace Wheels {

// The main drum's numbers of each ticket.
std::vector<Ticket> mainDrumTickets(const std::vector<Lottery::Ticket>& tickets);
// Game tickets holding the wheel tickets' numbers in the main drum and none in the second.
std::vector<Lottery::Ticket> gameTickets(const std::vector<Ticket>& tickets);

} // namespace Wheels
