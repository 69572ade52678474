#include "analysis/TextTable.h"

#include "runtime/TableText.h"

namespace Analysis {

namespace {

void appendCsvField(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    TableText::appendCsvField(out, utf8.constData(), size_t(utf8.size()));
}

void appendJsonString(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    TableText::appendJsonString(out, utf8.constData(), size_t(utf8.size()));
}

// Calls f(row) for the rows in the order asked for.
template <typename F>
void forEachRow(const TextTable& table, const std::vector<int>& order, F&& f) {
    if (order.empty()) {
        for (const auto& row : table.rows)
            f(row);
        return;
    }
    for (const int index : order)
        f(table.rows.at(size_t(index)));
}

} // namespace

TableCell TableCell::number(qint64 value) {
    return {Kind::Number, QString::number(value)};
}

TableCell TableCell::number(double value, int decimals) {
    return {Kind::Number, QString::number(value, 'f', decimals)};
}

namespace {

const char* const kTicketColumns[] = {"ticket", "b1", "b2", "b3", "b4", "b5", "b6"};

} // namespace

QByteArray ticketsCsv(const std::vector<std::array<int, 6>>& tickets) {
    QByteArray out = "ticket,b1,b2,b3,b4,b5,b6\r\n";
    out.reserve(out.size() + qsizetype(tickets.size()) * 24);
    qint64 number = 0;
    for (const std::array<int, 6>& ticket : tickets) {
        out += QByteArray::number(++number);
        for (const int ball : ticket)
            out += ',' + QByteArray::number(ball);
        out += "\r\n";
    }
    return out;
}

QByteArray ticketsJson(const std::vector<std::array<int, 6>>& tickets) {
    QByteArray out = "[";
    qint64 number = 0;
    for (const std::array<int, 6>& ticket : tickets) {
        out += number == 0 ? "\n  {" : ",\n  {";
        out += QByteArray("\"") + kTicketColumns[0] + "\": " + QByteArray::number(++number);
        for (std::size_t i = 0; i < ticket.size(); ++i)
            out +=
                QByteArray(", \"") + kTicketColumns[i + 1] + "\": " + QByteArray::number(ticket[i]);
        out += '}';
    }
    out += tickets.empty() ? "]\n" : "\n]\n";
    return out;
}

QByteArray toCsv(const TextTable& table, const std::vector<int>& order) {
    QByteArray out;
    const auto line = [&out](const auto& cells, const auto& text) {
        bool first = true;
        for (const auto& cell : cells) {
            if (!first)
                out += ',';
            first = false;
            appendCsvField(out, text(cell));
        }
        out += "\r\n";
    };
    line(table.header, [](const QString& name) { return name; });
    forEachRow(table, order, [&](const std::vector<TableCell>& row) {
        line(row, [](const TableCell& cell) { return cell.text; });
    });
    return out;
}

QByteArray toJson(const TextTable& table, const std::vector<int>& order) {
    QByteArray out = "[";
    bool firstRow = true;
    forEachRow(table, order, [&](const std::vector<TableCell>& row) {
        out += firstRow ? "\n  {" : ",\n  {";
        firstRow = false;
        for (size_t i = 0; i < row.size() && i < size_t(table.header.size()); ++i) {
            if (i > 0)
                out += ", ";
            appendJsonString(out, table.header.at(qsizetype(i)));
            out += ": ";
            const TableCell& cell = row[i];
            switch (cell.kind) {
            case TableCell::Kind::Null:
                out += "null";
                break;
            case TableCell::Kind::Number:
                out += cell.text.toLatin1();
                break;
            case TableCell::Kind::Text:
                appendJsonString(out, cell.text);
                break;
            }
        }
        out += '}';
    });
    out += firstRow ? "]\n" : "\n]\n";
    return out;
}

} // namespace Analysis
