#pragma once

// What the wheels window shows, exports and prints about a wheel: the check's
// line, the published record beside its size, the request in words, the CSV
// and what a printed wheel holds.

#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace WheelTexts {

QString guaranteeText(const Wheels::Guarantee& guarantee); // "3 из 6"
QString ballsText(const std::vector<int>& balls);          // "1 2 3"
QString ticketsText(qsizetype count); // "1 билет", "3 билета", "5 билетов"
// The numbers, the guarantee and the keys in one line.
QString requestText(const Wheels::WheelRequest& request);
// Covered sets and their share; «гарантия проверена» only when the check passed, with the
// condition on the key numbers when the request has them.
QString checkText(const Wheels::CheckResult& check, int size, const Wheels::WheelRequest& request);
// The best published size and the lower bound for the request; empty when no
// record applies (none known, or key numbers).
QString recordText(const Wheels::WheelRequest& request);

// "ticket,b1,b2,b3,b4,b5,b6" and a row per ticket, numbered from 1.
QByteArray ticketsCsv(const std::vector<Wheels::Ticket>& tickets);

struct PrintedWheel {
    Wheels::WheelRequest request;
    std::vector<Wheels::Ticket> tickets;
    QString checkLine;
    QString recordLine;
};

} // namespace WheelTexts
