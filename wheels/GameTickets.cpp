#include "wheels/GameTickets.h"

namespace Wheels {

std::vector<Ticket> mainDrumTickets(const std::vector<Lottery::Ticket>& tickets) {
    std::vector<Ticket> out;
    out.reserve(tickets.size());
    for (const Lottery::Ticket& ticket : tickets) {
        Ticket balls = Ticket::ofSize(ticket.main.size());
        std::copy(ticket.main.begin(), ticket.main.end(), balls.begin());
        out.push_back(balls);
    }
    return out;
}

std::vector<Lottery::Ticket> gameTickets(const std::vector<Ticket>& tickets) {
    std::vector<Lottery::Ticket> out;
    out.reserve(tickets.size());
    for (const Ticket& ticket : tickets) {
        Lottery::Ticket numbers;
        for (const int ball : ticket)
            numbers.main.append(ball);
        out.push_back(numbers);
    }
    return out;
}

} // namespace Wheels
