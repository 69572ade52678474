#include "workbook/xls/XlsSheetReader.h"

#include "runtime/AppError.h"

#include <array>
#include <cmath>
#include <optional>

using namespace Biff;

namespace {

constexpr quint16 MaxColumns = 256;
constexpr quint32 MaxRowsBiff8 = 65536;
constexpr quint32 MaxRowsBiff5 = 16384;
// FORMULA: the cached result is no number when its last two bytes are 0xFFFF;
// its first byte then tells what it is.
constexpr quint16 SpecialResult = 0xFFFF;
enum FormulaResult : quint8 {
    StringResult = 0,
    BooleanResult = 1,
    ErrorResult = 2,
    EmptyResult = 3
};

QString errorText(quint8 code) {
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2B:
        return QStringLiteral("#GETTING_DATA");
    default:
        return QStringLiteral("#N/A");
    }
}

bool isCell(quint16 id) {
    switch (id) {
    case Number:
    case Rk:
    case MulRk:
    case LabelSst:
    case Label:
    case RichString:
    case BoolErr:
    case Formula:
    case Blank:
    case MulBlank:
        return true;
    default:
        return false;
    }
}

class SheetReader {
public:
    SheetReader(const TextEncoding& encoding, SheetTable& table)
        : m_encoding(encoding), m_table(table),
          m_maxRows(encoding.unicode ? MaxRowsBiff8 : MaxRowsBiff5) {
        m_errorTexts.fill(-1);
    }

    void read(RecordReader& records);

private:
    // The cell a record's first six bytes name (row, column, style);
    // nullopt beyond the format's limits.
    std::optional<SheetTable::Cell> cellAt(QByteArrayView data, qsizetype at = 0) const;
    void addCell(const Record& record);
    void addNumber(SheetTable::Cell cell, double value);
    void addError(SheetTable::Cell cell, quint8 code);
    void addFormula(QByteArrayView data);
    void addMulRk(QByteArrayView data);
    void addLabelSst(QByteArrayView data);
    void addLabel(QByteArrayView data);
    void addBoolErr(QByteArrayView data);
    void resolvePendingString(const QString* text);

    const TextEncoding m_encoding;
    SheetTable& m_table;
    const quint32 m_maxRows;
    std::array<qint32, 256> m_errorTexts; // pool entries of the error values met
    // A formula whose text result is in the STRING record that follows it.
    std::optional<SheetTable::Cell> m_pendingString;
};

std::optional<SheetTable::Cell> SheetReader::cellAt(QByteArrayView data, qsizetype at) const {
    const quint16 row = u16(data, at);
    const quint16 column = u16(data, at + 2);
    const quint16 style = u16(data, at + 4);
    if (row >= m_maxRows || column >= MaxColumns)
        return std::nullopt;
    SheetTable::Cell cell;
    cell.row = qint32(row) + 1;
    cell.column = qint32(column) + 1;
    cell.style = style;
    return cell;
}

void SheetReader::addNumber(SheetTable::Cell cell, double value) {
    // An infinity or NaN is no number a spreadsheet can hold.
    if (!std::isfinite(value)) {
        addError(cell, 0x24);
        return;
    }
    cell.kind = SheetTable::Kind::Number;
    cell.number = value;
    m_table.addCell(cell);
}

void SheetReader::addError(SheetTable::Cell cell, quint8 code) {
    qint32& text = m_errorTexts[code];
    if (text < 0)
        text = m_table.addText(errorText(code));
    cell.kind = SheetTable::Kind::Text;
    cell.text = text;
    m_table.addCell(cell);
}

void SheetReader::addFormula(QByteArrayView data) {
    std::optional<SheetTable::Cell> cell = cellAt(data);
    const bool special = u16(data, 12) == SpecialResult;
    if (!cell)
        return;
    if (!special) {
        addNumber(*cell, f64(data, 6));
        return;
    }
    switch (u8(data, 6)) {
    case StringResult:
        m_pendingString = cell;
        return;
    case BooleanResult:
        cell->kind = SheetTable::Kind::Boolean;
        cell->number = u8(data, 8) != 0 ? 1 : 0;
        m_table.addCell(*cell);
        return;
    case ErrorResult:
        addError(*cell, u8(data, 8));
        return;
    case EmptyResult:
    default:
        // Shows nothing, yet the cell is in use.
        cell->kind = SheetTable::Kind::Formula;
        m_table.addCell(*cell);
        return;
    }
}

