// libFuzzer target for ticket files (numeron-cli wheel check/add and backtest, the lab's
// backtest): the input is a file's bytes, in any form the reader takes (plain lines, CSV with
// or without its header, quoted fields and records over lines, a JSON list). Besides the
// sanitizers, the target checks what the reader promises: a file is either read whole or
// refused with a message and no tickets, every ticket read holds six distinct numbers 1..49 in
// ascending order, and the tickets read come back the same from the program's own CSV and JSON
// forms of them. The same bytes also go through the parsers of the wheel command's number
// lists and guarantees.
#include "wheels/TicketFile.h"
#include "wheels/WheelInput.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

// The tickets as `filter --list` writes them: CSV with CRLF, or a JSON list.
QByteArray written(const std::vector<Wheels::Ticket>& tickets, bool json) {
    QByteArray out = json ? QByteArray("[") : QByteArray("ticket,b1,b2,b3,b4,b5,b6\r\n");
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        if (json)
            out.append(i > 0 ? ",\n  {\"ticket\": " : "\n  {\"ticket\": ");
        out.append(QByteArray::number(qulonglong(i + 1)));
        for (std::size_t b = 0; b < 6; ++b) {
            if (json)
                out.append(", \"b").append(QByteArray::number(qulonglong(b + 1))).append("\": ");
            else
                out.append(',');
            out.append(QByteArray::number(tickets[i][b]));
        }
        out.append(json ? "}" : "\r\n");
    }
    if (json)
        out.append("\n]\n");
    return out;
}

} // namespace

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
    if (!tickets.empty() && tickets.size() <= 1000)
        for (const bool json : {false, true}) {
            std::vector<Wheels::Ticket> again;
            if (!Wheels::parseTickets(written(tickets, json), &again).isEmpty() || again != tickets)
                std::abort();
        }

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
