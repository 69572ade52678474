// libFuzzer target for ticket files (numeron-cli wheel check/add and backtest, the lab's
// backtest): the input is a file's bytes. Besides the sanitizers, the target checks what the
// reader promises: a file is either read whole or refused with a message and no tickets, and
// every ticket read holds six distinct numbers 1..49 in ascending order. The same bytes also
// go through the parsers of the wheel command's number lists and guarantees.
#include "wheels/TicketFile.h"
#include "wheels/WheelInput.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<Wheels::Ticket> tickets;
    const QString error = Wheels::parseTickets(bytes, &tickets);
    if (error.isEmpty() == tickets.empty())
        std::abort();
    for (const Wheels::Ticket& ticket : tickets)
        for (std::size_t i = 0; i < ticket.size(); ++i)
            if (ticket[i] < 1 || ticket[i] > 49 || (i > 0 && ticket[i - 1] >= ticket[i]))
                std::abort();

    const QString text = QString::fromUtf8(bytes.left(8192));
    std::vector<int> numbers;
    if (Wheels::parseNumberList(text, &numbers).isEmpty())
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (numbers[i] < 1 || numbers[i] > 49 || (i > 0 && numbers[i - 1] >= numbers[i]))
                std::abort();
    Wheels::Guarantee guarantee;
    Wheels::parseGuarantee(text, &guarantee);
    return 0;
}
