#include "lab/TicketFile.h"

#include "runtime/AppError.h"
#include "wheels/TicketFile.h"

#include <QFile>

namespace Lab {

std::vector<Ticket> parseTickets(const QByteArray& text) {
    std::vector<Ticket> tickets;
    const QString error = Wheels::parseTickets(text, &tickets);
    if (!error.isEmpty())
        throw AppError(error);
    return tickets;
}

std::vector<Ticket> readTicketFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Не удалось открыть файл билетов %1: %2").arg(path, file.errorString()));
    if (file.size() > Wheels::kMaxTicketFileBytes)
        throw AppError(
            QStringLiteral("Файл билетов больше %1 МиБ").arg(Wheels::kMaxTicketFileBytes >> 20));
    return parseTickets(file.read(Wheels::kMaxTicketFileBytes + 1));
}

} // namespace Lab
