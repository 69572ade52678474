#pragma once

#include "lab/Ticket.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace Lab {

// Tickets from a file (the forms and limits of Wheels::parseTickets); a bad
// line throws AppError with a message naming the line.
std::vector<Ticket> parseTickets(const QByteArray& text);
std::vector<Ticket> readTicketFile(const QString& path);

} // namespace Lab
