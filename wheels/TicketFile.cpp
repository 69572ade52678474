#include "wheels/TicketFile.h"

#include "wheels/GameTickets.h"

namespace Wheels {

QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets,
                     const Lottery::Game& game) {
    std::vector<Lottery::Ticket> read;
    const QString error = Lottery::parseTickets(text, game, &read);
    *tickets = mainDrumTickets(read);
    return error;
}

} // namespace Wheels
