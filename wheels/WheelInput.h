#pragma once

// Reading and validating what the user gives the wheel library: the chosen numbers (lists and
// ranges), the guarantee, the keys, and ticket files. Every message is for the user as it is;
// an empty message means the input is valid.

#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace Wheels {

// Limits on ticket files: everything past them is refused rather than read.
constexpr qsizetype kMaxTicketFileBytes = 8 * 1024 * 1024;
constexpr int kMaxTickets = 200000;

QString validateRequest(const WheelRequest& request);
// Throws WheelError with validateRequest's message.
void requireValidRequest(const WheelRequest& request);

// "1-20", "3,7,11-15", blanks and semicolons also separate. The result is ascending.
QString parseNumberList(QStringView text, std::vector<int>* numbers);
// "3/6" (also "3 из 6" and "3:6").
QString parseGuarantee(QStringView text, Guarantee* guarantee);
// The CSV "ticket,b1,b2,b3,b4,b5,b6" (header optional), or lines of six numbers separated by
// commas, semicolons or blanks. Each ticket comes out ascending.
QString parseTickets(const QByteArray& data, std::vector<Ticket>* tickets);
// Six distinct balls 1..49 (`line` names the ticket in the message when positive).
QString validateTicket(const std::vector<int>& balls, int line);

} // namespace Wheels
