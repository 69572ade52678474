#include "wheels/TicketFile.h"

#include <algorithm>
#include <array>
#include <cctype>

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

// The number 1..49 of a field, or 0. At most three digits are read, so the
// value cannot overflow however long the field.
int ballValue(QByteArrayView field) {
    int value = 0;
    if (field.isEmpty() || field.size() > 3)
        return 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value <= 49 ? value : 0;
}

int ballOf(QByteArrayView field, qint64 line) {
    field = unquoted(field);
    const int value = ballValue(field);
    if (value == 0)
        failLine(line, quoted(field) + QStringLiteral(" — не число от 1 до 49"));
    return value;
}

// Six numbers in any order, none twice: the ticket, ascending.
SixBalls ticketOf(const std::array<int, 6>& balls, qint64 line) {
    SixBalls ticket = balls;
    std::sort(ticket.begin(), ticket.end());
    const auto twice = std::adjacent_find(ticket.begin(), ticket.end());
    if (twice != ticket.end())
        failLine(line, QStringLiteral("число %1 повторяется").arg(*twice));
    return ticket;
}

SixBalls ticketOf(const std::vector<QByteArrayView>& fields, qint64 line) {
    std::array<int, 6> balls{};
    for (size_t i = 0; i < 6; ++i)
        balls[i] = ballOf(fields[i], line);
    return ticketOf(balls, line);
}

