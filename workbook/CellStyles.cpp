#include "workbook/CellStyles.h"

#include "workbook/CellDisplay.h"

namespace CellStyles {

namespace {

bool followsLocale(int id) {
    return id == 14 || id == 22;
}

} // namespace

QList<NumberFormat> numberFormats(const QList<int>& formatIdOfStyle,
                                  const QHash<int, QString>& codes) {
    QHash<int, NumberFormat> formats;
    QList<NumberFormat> styles;
    styles.reserve(formatIdOfStyle.size());
    for (const int id : formatIdOfStyle) {
        auto found = formats.constFind(id);
        if (found == formats.constEnd()) {
            const auto code = codes.constFind(id);
            const NumberFormat format = code == codes.constEnd() || followsLocale(id)
                                            ? NumberFormat::builtIn(id)
                                            : NumberFormat::fromCode(*code);
            found = formats.insert(id, format);
        }
        styles.append(*found);
    }
    return styles;
}

QString cellText(const SheetTable& table, const QList<NumberFormat>& styles, bool date1904, int row,
                 int column) {
    const std::optional<SheetTable::Cell> cell = table.find(row, column);
    if (!cell)
        return QString();
    switch (cell->kind) {
    case SheetTable::Kind::Number:
        return cell->style < quint32(styles.size())
                   ? styles.at(cell->style).display(cell->number, date1904)
                   : CellDisplay::general(cell->number);
    case SheetTable::Kind::Text:
        return table.text(cell->text);
    case SheetTable::Kind::Boolean:
        return CellDisplay::boolean(cell->number != 0);
    case SheetTable::Kind::Formula:
        break;
    }
    return QString();
}

} // namespace CellStyles
