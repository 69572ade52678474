#pragma once

// Ticket files, in either of two forms:
// - CSV with the header "ticket,b1,b2,b3,b4,b5,b6": each line a ticket label
//   (any text without a comma) and six numbers, separated by commas (or
//   semicolons);
// - plain lines of six numbers separated by commas, semicolons or blanks.
// Blank lines are skipped. Every number is a whole number from 1 to 49, no
// number twice on a line; the numbers of a ticket are sorted. The input is
// read in one pass and bounded: at most kMaxTicketFileBytes,
// kMaxTicketLineChars a line, kMaxTickets tickets.

#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace Wheels {

constexpr qint64 kMaxTicketFileBytes = 64 * 1024 * 1024;
constexpr int kMaxTicketLineChars = 1000;
constexpr qint64 kMaxTickets = 1000000;

// The message for the user (naming the bad line), empty when every ticket was read.
QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets);

} // namespace Wheels
