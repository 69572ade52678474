#include "lab/TicketFile.h"

#include "game/TicketFile.h"
#include "runtime/AppError.h"
#include "wheels/TicketFile.h"

#include <QFile>
#include <algorithm>

namespace Lab {

std::vector<Ticket> readTicketFile(const QString& path, const Lottery::Game& game) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Не удалось открыть файл билетов %1: %2").arg(path, file.errorString()));
    if (file.size() > Lottery::kMaxTicketFileBytes)
        throw AppError(
            QStringLiteral("Файл билетов больше %1 МиБ").arg(Lottery::kMaxTicketFileBytes >> 20));
    const QByteArray text = file.read(Lottery::kMaxTicketFileBytes + 1);
    std::vector<Ticket> tickets;
    if (game.isSixFromFortyNine()) {
        // The reader of 6 из 49 files also takes JSON lists, with its own messages.
        std::vector<Wheels::Ticket> read;
        const QString error = Wheels::parseTickets(text, &read);
        if (!error.isEmpty())
            throw AppError(error);
        tickets.reserve(read.size());
        for (const Wheels::Ticket& six : read) {
            Ticket ticket;
            std::copy(six.begin(), six.end(), ticket.main.begin());
            tickets.push_back(ticket);
        }
        return tickets;
    }
    std::vector<Lottery::Ticket> read;
    const QString error = Lottery::parseTickets(text, game, &read);
    if (!error.isEmpty())
        throw AppError(error);
    tickets.reserve(read.size());
    for (const Lottery::Ticket& ticket : read)
        tickets.push_back(fromGameTicket(ticket));
    return tickets;
}

} // namespace Lab