// The fields of one record. Commas and semicolons separate (in a plain line
// runs of them and of blanks do, in CSV each one does); not inside double
// quotes, where a doubled quote stands for one. `open` tells whether the text
// ends inside quotes. At most eight fields are kept: more are wrong anyway.
std::vector<QByteArrayView> splitFields(QByteArrayView text, bool csv, bool& open) {
    std::vector<QByteArrayView> fields;
    open = false;
    qsizetype start = csv ? 0 : -1;
    for (qsizetype i = 0; i <= text.size() && fields.size() < 8; ++i) {
        const char c = i < text.size() ? text[i] : ',';
        if (c == '"')
            open = !open;
        const bool separator =
            i == text.size() || (!open && (c == ',' || c == ';' || (!csv && isBlank(c))));
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

bool isCsvHeader(QByteArrayView line) {
    static const char* const names[] = {"ticket", "b1", "b2", "b3", "b4", "b5", "b6"};
    bool open = false;
    const std::vector<QByteArrayView> fields = splitFields(line, true, open);
    if (fields.size() != 7 || open)
        return false;
    for (size_t i = 0; i < 7; ++i)
        if (unquoted(fields[i]).toByteArray().toLower() != names[i])
            return false;
    return true;
}

// The forms of a file of lines, told by its first line.
enum class LineForm {
    Unknown,
    Csv,   // "ticket,b1,...,b6" and a label with six numbers a line, or those lines alone
    Plain, // six numbers a line
};

class LineReader {
public:
    explicit LineReader(QByteArrayView text) : m_rest(text) {}

    void read(std::vector<SixBalls>& tickets) {
        while (!m_rest.isEmpty()) {
            ++m_line;
            QByteArrayView record = nextLine();
            if (trimmed(record).isEmpty())
                continue;
            if (m_form == LineForm::Unknown) {
                bool open = false;
                if (isCsvHeader(trimmed(record))) {
                    m_form = LineForm::Csv;
                    continue;
                }
                // Seven fields between commas: the program's own CSV without its header.
                m_form = splitFields(trimmed(record), true, open).size() == 7 ? LineForm::Csv
                                                                              : LineForm::Plain;
            }
            if (qint64(tickets.size()) >= kMaxTickets)
                failLine(m_line,
                         QStringLiteral("больше %1 билетов в одном файле").arg(kMaxTickets));
            tickets.push_back(m_form == LineForm::Csv ? csvTicket(record) : plainTicket(record));
        }
    }

private:
    QByteArrayView nextLine() {
        const qsizetype end = m_rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? m_rest : m_rest.first(end);
        m_rest = end < 0 ? QByteArrayView() : m_rest.sliced(end + 1);
        if (line.size() > kMaxTicketLineChars)
            failLine(m_line, QStringLiteral("строка длиннее %1 символов").arg(kMaxTicketLineChars));
        return line;
    }

    // A label and six numbers; a quoted label may go on over the next lines.
    // Each line is scanned once for its quotes, the whole record once for its fields.
    SixBalls csvTicket(QByteArrayView record) {
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
        std::vector<QByteArrayView> fields = splitFields(record, true, open);
        if (fields.size() != 7)
            failLine(first, QStringLiteral("нужно семь полей: номер билета и шесть чисел"));
        fields.erase(fields.begin());
        return ticketOf(fields, first);
    }

    static bool insideQuotesAfter(QByteArrayView text, bool open) {
        return (text.count('"') % 2 == 1) != open;
    }

    // Six numbers; a word among them is named before the count is.
    SixBalls plainTicket(QByteArrayView record) {
        bool open = false;
        const std::vector<QByteArrayView> fields = splitFields(record, false, open);
        for (QByteArrayView field : fields)
            ballOf(field, m_line);
        if (fields.size() != 6)
            failLine(m_line, QStringLiteral("нужно шесть чисел, а найдено %1").arg(fields.size()));
        return ticketOf(fields, m_line);
    }

    QByteArrayView m_rest;
    qint64 m_line = 0;
    LineForm m_form = LineForm::Unknown;
};

// A JSON array of flat objects with the keys b1 .. b6 (and any others, such
// as "ticket", whose values are left alone), as `filter --list --format json`
// and `wheel generate --format json` write it. Read in one pass, without
// building the document.
class JsonReader {
public:
    explicit JsonReader(QByteArrayView text) : m_text(text) {}

    void read(std::vector<SixBalls>& tickets) {
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

    SixBalls object() {
        peek();
        const qint64 first = m_line;
        expect('{', QStringLiteral("ожидался билет «{…}»"));
        std::array<int, 6> balls{};
        if (peek() != '}')
            for (;;) {
                const QByteArray key = string();
                expect(':', QStringLiteral("после имени поля ожидалось «:»"));
                const int index = key.size() == 2 && key[0] == 'b' ? key[1] - '1' : -1;
                if (index >= 0 && index < 6) {
                    if (balls[size_t(index)] != 0)
                        fail(QStringLiteral("поле «%1» дважды").arg(QLatin1String(key)));
                    balls[size_t(index)] = ball(key);
                } else {
                    scalar();
                }
                if (peek() != ',')
                    break;
                ++m_at;
            }
        expect('}', QStringLiteral("ожидалась «,» или «}»"));
        for (size_t i = 0; i < 6; ++i)
            if (balls[i] == 0)
                failLine(first, QStringLiteral("у билета нет поля «b%1»").arg(i + 1));
        return ticketOf(balls, first);
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

    // A whole number 1..49 as a JSON number (or a string holding one).
    int ball(const QByteArray& key) {
        const char first = peek();
        const QByteArrayView value = first == '"' ? QByteArrayView() : token();
        const QByteArray text = first == '"' ? string() : value.toByteArray();
        const int number = ballValue(text);
        if (number == 0)
            fail(QStringLiteral("%1: %2 — не число от 1 до 49")
                     .arg(QLatin1String(key), quoted(text)));
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
    qsizetype m_at = 0;
    qint64 m_line = 1;
};

} // namespace

QString parseTickets(const QByteArray& text, std::vector<SixBalls>* tickets) {
    tickets->clear();
    if (text.size() > kMaxTicketFileBytes)
        return QStringLiteral("Файл билетов больше %1 МиБ").arg(kMaxTicketFileBytes >> 20);
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    const auto first =
        std::find_if(rest.begin(), rest.end(), [](char c) { return !isBlank(c) && c != '\n'; });
    try {
        if (first != rest.end() && *first == '[')
            JsonReader(rest).read(*tickets);
        else
            LineReader(rest).read(*tickets);
    } catch (const LineError& e) {
        tickets->clear(); // nothing of a file with a bad line is taken
        return e.message;
    }
    if (tickets->empty())
        return QStringLiteral("В файле нет ни одного билета");
    return {};
}

QString parseTickets(const QByteArray& text, std::vector<Ticket>* tickets) {
    std::vector<SixBalls> six;
    const QString error = parseTickets(text, &six);
    tickets->assign(six.size(), Ticket());
    for (std::size_t i = 0; i < six.size(); ++i)
        std::copy(six[i].begin(), six[i].end(), (*tickets)[i].begin());
    return error;
}

} // namespace Wheels
