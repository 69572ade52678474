#pragma once

// Ticket files for the wheels, read by Lottery::parseTickets (game/
// TicketFile.h names the forms it takes: CSV with or without the header "ticket,b1,...,b6",
// plain lines of six numbers, a JSON list), with its limits and messages.

#include "game/TicketFile.h"
#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace Wheels {

using Lottery::kMaxTicketFileBytes;
using Lottery::kMaxTicketLineChars;
using Lottery::kMaxTickets;

// The tickets' main drums, and the message for the user (naming the bad line), empty when
// every ticket was read; 6 из 49 unless said.
QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets,
                     const Lottery::Game& game = Lottery::Game());

} // namespace Wheels
