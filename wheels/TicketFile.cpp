#include "wheels/TicketFile.h"

#include <algorithm>

namespace Wheels {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// A bad line ends the reading; its message names the line.
struct LineError {
    QString message;
};

[[noreturn]] void failLine(qint64 line, const QString& what) {
    throw LineError{QStringLiteral("Строка %1: %2").arg(line).arg(what)};
}

// A field quoted in a message: at most 20 characters of it.
QString quoted(QByteArrayView field) {
    const QString text = QString::fromUtf8(field.first(std::min<qsizetype>(20, field.size())));
    return QStringLiteral("«") + text +
           (field.size() > 20 ? QStringLiteral("…»") : QStringLiteral("»"));
}

int ballOf(QByteArrayView field, qint64 line) {
    field = trimmed(field);
    // At most three digits are read, so the value cannot overflow however long the field.
    int value = 0;
    bool digits = !field.isEmpty() && field.size() <= 3;
    for (qsizetype i = 0; digits && i < field.size(); ++i) {
        digits = field[i] >= '0' && field[i] <= '9';
        value = value * 10 + (field[i] - '0');
    }
    if (!digits || value < 1 || value > 49)
        failLine(line, quoted(field) + QStringLiteral(" — не число от 1 до 49"));
    return value;
}

Ticket ticketOf(const std::vector<QByteArrayView>& fields, qint64 line) {
    if (fields.size() != 6)
        failLine(line, QStringLiteral("нужно шесть чисел, а найдено %1").arg(fields.size()));
    Ticket ticket{};
    for (size_t i = 0; i < 6; ++i)
        ticket[i] = ballOf(fields[i], line);
    std::sort(ticket.begin(), ticket.end());
    const auto twice = std::adjacent_find(ticket.begin(), ticket.end());
    if (twice != ticket.end())
        failLine(line, QStringLiteral("число %1 повторяется").arg(*twice));
    return ticket;
}

// Fields of a plain line: runs of commas, semicolons and blanks separate.
std::vector<QByteArrayView> plainFields(QByteArrayView text) {
    std::vector<QByteArrayView> fields;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separator =
            i == text.size() || text[i] == ',' || text[i] == ';' || isBlank(text[i]);
        if (separator && start >= 0) {
            fields.push_back(text.sliced(start, i - start));
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
        if (fields.size() > 7)
            break; // too many already; the count in the message need not be exact
    }
    return fields;
}

// Fields of a CSV line after its label.
std::vector<QByteArrayView> csvFields(QByteArrayView text, qint64 line) {
    std::vector<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size() && fields.size() <= 7; ++i)
        if (i == text.size() || text[i] == ',' || text[i] == ';') {
            fields.push_back(text.sliced(start, i - start));
            start = i + 1;
        }
    if (fields.size() != 7)
        failLine(line, QStringLiteral("нужно семь полей: номер билета и шесть чисел"));
    fields.erase(fields.begin());
    return fields;
}

bool isCsvHeader(QByteArrayView line) {
    QByteArray compact;
    for (char c : line.first(std::min<qsizetype>(100, line.size())))
        if (!isBlank(c))
            compact += char(c == ';' ? ',' : c);
    return compact.toLower() == "ticket,b1,b2,b3,b4,b5,b6";
}

} // namespace

QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets) {
    tickets->clear();
    if (text.size() > kMaxTicketFileBytes)
        return QStringLiteral("Файл билетов больше %1 МиБ").arg(kMaxTicketFileBytes >> 20);
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    bool csv = false;
    bool first = true;
    try {
        for (qint64 line = 1; !rest.isEmpty(); ++line) {
            const qsizetype end = rest.indexOf('\n');
            const QByteArrayView raw = end < 0 ? rest : rest.first(end);
            rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
            if (raw.size() > kMaxTicketLineChars)
                failLine(line,
                         QStringLiteral("строка длиннее %1 символов").arg(kMaxTicketLineChars));
            const QByteArrayView content = trimmed(raw);
            if (content.isEmpty())
                continue;
            if (first) {
                first = false;
                if ((csv = isCsvHeader(content)))
                    continue;
            }
            if (qint64(tickets->size()) >= kMaxTickets)
                failLine(line, QStringLiteral("больше %1 билетов в одном файле").arg(kMaxTickets));
            tickets->push_back(
                ticketOf(csv ? csvFields(content, line) : plainFields(content), line));
        }
    } catch (const LineError& e) {
        tickets->clear(); // nothing of a file with a bad line is taken
        return e.message;
    }
    if (tickets->empty())
        return QStringLiteral("В файле нет ни одного билета");
    return {};
}

} // namespace Wheels
