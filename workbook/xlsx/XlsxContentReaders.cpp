#include "workbook/xlsx/XlsxContentReaders.h"

#include "runtime/AppError.h"
#include "workbook/CellDisplay.h"
#include "workbook/xlsx/XmlScanner.h"

#include <QDateTime>
#include <charconv>
#include <climits>
#include <cstring>

namespace XlsxContentReaders {

namespace {

// Whether a tag or attribute name is the given one.
template <qsizetype N> bool is(QByteArrayView name, const char (&literal)[N]) {
    return name.size() == N - 1 && std::memcmp(name.data(), literal, N - 1) == 0;
}

constexpr int MaxRow = SheetTable::MaxRow;
constexpr int MaxColumn = SheetTable::MaxColumn;

// The value of a text of decimal digits only: -1 for anything else, and
// INT_MAX for more than an int holds.
int digitsValue(QByteArrayView text) {
    if (text.isEmpty())
        return -1;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        if (value < INT_MAX)
            value = value * 10 + (c - '0');
    }
    return int(qMin<qint64>(value, INT_MAX));
}

bool parseDouble(QByteArrayView text, double& value) {
    text = text.trimmed();
    if (text.startsWith('+'))
        text = text.sliced(1);
    const auto result = std::from_chars(text.begin(), text.end(), value);
    return result.ec == std::errc() && result.ptr == text.end();
}

[[noreturn]] void throwRowBeyondSheet(QByteArrayView row) {
    throw AppError(QStringLiteral("Книга повреждена: строка %1 за пределами листа (строк не "
                                  "больше 1 048 576)")
                       .arg(QString::fromLatin1(row.first(qMin(row.size(), qsizetype(20))))));
}

[[noreturn]] void throwColumnBeyondSheet(int row) {
    throw AppError(QStringLiteral("Книга повреждена: ячейка строки %1 за пределами листа "
                                  "(столбцов не больше 16 384, до XFD)")
                       .arg(row));
}

// The row a <row> element stands for: its own number, or the one after the
// previous row when it has none.
int rowNumber(QByteArrayView attribute, int previous) {
    const int number = digitsValue(attribute);
    if (number > MaxRow)
        throwRowBeyondSheet(attribute);
    if (number >= 1)
        return number;
    if (previous >= MaxRow)
        throwRowBeyondSheet(QByteArray::number(qint64(previous) + 1));
    return previous + 1;
}

// "BC12" -> column 55, row 12; false unless letters then digits. A reference
// beyond the sheet's last column or row is thrown.
bool parseReference(QByteArrayView reference, int& row, int& column) {
    qsizetype i = 0;
    column = 0;
    while (i < reference.size()) {
        const char c = reference.at(i);
        const int letter = c >= 'A' && c <= 'Z' ? c - 'A' : c >= 'a' && c <= 'z' ? c - 'a' : -1;
        if (letter < 0)
            break;
        column = column * 26 + letter + 1;
        ++i;
        if (column > MaxColumn)
            throwColumnBeyondSheet(qMax(digitsValue(reference.sliced(i)), 0));
    }
    row = digitsValue(reference.sliced(i));
    if (i == 0 || row < 0)
        return false;
    if (row > MaxRow)
        throwRowBeyondSheet(reference.sliced(i));
    return row >= 1;
}

// The text of the <t> elements inside the current element (a shared string item
// or an inline string), skipping phonetic runs.
QByteArray runText(XmlScanner& xml) {
    QByteArray text;
    if (xml.isEmptyElement())
        return text;
    const QByteArray element = xml.name().toByteArray();
    while (xml.next()) {
        if (xml.isEnd() && xml.name() == element)
            break;
        if (!xml.isStart() || xml.isEmptyElement())
            continue;
        if (is(xml.name(), "t")) {
            text += xml.readElementText();
            if (text.size() > XmlScanner::MaxTextBytes)
                throw AppError(QStringLiteral("Книга повреждена: текст ячейки длиннее %1 МБ")
                                   .arg(XmlScanner::MaxTextBytes >> 20));
        } else if (is(xml.name(), "rPh")) {
            xml.skipElement();
        }
    }
    return text;
}

// An ISO 8601 date or date-time as a serial day number.
bool isoDateSerial(QByteArrayView text, bool date1904, double& value) {
    const QString iso = QString::fromLatin1(text.trimmed());
    QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (!moment.isValid())
        moment = QDateTime(QDate::fromString(iso, Qt::ISODate), QTime(0, 0));
    if (!moment.isValid())
        return false;
    value = CellDisplay::dateTimeToSerial(moment, date1904);
    return true;
}

// What the t attribute of a cell says its <v> holds.
enum class ValueType { Number, SharedString, Boolean, IsoDate, OwnText };

ValueType valueType(QByteArrayView type) {
    if (type.isEmpty() || is(type, "n"))
        return ValueType::Number;
    if (is(type, "s"))
        return ValueType::SharedString;
    if (is(type, "b"))
        return ValueType::Boolean;
    if (is(type, "d"))
        return ValueType::IsoDate;
    // "str" (a formula's text), "e" (an error value) and anything unknown: the text itself.
    return ValueType::OwnText;
}

// Fills the value of a cell from the text of its <v> element, by its type.
bool setValue(SheetTable& table, SheetTable::Cell& cell, ValueType type, QByteArrayView value,
              bool date1904) {
    switch (type) {
    case ValueType::Number:
        cell.kind = SheetTable::Kind::Number;
        return parseDouble(value, cell.number);
    case ValueType::SharedString: {
        const int index = digitsValue(value.trimmed());
        cell.kind = SheetTable::Kind::Text;
        cell.text = index >= 0 && index < table.sharedStringCount() ? index : -1;
        return true;
    }
    case ValueType::Boolean:
        cell.kind = SheetTable::Kind::Boolean;
        cell.number = value.trimmed() == "1" ? 1 : 0;
        return true;
    case ValueType::IsoDate:
        cell.kind = SheetTable::Kind::Number;
        return isoDateSerial(value, date1904, cell.number);
    case ValueType::OwnText:
        break;
    }
    cell.kind = SheetTable::Kind::Text;
    cell.text = table.addUtf8Text(value);
    return true;
}

// Reads the children of a <c> element; false when the cell holds nothing.
bool readCellContent(XmlScanner& xml, SheetTable& table, SheetTable::Cell& cell, ValueType type,
                     bool date1904) {
    bool hasValue = false;
    bool hasFormula = false;
    while (xml.next()) {
        if (xml.isEnd()) {
            if (is(xml.name(), "c"))
                break;
            continue;
        }
        if (is(xml.name(), "v")) {
            hasValue = setValue(table, cell, type, xml.readElementText(), date1904);
        } else if (is(xml.name(), "is")) {
            cell.kind = SheetTable::Kind::Text;
            cell.text = table.addUtf8Text(runText(xml));
            hasValue = true;
        } else {
            hasFormula = hasFormula || is(xml.name(), "f");
            xml.skipElement();
        }
    }
    if (!hasValue && hasFormula)
        cell.kind = SheetTable::Kind::Formula;
    return hasValue || hasFormula;
}

// The attributes of a <c> tag that the reader uses, found in one pass.
struct CellAttributes {
    QByteArrayView reference; // r
    QByteArrayView style;     // s
    QByteArrayView type;      // t
};

CellAttributes cellAttributes(const XmlScanner& xml) {
    CellAttributes found;
    qsizetype at = 0;
    QByteArrayView name;
    QByteArrayView value;
    while (xml.nextAttribute(at, name, value)) {
        if (is(name, "r"))
            found.reference = value;
        else if (is(name, "s"))
            found.style = value;
        else if (is(name, "t"))
            found.type = value;
    }
    return found;
}

} // namespace

