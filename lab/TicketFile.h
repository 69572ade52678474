#pragma once

#include "lab/Ticket.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace Lab {

// Tickets from a file, in either of two forms:
// - CSV with the header "ticket,b1,b2,b3,b4,b5,b6": each line a ticket label
//   (any text without a comma) and six numbers, separated by commas (or
//   semicolons);
// - plain lines of six numbers separated by commas, semicolons or blanks.
// Blank lines are skipped. Every number is a whole number from 1 to 49, no
// number twice on a line; the numbers of a ticket are sorted. A bad line
// throws AppError with a message naming the line. The input is read in one
// pass and bounded: at most kMaxTicketFileBytes, kMaxTicketLineChars a line,
// kMaxTickets tickets.
constexpr qint64 kMaxTicketFileBytes = 64 * 1024 * 1024;
constexpr int kMaxTicketLineChars = 1000;
constexpr qint64 kMaxTickets = 1000000;

std::vector<Ticket> parseTickets(const QByteArray& text);
std::vector<Ticket> readTicketFile(const QString& path);

// The CSV form: its header line and one ticket's line (number from 1).
QString ticketCsvHeader();
QString ticketCsvLine(qint64 number, const Ticket& ticket);

} // namespace Lab
