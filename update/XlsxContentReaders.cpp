#include "update/XlsxContentReaders.h"

#include "update/CellDisplay.h"
#include "update/XmlScanner.h"

#include <QDateTime>
#include <charconv>

namespace XlsxContentReaders {

namespace {

constexpr int MaxRow = 1048576;
constexpr int MaxColumn = 16384;

// Parses a whole decimal number; -1 when it is not one.
int wholeNumber(QByteArrayView text) {
    int value = 0;
    const auto result = std::from_chars(text.begin(), text.end(), value);
    return result.ec == std::errc() && result.ptr == text.end() ? value : -1;
}

bool parseDouble(QByteArrayView text, double& value) {
    text = text.trimmed();
    if (text.startsWith('+'))
        text = text.sliced(1);
    const auto result = std::from_chars(text.begin(), text.end(), value);
    return result.ec == std::errc() && result.ptr == text.end();
}

// "BC12" -> column 55, row 12; false unless letters then digits.
bool parseReference(QByteArrayView reference, int& row, int& column) {
    qsizetype i = 0;
    column = 0;
    while (i < reference.size()) {
        const char c = reference.at(i);
        const int letter = c >= 'A' && c <= 'Z' ? c - 'A' : c >= 'a' && c <= 'z' ? c - 'a' : -1;
        if (letter < 0)
            break;
        column = column * 26 + letter + 1;
        if (column > MaxColumn)
            return false;
        ++i;
    }
    row = wholeNumber(reference.sliced(i));
    return i > 0 && row >= 1 && row <= MaxRow;
}

// The text of the <t> elements inside the current element (a shared string item
// or an inline string), skipping phonetic runs.
QString runText(XmlScanner& xml) {
    const QByteArray element = xml.name().toByteArray();
    QByteArray text;
    if (xml.isEmptyElement())
        return QString();
    while (xml.next()) {
        if (xml.isEnd() && xml.name() == element)
            break;
        if (!xml.isStart() || xml.isEmptyElement())
            continue;
        if (xml.name() == "t")
            text += xml.readElementText();
        else if (xml.name() == "rPh")
            xml.skipElement();
    }
    return QString::fromUtf8(text);
}

// An ISO 8601 date or date-time as a serial day number.
bool isoDateSerial(const QByteArray& text, bool date1904, double& value) {
    QDateTime moment = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
    if (!moment.isValid())
        moment = QDateTime(QDate::fromString(QString::fromLatin1(text), Qt::ISODate), QTime(0, 0));
    if (!moment.isValid())
        return false;
    value = CellDisplay::dateTimeToSerial(moment, date1904);
    return true;
}

// Fills the value of a cell from the text of its <v> element, by its type.
bool setValue(SheetTable& table, SheetTable::Cell& cell, QByteArrayView type,
              const QByteArray& value, bool date1904) {
    if (type.isEmpty() || type == "n") {
        cell.kind = SheetTable::Kind::Number;
        return parseDouble(value, cell.number);
    }
    if (type == "s") {
        const int index = wholeNumber(QByteArrayView(value).trimmed());
        cell.kind = SheetTable::Kind::Text;
        cell.text = index >= 0 && index < table.sharedStringCount() ? index : -1;
        return true;
    }
    if (type == "b") {
        cell.kind = SheetTable::Kind::Boolean;
        cell.number = QByteArrayView(value).trimmed() == "1" ? 1 : 0;
        return true;
    }
    if (type == "d") {
        cell.kind = SheetTable::Kind::Number;
        return isoDateSerial(value.trimmed(), date1904, cell.number);
    }
    // "str" (a formula's text), "e" (an error value) and anything unknown: the text itself.
    cell.kind = SheetTable::Kind::Text;
    cell.text = table.addText(QString::fromUtf8(value));
    return true;
}

// Reads the children of a <c> element; false when the cell holds nothing.
bool readCellContent(XmlScanner& xml, SheetTable& table, SheetTable::Cell& cell,
                     QByteArrayView type, bool date1904) {
    bool hasValue = false;
    bool hasFormula = false;
    while (xml.next()) {
        if (xml.isEnd()) {
            if (xml.name() == "c")
                break;
            continue;
        }
        if (xml.name() == "v") {
            hasValue = setValue(table, cell, type, xml.readElementText(), date1904);
        } else if (xml.name() == "is") {
            cell.kind = SheetTable::Kind::Text;
            cell.text = table.addText(runText(xml));
            hasValue = true;
        } else {
            hasFormula = hasFormula || xml.name() == "f";
            xml.skipElement();
        }
    }
    if (!hasValue && hasFormula)
        cell.kind = SheetTable::Kind::Formula;
    return hasValue || hasFormula;
}

} // namespace

QList<QString> readSharedStrings(const QByteArray& data) {
    QList<QString> strings;
    XmlScanner xml(data);
    while (xml.next()) {
        if (xml.isStart() && xml.name() == "si")
            strings.append(runText(xml));
    }
    return strings;
}

void readSheet(const QByteArray& data, SheetTable& table, bool date1904) {
    XmlScanner xml(data);
    bool inSheetData = false;
    int row = 0;
    int nextColumn = 1;
    while (xml.next()) {
        const QByteArrayView name = xml.name();
        if (name == "sheetData") {
            if (xml.isEnd())
                break;
            inSheetData = !xml.isEmptyElement();
            continue;
        }
        if (!inSheetData || !xml.isStart())
            continue;
        if (name == "row") {
            const int number = wholeNumber(xml.attribute("r"));
            row = number >= 1 && number <= MaxRow ? number : row + 1;
            nextColumn = 1;
        } else if (name == "c") {
            SheetTable::Cell cell;
            const QByteArrayView reference = xml.attribute("r");
            if (reference.isNull() || !parseReference(reference, cell.row, cell.column)) {
                cell.row = row;
                cell.column = nextColumn;
            }
            nextColumn = cell.column + 1;
            const int style = wholeNumber(xml.attribute("s"));
            cell.style = style > 0 ? quint32(style) : 0;
            const QByteArrayView type = xml.attribute("t");
            if (!xml.isEmptyElement() && cell.row >= 1 && cell.column >= 1 &&
                readCellContent(xml, table, cell, type, date1904))
                table.addCell(cell);
        }
    }
    table.finish();
}

} // namespace XlsxContentReaders
