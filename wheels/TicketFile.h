#pragma once

// Ticket files, in any of these forms:
// - CSV after RFC 4180 with the header "ticket,b1,b2,b3,b4,b5,b6" (its names
//   may be quoted): each record a ticket label (any text; quoted, it may hold
//   commas, doubled quotes and line breaks) and six numbers, separated by
//   commas (or semicolons), each field perhaps in double quotes;
// - the same records without the header, told by seven fields on the first line;
// - plain lines of six numbers separated by commas, semicolons or blanks;
// - a JSON array of objects with the keys "b1" .. "b6" (others, such as
//   "ticket", are left alone), as `filter --list --format json` writes it.
// Blank lines are skipped; CRLF and LF line ends alike. Every number is a
// whole number from 1 to 49, no number twice in a ticket; the numbers of a
// ticket are sorted. The input is read in one pass and bounded: at most
// kMaxTicketFileBytes, kMaxTicketLineChars a line (a CSV record), kMaxTickets tickets.

#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace Wheels {

constexpr qint64 kMaxTicketFileBytes = 64 * 1024 * 1024;
constexpr int kMaxTicketLineChars = 1000;
constexpr qint64 kMaxTickets = 1000000;

// The six balls of a 6 из 49 ticket.
using SixBalls = std::array<int, 6>;

// The message for the user (naming the bad line), empty when every ticket was read.
QString parseTickets(const QByteArray& text, std::vector<SixBalls>* tickets);
QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets);

} // namespace Wheels
