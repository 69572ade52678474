// libFuzzer target for ticket files (numeron-cli wheel check/add and backtest, the lab's
// backtest): the first byte chooses the game (6 из 49, 5 из 36, 7 из 49, 5 из 45 + 1 из 20),
// the rest is a file's bytes, in any form the reader takes (plain lines, CSV with or without its
// header, quoted fields and records over lines, a JSON list). Besides the sanitizers, the target
// checks what the reader promises: a file is either read whole or refused with a message and no
// tickets, every ticket read holds K distinct numbers 1..N (and K2 of 1..N2) in ascending order,
// and the tickets read come back the same from the program's own CSV and JSON forms of them.
// The same bytes also go through the parsers of the wheel command's number lists and guarantees.
#include "game/TicketFile.h"
#include "wheels/WheelInput.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

const Lottery::Game& gameOf(std::uint8_t choice) {
    static const Lottery::Game games[] = {Lottery::Game(), Lottery::Game::make(5, 36),
                                          Lottery::Game::make(7, 49),
                                          Lottery::Game::make(5, 45, 1, 20)};
    return games[choice % 4];
}

void requireAscending(const Lottery::Numbers& numbers, int count, int highest) {
    if (numbers.size() != count)
        std::abort();
    for (int i = 0; i < numbers.size(); ++i)
        if (numbers[i] < 1 || numbers[i] > highest || (i > 0 && numbers[i - 1] >= numbers[i]))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const Lottery::Game& game = gameOf(data[0]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    std::vector<Lottery::Ticket> tickets;
    const QString error = Lottery::parseTickets(bytes, game, &tickets);
    if (error.isEmpty() == tickets.empty())
        std::abort();
    for (const Lottery::Ticket& ticket : tickets) {
        requireAscending(ticket.main, game.k(), game.n());
        requireAscending(ticket.second, game.k2(), game.n2());
    }
    if (!tickets.empty() && tickets.size() <= 1000)
        for (const auto format :
             {Lottery::TicketWriter::Format::Csv, Lottery::TicketWriter::Format::Json}) {
            std::vector<Lottery::Ticket> again;
            const QByteArray written = Lottery::ticketsText(tickets, game, format);
            if (!Lottery::parseTickets(written, game, &again).isEmpty() || again != tickets)
                std::abort();
        }

    const QString text = QString::fromUtf8(bytes.left(8192));
    std::vector<int> numbers;
    if (Wheels::parseNumberList(text, &numbers, game.n()).isEmpty())
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (numbers[i] < 1 || numbers[i] > game.n() || (i > 0 && numbers[i - 1] >= numbers[i]))
                std::abort();
    Wheels::Guarantee guarantee;
    Wheels::parseGuarantee(text, &guarantee);
    return 0;
}
