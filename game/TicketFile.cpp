#include "game/TicketFile.h"

#include "game/NumberWords.h"
#include "runtime/AppError.h"

#include <QBuffer>
#include <QIODevice>
#include <algorithm>

namespace Lottery {

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

// The fields of one line. CSV: split at every comma or semicolon outside
// double quotes, the quotes taken off. Plain: runs of commas, semicolons,
// blanks and "+" separate, quote marks are dropped; at most `most` fields
// are taken (enough to tell that there are too many).
std::vector<QByteArray> splitLine(QByteArrayView text, bool csv, size_t most) {
    std::vector<QByteArray> fields;
    QByteArray field;
    bool inQuotes = false;
    bool any = false;
    for (qsizetype i = 0; i <= text.size() && fields.size() <= most; ++i) {
        const char c = i < text.size() ? text[i] : ',';
        const bool end = i == text.size();
        if (c == '"' && !end) {
            // A doubled quote inside quotes is one quote character.
            if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            any = true;
            continue;
        }
        const bool separator =
            end || (!inQuotes && (c == ',' || c == ';' || (!csv && (isBlank(c) || c == '+'))));
        if (!separator) {
            field += c;
            any = true;
        } else if (csv || any) {
            fields.push_back(csv ? field : field.trimmed());
            field.clear();
            any = false;
        }
    }
    if (csv)
        for (QByteArray& f : fields)
            f = trimmed(f).toByteArray();
    return fields;
}

bool hasCsvSeparator(QByteArrayView text) {
    bool inQuotes = false;
    for (const char c : text) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == ',' || c == ';'))
            return true;
    }
    return false;
}

class TicketReader {
public:
    explicit TicketReader(const Game& game)
        : m_game(game), m_numbers(game.k() + game.k2()), m_header(ticketHeader(game)) {}

    // Reads one line that is not blank; false for the header.
    bool readLine(QByteArrayView content, qint64 line, bool first, Ticket* ticket) {
        if (first) {
            const QByteArray compact = compactHeader(content);
            if ((m_csv = compact == m_header))
                return false;
            if (compact.startsWith("ticket,"))
                failLine(line, QStringLiteral("заголовок не для игры «%1»: ожидается «%2»")
                                   .arg(m_game.displayName(), QString::fromLatin1(m_header)));
        }
        std::vector<QByteArray> fields;
        if (m_csv) {
            fields = splitLine(content, true, size_t(m_numbers) + 1);
            if (int(fields.size()) != m_numbers + 1)
                failLine(line, QStringLiteral("нужно %1: номер билета и %2")
                                   .arg(fieldsInWords(m_numbers + 1), numbersWanted()));
            fields.erase(fields.begin());
        } else {
            if (hasCsvSeparator(content)) {
                fields = splitLine(content, true, size_t(m_numbers) + 1);
                if (int(fields.size()) == m_numbers + 1)
                    fields.erase(fields.begin()); // the program's CSV without its header
                else
                    fields.clear();
            }
            if (fields.empty())
                fields = splitLine(content, false, size_t(m_numbers) + 1);
            if (int(fields.size()) != m_numbers)
                failLine(line, QStringLiteral("нужно %1, а найдено %2")
                                   .arg(numbersWanted())
                                   .arg(fields.size()));
        }
        *ticket = Ticket{};
        for (int i = 0; i < m_numbers; ++i) {
            const bool second = i >= m_game.k();
            const int ball =
                ballOf(fields[size_t(i)], second ? m_game.n2() : m_game.n(), second, line);
            (second ? ticket->second : ticket->main).append(ball);
        }
        ticket->main = ticket->main.sorted();
        ticket->second = ticket->second.sorted();
        checkRepeats(ticket->main, QString(), line);
        checkRepeats(ticket->second, QStringLiteral(" во втором барабане"), line);
        return true;
    }

private:
    QString numbersWanted() const {
        if (!m_game.hasSecondDrum())
            return numbersInWords(m_game.k());
        return QStringLiteral("%1 (%2 и %3 второго барабана)")
            .arg(numbersInWords(m_numbers), QString::number(m_game.k()),
                 QString::number(m_game.k2()));
    }

    // The line as a header compares: lower case, without blanks and quotes,
    // semicolons read as commas.
    static QByteArray compactHeader(QByteArrayView line) {
        QByteArray compact;
        for (char c : line.first(std::min<qsizetype>(200, line.size())))
            if (!isBlank(c) && c != '"')
                compact += char(c == ';' ? ',' : c);
        return compact.toLower();
    }

