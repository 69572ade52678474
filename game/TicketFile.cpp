#include "game/TicketFile.h"

#include "game/NumberWords.h"
#include "runtime/AppError.h"

#include <QBuffer>
#include <QIODevice>
#include <algorithm>
#include <cctype>

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

// A field's value: trimmed, and without the double quotes around it.
QByteArrayView unquoted(QByteArrayView field) {
    field = trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.sliced(1, field.size() - 2);
    return field;
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

// The number 1..highest of a field, or 0. At most three digits are read, so
// the value cannot overflow however long the field.
int ballValue(QByteArrayView field, int highest) {
    int value = 0;
    if (field.isEmpty() || field.size() > 3)
        return 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value <= highest ? value : 0;
}

// What a ticket of the game is: K numbers of the main drum, then K2 of the
// second, at their positions in a line.
class TicketRules {
public:
    explicit TicketRules(const Game& game) : m_game(game) {}

    const Game& game() const { return m_game; }
    int numbers() const { return m_game.k() + m_game.k2(); }
    bool second(int position) const { return position >= m_game.k() && position < numbers(); }
    int highest(int position) const { return second(position) ? m_game.n2() : m_game.n(); }

    int ballOf(QByteArrayView field, int position, qint64 line) const {
        field = unquoted(field);
        const int value = ballValue(field, highest(position));
        if (value == 0)
            failLine(line, quoted(field) + outOfRange(position));
        return value;
    }
    QString outOfRange(int position) const {
        return QStringLiteral(" — не число от 1 до %1").arg(highest(position)) +
               (second(position) ? QStringLiteral(" (второй барабан)") : QString());
    }

    // The numbers in their positions: the ticket, each drum ascending, none twice.
    Ticket ticketOf(const std::vector<int>& balls, qint64 line) const {
        Ticket ticket;
        for (int i = 0; i < numbers(); ++i)
            (second(i) ? ticket.second : ticket.main).append(balls[size_t(i)]);
        ticket.main = ticket.main.sorted();
        ticket.second = ticket.second.sorted();
        checkRepeats(ticket.main, QString(), line);
        checkRepeats(ticket.second, QStringLiteral(" во втором барабане"), line);
        return ticket;
    }

    QString numbersWanted() const {
        if (!m_game.hasSecondDrum())
            return numbersInWords(m_game.k());
        return QStringLiteral("%1 (%2 и %3 второго барабана)")
            .arg(numbersInWords(numbers()), QString::number(m_game.k()),
                 QString::number(m_game.k2()));
    }

private:
    static void checkRepeats(const Numbers& sorted, const QString& where, qint64 line) {
        const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
        if (twice != sorted.end())
            failLine(line, QStringLiteral("число %1 повторяется%2").arg(*twice).arg(where));
    }

    const Game& m_game;
};

// The fields of one record. Commas and semicolons separate (in a plain line
// runs of them and of blanks do, and of "+" when `plus`; in CSV each one
// does); not inside double quotes, where a doubled quote stands for one.
// `open` tells whether the text ends inside quotes. At most `most` fields are
// kept: more are wrong anyway.
std::vector<QByteArrayView> splitFields(QByteArrayView text, bool csv, size_t most, bool& open,
                                        bool plus = false) {
    std::vector<QByteArrayView> fields;
    open = false;
    qsizetype start = csv ? 0 : -1;
    for (qsizetype i = 0; i <= text.size() && fields.size() < most; ++i) {
        const char c = i < text.size() ? text[i] : ',';
        if (c == '"')
            open = !open;
        const bool separator =
            i == text.size() ||
            (!open && (c == ',' || c == ';' || (!csv && (isBlank(c) || (plus && c == '+')))));
        if (csv && separator) {
            fields.push_back(text.sliced(start, i - start));
            start = i + 1;
        } else if (!csv && separator && start >= 0) {
            fields.push_back(text.sliced(start, i - start));
            start = -1;
        } else if (!csv && !separator && start < 0) {
            start = i;
        }
    }
    return fields;
}

// The line as a header compares: lower case, without blanks and quotes,
// semicolons read as commas.
QByteArray compactHeader(QByteArrayView line) {
    QByteArray compact;
    for (char c : line.first(std::min<qsizetype>(200, line.size())))
        if (!isBlank(c) && c != '"')
            compact += char(c == ';' ? ',' : c);
    return compact.toLower();
}

// A file of lines, its form told by the first one: CSV (the header
// "ticket,b1,...", then a label and the numbers a record, or those records
// alone) or plain lines of the numbers.
class LineReader {
public:
    LineReader(QByteArrayView text, const TicketRules& rules)
        : m_rest(text), m_rules(rules), m_most(size_t(rules.numbers()) + 2) {}

    void read(std::vector<Ticket>& tickets) {
        while (!m_rest.isEmpty()) {
            ++m_line;
            QByteArrayView record = nextLine();
            if (trimmed(record).isEmpty())
                continue;
            if (m_form == Form::Unknown) {
                m_form = formOf(trimmed(record));
                if (m_form == Form::Header) {
                    m_form = Form::Csv;
                    continue;
                }
            }
            if (qint64(tickets.size()) >= kMaxTickets)
                failLine(m_line,
                         QStringLiteral("больше %1 билетов в одном файле").arg(kMaxTickets));
            tickets.push_back(m_form == Form::Csv ? csvTicket(record) : plainTicket(record));
        }
    }

private:
    enum class Form { Unknown, Header, Csv, Plain };

    Form formOf(QByteArrayView first) const {
        const QByteArray compact = compactHeader(first);
        if (compact == ticketHeader(m_rules.game()))
            return Form::Header;
        // Another game's header is named as such (6 из 49 files read as always).
        if (compact.startsWith("ticket,") && !m_rules.game().isSixFromFortyNine())
            failLine(m_line, QStringLiteral("заголовок не для игры «%1»: ожидается «%2»")
                                 .arg(m_rules.game().displayName(),
                                      QString::fromLatin1(ticketHeader(m_rules.game()))));
        // A label and the numbers between commas: the program's own CSV without its header.
        bool open = false;
        return int(splitFields(first, true, m_most, open).size()) == m_rules.numbers() + 1
                   ? Form::Csv
                   : Form::Plain;
    }

    QByteArrayView nextLine() {
        const qsizetype end = m_rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? m_rest : m_rest.first(end);
        m_rest = end < 0 ? QByteArrayView() : m_rest.sliced(end + 1);
        if (line.size() > kMaxTicketLineChars)
            failLine(m_line, QStringLiteral("строка длиннее %1 символов").arg(kMaxTicketLineChars));
        return line;
    }

    // A label and the numbers; a quoted label may go on over the next lines.
    // Each line is scanned once for its quotes, the whole record once for its fields.
    Ticket csvTicket(QByteArrayView record) {
        const qint64 first = m_line;
        bool open = insideQuotesAfter(record, false);
        while (open && !m_rest.isEmpty()) {
            ++m_line;
            const QByteArrayView more = nextLine();
            // The record runs on in the text: the next line follows its line end.
            record = QByteArrayView(record.data(), more.data() + more.size() - record.data());
            if (record.size() > kMaxTicketLineChars)
                failLine(first,
                         QStringLiteral("запись длиннее %1 символов").arg(kMaxTicketLineChars));
            open = insideQuotesAfter(more, open);
        }
        if (open)
            failLine(first, QStringLiteral("кавычка не закрыта"));
        const std::vector<QByteArrayView> fields = splitFields(record, true, m_most, open);
        if (int(fields.size()) != m_rules.numbers() + 1)
            failLine(first,
                     QStringLiteral("нужно %1: номер билета и %2")
                         .arg(fieldsInWords(m_rules.numbers() + 1), m_rules.numbersWanted()));
        return ticketOf(fields, 1, first);
    }

    static bool insideQuotesAfter(QByteArrayView text, bool open) {
        return (text.count('"') % 2 == 1) != open;
    }

    // The numbers alone; a word among them is named before the count is.
    Ticket plainTicket(QByteArrayView record) {
        bool open = false;
        const std::vector<QByteArrayView> fields =
            splitFields(record, false, m_most, open, m_rules.game().hasSecondDrum());
        for (size_t i = 0; i < fields.size(); ++i)
            m_rules.ballOf(fields[i], int(i), m_line);
        if (int(fields.size()) != m_rules.numbers())
            failLine(m_line, QStringLiteral("нужно %1, а найдено %2")
                                 .arg(m_rules.numbersWanted())
                                 .arg(fields.size()));
        return ticketOf(fields, 0, m_line);
    }

    Ticket ticketOf(const std::vector<QByteArrayView>& fields, size_t from, qint64 line) const {
        std::vector<int> balls;
        for (size_t i = from; i < fields.size(); ++i)
            balls.push_back(m_rules.ballOf(fields[i], int(i - from), line));
        return m_rules.ticketOf(balls, line);
    }

    QByteArrayView m_rest;
    const TicketRules& m_rules;
    const size_t m_most;
    qint64 m_line = 0;
    Form m_form = Form::Unknown;
};

// A JSON array of flat objects with the keys b1..bK and x1..xK2 (and any
// others, such as "ticket", whose values are left alone), as the program
// writes them. Read in one pass, without building the document.
class JsonReader {
public:
    JsonReader(QByteArrayView text, const TicketRules& rules) : m_text(text), m_rules(rules) {}

    void read(std::vector<Ticket>& tickets) {
        expect('[', QStringLiteral("ожидался список билетов «[»"));
        if (peek() == ']') {
            ++m_at;
        } else {
            for (;;) {
                if (qint64(tickets.size()) >= kMaxTickets)
                    fail(QStringLiteral("больше %1 билетов в одном файле").arg(kMaxTickets));
                tickets.push_back(object());
                const char next = peek();
                ++m_at;
                if (next == ']')
                    break;
                if (next != ',')
                    fail(QStringLiteral("после билета ожидалась «,» или «]»"));
            }
        }
        peek();
        if (m_at < m_text.size())
            fail(QStringLiteral("лишний текст после списка билетов"));
    }

private:
    [[noreturn]] void fail(const QString& what) const { failLine(m_line, what); }

    // The next character after blanks and line ends ('\0' at the end).
    char peek() {
        while (m_at < m_text.size() && (isBlank(m_text[m_at]) || m_text[m_at] == '\n'))
            m_line += m_text[m_at++] == '\n';
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }

    void expect(char c, const QString& what) {
        if (peek() != c)
            fail(what);
        ++m_at;
    }

    // The position of a key b1..bK (0..K-1) or x1..xK2 (K..), or -1.
    int positionOf(const QByteArray& key) const {
        if (key.size() != 2 || key[1] < '1' || key[1] > '9')
            return -1;
        const int index = key[1] - '1';
        const Game& game = m_rules.game();
        if (key[0] == 'b' && index < game.k())
            return index;
        if (key[0] == 'x' && index < game.k2())
            return game.k() + index;
        return -1;
    }

    static QByteArray keyOf(const Game& game, int position) {
        return position < game.k() ? "b" + QByteArray::number(position + 1)
                                   : "x" + QByteArray::number(position - game.k() + 1);
    }

    Ticket object() {
        peek();
        const qint64 first = m_line;
        expect('{', QStringLiteral("ожидался билет «{…}»"));
        std::vector<int> balls(size_t(m_rules.numbers()), 0);
        if (peek() != '}')
            for (;;) {
                const QByteArray key = string();
                expect(':', QStringLiteral("после имени поля ожидалось «:»"));
                const int position = positionOf(key);
                if (position >= 0) {
                    if (balls[size_t(position)] != 0)
                        fail(QStringLiteral("поле «%1» дважды").arg(QLatin1String(key)));
                    balls[size_t(position)] = ball(key, position);
                } else {
                    scalar();
                }
                if (peek() != ',')
                    break;
                ++m_at;
            }
        expect('}', QStringLiteral("ожидалась «,» или «}»"));
        for (int i = 0; i < m_rules.numbers(); ++i)
            if (balls[size_t(i)] == 0)
                failLine(first, QStringLiteral("у билета нет поля «%1»")
                                    .arg(QLatin1String(keyOf(m_rules.game(), i))));
        return m_rules.ticketOf(balls, first);
    }

    // A string's text, escapes read (\uXXXX beyond ASCII as "?"); only the
    // first 16 bytes are kept: enough to know a key.
    QByteArray string() {
        expect('"', QStringLiteral("ожидалась строка в кавычках"));
        QByteArray text;
        while (m_at < m_text.size() && m_text[m_at] != '"') {
            char c = m_text[m_at++];
            if (c == '\n')
                fail(QStringLiteral("строка не закрыта"));
            if (c == '\\' && m_at < m_text.size()) {
                c = m_text[m_at++];
                if (c == 'u') {
                    bool ok = false;
                    const uint code =
                        m_text.sliced(m_at, std::min<qsizetype>(4, m_text.size() - m_at))
                            .toByteArray()
                            .toUInt(&ok, 16);
                    m_at = std::min(m_text.size(), m_at + 4);
                    c = ok && code > 0 && code < 0x80 ? char(code) : '?';
                }
            }
            if (text.size() < 16)
                text += c;
        }
        expect('"', QStringLiteral("строка не закрыта"));
        return text;
    }

    // A number of its drum as a JSON number (or a string holding one).
    int ball(const QByteArray& key, int position) {
        const char first = peek();
        const QByteArrayView value = first == '"' ? QByteArrayView() : token();
        const QByteArray text = first == '"' ? string() : value.toByteArray();
        const int number = ballValue(text, m_rules.highest(position));
        if (number == 0)
            fail(QLatin1String(key) + QStringLiteral(": ") + quoted(text) +
                 m_rules.outOfRange(position));
        return number;
    }

    // A value that is left alone: a string, a number, true, false or null.
    void scalar() {
        if (peek() == '"') {
            string();
            return;
        }
        if (token().isEmpty())
            fail(QStringLiteral("ожидалось число, строка, true, false или null"));
    }

    // The characters of a number or a literal, up to the next separator.
    QByteArrayView token() {
        const qsizetype start = m_at;
        while (m_at < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == '-' ||
                m_text[m_at] == '+' || m_text[m_at] == '.'))
            ++m_at;
        return m_text.sliced(start, m_at - start);
    }

    QByteArrayView m_text;
    const TicketRules& m_rules;
    qsizetype m_at = 0;
    qint64 m_line = 1;
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
    const auto first =
        std::find_if(rest.begin(), rest.end(), [](char c) { return !isBlank(c) && c != '\n'; });
    const TicketRules rules(game);
    try {
        if (first != rest.end() && *first == '[')
            JsonReader(rest, rules).read(*tickets);
        else
            LineReader(rest, rules).read(*tickets);
    } catch (const LineError& e) {
        tickets->clear(); // nothing of a file with a bad line is taken
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