void readSharedStrings(XmlScanner& xml, SheetTable& table) {
    while (xml.next()) {
        if (xml.isStart() && is(xml.name(), "si"))
            table.addUtf8Text(runText(xml));
    }
    table.endSharedStrings();
}

void readSheet(XmlScanner& xml, SheetTable& table, bool date1904) {
    bool inSheetData = false;
    int row = 0;
    int nextColumn = 1;
    while (xml.next()) {
        const QByteArrayView name = xml.name();
        if (is(name, "sheetData")) {
            if (xml.isEnd())
                break;
            inSheetData = !xml.isEmptyElement();
            continue;
        }
        if (!inSheetData || !xml.isStart())
            continue;
        if (is(name, "row")) {
            row = rowNumber(xml.attribute("r"), row);
            nextColumn = 1;
        } else if (is(name, "c")) {
            const CellAttributes attributes = cellAttributes(xml);
            SheetTable::Cell cell;
            if (attributes.reference.isNull() ||
                !parseReference(attributes.reference, cell.row, cell.column)) {
                if (nextColumn > MaxColumn)
                    throwColumnBeyondSheet(row);
                cell.row = row;
                cell.column = nextColumn;
            }
            nextColumn = cell.column + 1;
            const int style = digitsValue(attributes.style);
            cell.style = style > 0 ? quint32(style) : 0;
            // The attributes are views into the scanner's buffer: all are taken by now.
            if (!xml.isEmptyElement() && cell.row >= 1 &&
                readCellContent(xml, table, cell, valueType(attributes.type), date1904))
                table.addCell(cell);
        }
    }
    table.finish();
}

} // namespace XlsxContentReaders