    static int ballOf(QByteArrayView field, int n, bool second, qint64 line) {
        field = trimmed(field);
        // At most three digits are read, so the value cannot overflow however long the field.
        int value = 0;
        bool digits = !field.isEmpty() && field.size() <= 3;
        for (qsizetype i = 0; digits && i < field.size(); ++i) {
            digits = field[i] >= '0' && field[i] <= '9';
            value = value * 10 + (field[i] - '0');
        }
        if (!digits || value < 1 || value > n)
            failLine(line, quoted(field) + QStringLiteral(" — не число от 1 до %1").arg(n) +
                               (second ? QStringLiteral(" (второй барабан)") : QString()));
        return value;
    }

    static void checkRepeats(const Numbers& sorted, const QString& where, qint64 line) {
        const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
        if (twice != sorted.end())
            failLine(line, QStringLiteral("число %1 повторяется%2").arg(*twice).arg(where));
    }

    const Game& m_game;
    const int m_numbers;
    const QByteArray m_header;
    bool m_csv = false;
};

} // namespace

QByteArray ticketHeader(const Game& game) {
    QByteArray header = "ticket";
    for (int i = 1; i <= game.k(); ++i)
        header += ",b" + QByteArray::number(i);
    for (int i = 1; i <= game.k2(); ++i)
        header += ",x" + QByteArray::number(i);
    return header;
}

QString parseTickets(const QByteArray& text, const Game& game, std::vector<Ticket>* tickets) {
    tickets->clear();
    if (text.size() > kMaxTicketFileBytes)
        return QStringLiteral("Файл билетов больше %1 МиБ").arg(kMaxTicketFileBytes >> 20);
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    TicketReader reader(game);
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
            if (qint64(tickets->size()) >= kMaxTickets)
                failLine(line, QStringLiteral("больше %1 билетов в одном файле").arg(kMaxTickets));
            Ticket ticket;
            if (reader.readLine(content, line, std::exchange(first, false), &ticket))
                tickets->push_back(ticket);
        }
    } catch (const LineError& e) {
        tickets->clear();
        return e.message;
    }
    if (tickets->empty())
        return QStringLiteral("В файле нет ни одного билета");
    return {};
}

namespace {
constexpr qsizetype kWriterBuffer = 64 * 1024;

// Appends the JSON key and value: , "b1": 7
void appendJsonNumber(QByteArray& out, const QByteArray& key, int value) {
    out += ", \"" + key + "\": " + QByteArray::number(value);
}
} // namespace

TicketWriter::TicketWriter(QIODevice& output, const Game& game, Format format)
    : m_output(output), m_game(game), m_format(format) {
    m_buffer.reserve(kWriterBuffer + 256);
    m_buffer += m_format == Format::Csv ? ticketHeader(m_game) + "\r\n" : QByteArray("[");
}

TicketWriter::~TicketWriter() = default;

void TicketWriter::add(const Ticket& ticket) {
    const QByteArray number = QByteArray::number(++m_count);
    if (m_format == Format::Csv) {
        m_buffer += number;
        for (const quint8 ball : ticket.main)
            m_buffer += ',' + QByteArray::number(ball);
        for (const quint8 ball : ticket.second)
            m_buffer += ',' + QByteArray::number(ball);
        m_buffer += "\r\n";
    } else {
        m_buffer += m_count == 1 ? "\n  {" : ",\n  {";
        m_buffer += "\"ticket\": " + number;
        int i = 0;
        for (const quint8 ball : ticket.main)
            appendJsonNumber(m_buffer, "b" + QByteArray::number(++i), ball);
        i = 0;
        for (const quint8 ball : ticket.second)
            appendJsonNumber(m_buffer, "x" + QByteArray::number(++i), ball);
        m_buffer += '}';
    }
    if (m_buffer.size() >= kWriterBuffer)
        flush();
}

void TicketWriter::finish() {
    if (m_format == Format::Json)
        m_buffer += m_count == 0 ? "]\n" : "\n]\n";
    flush();
}

void TicketWriter::flush() {
    if (m_buffer.isEmpty())
        return;
    if (m_output.write(m_buffer) != m_buffer.size())
        throw AppError(QStringLiteral("Билеты не записаны: %1").arg(m_output.errorString()));
    m_buffer.clear();
}

QByteArray ticketsText(const std::vector<Ticket>& tickets, const Game& game,
                       TicketWriter::Format format) {
    QByteArray text;
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    TicketWriter writer(buffer, game, format);
    for (const Ticket& ticket : tickets)
        writer.add(ticket);
    writer.finish();
    return text;
}

} // namespace Lottery
