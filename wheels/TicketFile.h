#pragma once

// Ticket files of 6 из 49 for the wheels and the lab, read by Lottery::parseTickets (game/
// TicketFile.h names the forms it takes: CSV with or without the header "ticket,b1,...,b6",
// plain lines of six numbers, a JSON list), with its limits and messages.

#include "game/TicketFile.h"
#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace Wheels {

using Lottery::kMaxTicketFileBytes;
using Lottery::kMaxTicketLineChars;
using Lottery::kMaxTickets;

// The six balls of a 6 из 49 ticket.
using SixBalls = std::array<int, 6>;

// The message for the user (naming the bad line), empty when every ticket was read.
QString parseTickets(const QByteArray& text, std::vector<SixBalls>* tickets);
// The same for the main drum of any game (6 из 49 unless said).
QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets,
                     const Lottery::Game& game = Lottery::Game());

} // namespace Wheels
