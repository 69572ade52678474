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

TextTable ticketTable(const std::vector<std::array<int, 6>>& tickets) {
    TextTable table;
    table.header = QStringList{QStringLiteral("ticket"), QStringLiteral("b1"), QStringLiteral("b2"),
                               QStringLiteral("b3"),     QStringLiteral("b4"), QStringLiteral("b5"),
                               QStringLiteral("b6")};
    qint64 number = 0;
    for (const std::array<int, 6>& ticket : tickets) {
        std::vector<TableCell> row{TableCell::number(++number)};
        for (const int ball : ticket)
            row.push_back(TableCell::number(qint64(ball)));
        table.rows.push_back(std::move(row));
    }
    return table;
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
