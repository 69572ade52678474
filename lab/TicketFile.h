#pragma once

#include "game/Game.h"
#include "lab/Ticket.h"

#include <QString>
#include <vector>

namespace Lab {

// The tickets of a ticket file of the game, in the forms, limits and messages
// of Lottery::parseTickets. A file that cannot be read, or a bad line, throws
// AppError with a message naming the file or the line.
std::vector<Ticket> readTicketFile(const QString& path, const Lottery::Game& game = {});

} // namespace Lab