void SheetReader::addMulRk(QByteArrayView data) {
    // Row, first column, then (style, RK value) pairs, then the last column.
    constexpr qsizetype PairSize = 6;
    const qsizetype pairs = (data.size() - 6) / PairSize;
    if (pairs < 1)
        throw ShortRecord();
    const quint16 row = u16(data, 0);
    const quint16 first = u16(data, 2);
    for (qsizetype i = 0; i < pairs; ++i) {
        const qsizetype at = 4 + i * PairSize;
        if (row >= m_maxRows || first + i >= MaxColumns)
            break;
        SheetTable::Cell cell;
        cell.row = qint32(row) + 1;
        cell.column = qint32(first + i) + 1;
        cell.style = u16(data, at);
        addNumber(cell, rkValue(u32(data, at + 2)));
    }
}

void SheetReader::addLabelSst(QByteArrayView data) {
    std::optional<SheetTable::Cell> cell = cellAt(data);
    const quint32 index = u32(data, 6);
    if (index >= quint32(m_table.sharedStringCount()))
        throw AppError(QStringLiteral("ячейка ссылается на строку %1, а в таблице строк их %2")
                           .arg(index)
                           .arg(m_table.sharedStringCount()));
    if (!cell)
        return;
    cell->kind = SheetTable::Kind::Text;
    cell->text = qint32(index);
    m_table.addCell(*cell);
}

void SheetReader::addLabel(QByteArrayView data) {
    std::optional<SheetTable::Cell> cell = cellAt(data);
    Cursor text(data);
    text.skip(6);
    const QString value = text.string(2, m_encoding);
    if (!cell)
        return;
    cell->kind = SheetTable::Kind::Text;
    cell->text = m_table.addText(value);
    m_table.addCell(*cell);
}

void SheetReader::addBoolErr(QByteArrayView data) {
    std::optional<SheetTable::Cell> cell = cellAt(data);
    const quint8 value = u8(data, 6);
    const bool error = u8(data, 7) != 0;
    if (!cell)
        return;
    if (error) {
        addError(*cell, value);
        return;
    }
    cell->kind = SheetTable::Kind::Boolean;
    cell->number = value != 0 ? 1 : 0;
    m_table.addCell(*cell);
}

void SheetReader::addCell(const Record& record) {
    const QByteArrayView data = record.data;
    switch (record.id) {
    case Number:
        if (const auto cell = cellAt(data))
            addNumber(*cell, f64(data, 6));
        break;
    case Rk:
        if (const auto cell = cellAt(data))
            addNumber(*cell, rkValue(u32(data, 6)));
        break;
    case MulRk:
        addMulRk(data);
        break;
    case LabelSst:
        addLabelSst(data);
        break;
    case Label:
    case RichString:
        addLabel(data);
        break;
    case BoolErr:
        addBoolErr(data);
        break;
    case Formula:
        addFormula(data);
        break;
    default:
        break; // BLANK and MULBLANK: formatting alone
    }
}

void SheetReader::resolvePendingString(const QString* text) {
    if (!m_pendingString)
        return;
    SheetTable::Cell cell = *m_pendingString;
    m_pendingString.reset();
    if (text) {
        cell.kind = SheetTable::Kind::Text;
        cell.text = m_table.addText(*text);
    } else {
        cell.kind = SheetTable::Kind::Formula; // its text never came
    }
    m_table.addCell(cell);
}

void SheetReader::read(RecordReader& records) {
    if (!records.next() || records.record().id != Bof ||
        u16(records.record().data, 2) != WorksheetSubstream)
        throw AppError(QStringLiteral("лист не начинается там, где указано в книге"));
    // Charts embedded in the sheet bring substreams of their own.
    int depth = 1;
    while (depth > 0 && records.next()) {
        const Record& record = records.record();
        if (record.id == Bof) {
            ++depth;
            continue;
        }
        if (record.id == Eof) {
            --depth;
            continue;
        }
        if (depth > 1)
            continue;
        if (record.id == String) {
            const QString text = records.continued().string(2, m_encoding);
            resolvePendingString(&text);
        } else if (isCell(record.id)) {
            // A formula's text comes before any other cell.
            resolvePendingString(nullptr);
            addCell(record);
        }
    }
    resolvePendingString(nullptr);
}

} // namespace

void readXlsSheet(QByteArrayView stream, quint32 offset, const TextEncoding& encoding,
                  SheetTable& table) {
    if (offset >= quint64(stream.size()))
        throw AppError(QStringLiteral("лист указан за концом потока книги"));
    RecordReader records(stream, qsizetype(offset));
    try {
        SheetReader(encoding, table).read(records);
    } catch (const ShortRecord&) {
        throw shortRecordError(records.record());
    }
    table.finish();
}
