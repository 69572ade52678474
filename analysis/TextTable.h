#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace Analysis {

// A table ready to be written out as CSV or JSON.
struct TableCell {
    enum class Kind { Null, Number, Text };
    Kind kind = Kind::Null;
    QString text; // a number already written in its exported form ("12.24")

    static TableCell null() { return {}; }
    static TableCell number(qint64 value);
    static TableCell number(double value, int decimals); // "." as decimal point
    static TableCell string(const QString& text) { return {Kind::Text, text}; }
};

struct TextTable {
    QStringList header;
    std::vector<std::vector<TableCell>> rows; // each as long as the header
};

// Six-number tickets as exported everywhere: ticket,b1,b2,b3,b4,b5,b6, the
// tickets numbered from 1 in the order given; the same text as toCsv and toJson
// of such a table, written directly, since a wheel on 49 numbers can hold
// hundreds of thousands of tickets.
QByteArray ticketsCsv(const std::vector<std::array<int, 6>>& tickets);
QByteArray ticketsJson(const std::vector<std::array<int, 6>>& tickets);

// CSV after RFC 4180: a header line, CRLF line ends, a field holding a comma,
// a double quote, CR or LF quoted with its quotes doubled; an empty cell is an
// empty field. Rows in `order` (indexes into rows) when given, else as stored.
QByteArray toCsv(const TextTable& table, const std::vector<int>& order = {});

// JSON: an array with one object per row, keys as in the header and in its
// order, numbers as numbers, an empty cell as null.
QByteArray toJson(const TextTable& table, const std::vector<int>& order = {});

} // namespace Analysis
