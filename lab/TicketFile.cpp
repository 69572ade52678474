#include "lab/TicketFile.h"

#include "game/TicketFile.h"
#include "runtime/AppError.h"

#include <QFile>

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
    std::vector<Lottery::Ticket> read;
    const QString error = Lottery::parseTickets(text, game, &read);
    if (!error.isEmpty())
        throw AppError(error);
    std::vector<Ticket> tickets;
    tickets.reserve(read.size());
    for (const Lottery::Ticket& ticket : read)
        tickets.push_back(fromGameTicket(ticket));
    return tickets;
}

} // namespace Lab
