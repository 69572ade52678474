#include "wheels/TicketFile.h"

#include "wheels/GameTickets.h"

namespace Wheels {

QString parseTickets(const QByteArray& text, std::vector<SixBalls>* tickets) {
    std::vector<Ticket> read;
    const QString error = parseTickets(text, &read);
    tickets->assign(read.size(), SixBalls{});
    for (std::size_t i = 0; i < read.size(); ++i)
        std::copy(read[i].begin(), read[i].end(), (*tickets)[i].begin());
    return error;
}

QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets,
                     const Lottery::Game& game) {
    std::vector<Lottery::Ticket> read;
    const QString error = Lottery::parseTickets(text, game, &read);
    *tickets = mainDrumTickets(read);
    return error;
}

} // namespace Wheels
