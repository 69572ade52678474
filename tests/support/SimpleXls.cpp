#include "tests/support/SimpleXls.h"

#include "tests/support/LittleEndian.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

void putDouble(QByteArray& out, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    out.append(bytes, 8);
}

void appendRecord(QByteArray& out, quint16 id, const QByteArray& data) {
    put16(out, id);
    put16(out, quint16(data.size()));
    out.append(data);
}

bool allBelow256(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
}

void putCharacters(QByteArray& out, QStringView text, bool wide) {
    for (const QChar c : text) {
        if (wide)
            put16(out, c.unicode());
        else
            out.append(char(c.unicode()));
    }
}

// Windows-1251 for the letters the tests use: ASCII and Russian.
QByteArray cyrillicBytes(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out.append(char(u));
        else if (u >= 0x0410 && u <= 0x044F)
            out.append(char(0xC0 + (u - 0x0410)));
        else if (u == 0x0401)
            out.append(char(0xA8));
        else if (u == 0x0451)
            out.append(char(0xB8));
        else
            out.append('?');
    }
    return out;
}

// Writes data that may run on into CONTINUE records once a record holds the
// most it may. Characters of a BIFF8 string that run on begin the new record
// with a flag byte of their own width.
class ContinuedWriter {
public:
    ContinuedWriter(quint16 id, int maxData) : m_id(id), m_max(maxData) {
        m_records.append(QByteArray());
    }

    void ensureRoom(int bytes) {
        if (room() < bytes)
            m_records.append(QByteArray());
    }
    void bytes(const QByteArray& data) {
        qsizetype at = 0;
        while (at < data.size()) {
            if (room() == 0)
                m_records.append(QByteArray());
            const qsizetype take = qMin<qsizetype>(room(), data.size() - at);
            m_records.last().append(data.mid(at, take));
            at += take;
        }
    }
    // A string: its count, its flags (the width bit added), `header` and its
    // characters; each stretch of characters is compressed when it can be.
    void string(const QString& text, quint8 flags, const QByteArray& header) {
        const int headerSize = 3 + int(header.size());
        ensureRoom(headerSize + 2);
        qsizetype at = 0;
        qsizetype count = stretch(text, at, room() - headerSize);
        bool wide = !allBelow256(QStringView(text).mid(at, count));
        if (wide)
            count = qMin<qsizetype>(count, (room() - headerSize) / 2);
        QByteArray& first = m_records.last();
        put16(first, quint16(text.size()));
        first.append(char(flags | (wide ? 1 : 0)));
        first.append(header);
        putCharacters(first, QStringView(text).mid(at, count), wide);
        at += count;
        while (at < text.size()) {
            m_records.append(QByteArray());
            count = stretch(text, at, room() - 1);
            wide = !allBelow256(QStringView(text).mid(at, count));
            if (wide)
                count = qMin<qsizetype>(count, (room() - 1) / 2);
            m_records.last().append(char(wide ? 1 : 0));
            putCharacters(m_records.last(), QStringView(text).mid(at, count), wide);
            at += count;
        }
    }
    QByteArray records() const {
        QByteArray out;
        for (qsizetype i = 0; i < m_records.size(); ++i)
            appendRecord(out, i == 0 ? m_id : quint16(0x003C), m_records.at(i));
        return out;
    }

private:
    int room() const { return m_max - int(m_records.last().size()); }
    static qsizetype stretch(const QString& text, qsizetype at, int room) {
        return qMin<qsizetype>(text.size() - at, room);
    }
    quint16 m_id;
    int m_max;
    QList<QByteArray> m_records;
};

} // namespace

SimpleXls::SimpleXls(Version version)
    : m_version(version), m_codePage(version == Version::Biff8 ? 1200 : 1251) {}

quint16 SimpleXls::addFormat(const QString& code) {
    const quint16 id = quint16(164 + m_formats.size());
    m_formats.append({id, code});
    return id;
}

quint16 SimpleXls::addStyle(quint16 formatId) {
    m_styles.append(formatId);
    return quint16(m_styles.size()); // XF 0 is the default style
}

quint32 SimpleXls::addSharedString(const QString& text, int richRuns, int phoneticBytes) {
    m_strings.append({text, richRuns, phoneticBytes});
    return quint32(m_strings.size() - 1);
}

void SimpleXls::setSharedStringCounts(quint32 total, quint32 unique) {
    m_countsGiven = true;
    m_total = total;
    m_unique = unique;
}

void SimpleXls::setDimensions(quint32 firstRow, quint32 rowsEnd, quint16 firstColumn,
                              quint16 columnsEnd) {
    m_dimensions.clear();
    if (m_version == Version::Biff8) {
        put32(m_dimensions, firstRow);
        put32(m_dimensions, rowsEnd);
    } else {
        put16(m_dimensions, quint16(firstRow));
        put16(m_dimensions, quint16(rowsEnd));
    }
    put16(m_dimensions, firstColumn);
    put16(m_dimensions, columnsEnd);
    put16(m_dimensions, 0);
}

QByteArray SimpleXls::cell(quint16 row, quint16 column, quint16 style) const {
    QByteArray data;
    put16(data, row);
    put16(data, column);
    put16(data, style);
    return data;
}

QByteArray SimpleXls::text(const QString& value, int countBytes) const {
    QByteArray data;
    if (m_version == Version::Biff5) {
        const QByteArray bytes = cyrillicBytes(value);
        if (countBytes == 1)
            data.append(char(bytes.size()));
        else
            put16(data, quint16(bytes.size()));
        return data + bytes;
    }
    if (countBytes == 1)
        data.append(char(value.size()));
    else
        put16(data, quint16(value.size()));
    const bool wide = !allBelow256(value);
    data.append(char(wide ? 1 : 0));
    putCharacters(data, value, wide);
    return data;
}

void SimpleXls::number(quint16 row, quint16 column, double value, quint16 style) {
    QByteArray data = cell(row, column, style);
    putDouble(data, value);
    appendRecord(m_cells, 0x0203, data);
}

void SimpleXls::rk(quint16 row, quint16 column, quint32 rk, quint16 style) {
    QByteArray data = cell(row, column, style);
    put32(data, rk);
    appendRecord(m_cells, 0x027E, data);
}

void SimpleXls::mulRk(quint16 row, quint16 firstColumn, const QList<quint32>& rks, quint16 style) {
    QByteArray data;
    put16(data, row);
    put16(data, firstColumn);
    for (const quint32 value : rks) {
        put16(data, style);
        put32(data, value);
    }
    put16(data, quint16(firstColumn + rks.size() - 1));
    appendRecord(m_cells, 0x00BD, data);
}

void SimpleXls::labelSst(quint16 row, quint16 column, quint32 index, quint16 style) {
    QByteArray data = cell(row, column, style);
    put32(data, index);
    appendRecord(m_cells, 0x00FD, data);
}

void SimpleXls::label(quint16 row, quint16 column, const QString& value, quint16 style) {
    appendRecord(m_cells, 0x0204, cell(row, column, style) + text(value, 2));
}

void SimpleXls::boolErr(quint16 row, quint16 column, quint8 value, bool isError) {
    QByteArray data = cell(row, column, 0);
    data.append(char(value));
    data.append(char(isError ? 1 : 0));
    appendRecord(m_cells, 0x0205, data);
}

namespace {

// A FORMULA record with its cached result and the formula =1 (ptgInt).
QByteArray formulaRecord(const QByteArray& cellFields, const QByteArray& result) {
    QByteArray data = cellFields + result;
    put16(data, 0);      // flags
    put32(data, 0);      // reserved
    put16(data, 3);      // formula size
    data.append('\x1E'); // ptgInt
    put16(data, 1);
    return data;
}

} // namespace

void SimpleXls::formulaNumber(quint16 row, quint16 column, double value, quint16 style) {
    QByteArray result;
    putDouble(result, value);
    appendRecord(m_cells, 0x0006, formulaRecord(cell(row, column, style), result));
}

void SimpleXls::formulaSpecial(quint16 row, quint16 column, quint8 type, quint8 value) {
    QByteArray result(8, '\0');
    result[0] = char(type);
    result[2] = char(value);
    result[6] = '\xFF';
    result[7] = '\xFF';
    appendRecord(m_cells, 0x0006, formulaRecord(cell(row, column, 0), result));
}

void SimpleXls::formulaText(quint16 row, quint16 column, const QString& value) {
    formulaSpecial(row, column, 0, 0);
    if (m_version == Version::Biff5) {
        appendRecord(m_cells, 0x0207, text(value, 2));
        return;
    }
    ContinuedWriter string(0x0207, m_maxRecordData);
    string.string(value, 0, QByteArray());
    m_cells.append(string.records());
}

void SimpleXls::blank(quint16 row, quint16 column, quint16 style) {
    appendRecord(m_cells, 0x0201, cell(row, column, style));
}

void SimpleXls::mulBlank(quint16 row, quint16 firstColumn, int count, quint16 style) {
    QByteArray data;
    put16(data, row);
    put16(data, firstColumn);
    for (int i = 0; i < count; ++i)
        put16(data, style);
    put16(data, quint16(firstColumn + count - 1));
    appendRecord(m_cells, 0x00BE, data);
}

namespace {

QByteArray bofData(bool biff8, quint16 type) {
    QByteArray data;
    put16(data, biff8 ? 0x0600 : 0x0500);
    put16(data, type);
    put16(data, 0x0DBB); // build
    put16(data, 0x07CC); // year
    if (biff8) {
        put32(data, 0);
        put32(data, 0x0006);
    }
    return data;
}

} // namespace

void SimpleXls::beginEmbeddedChart() {
    appendRecord(m_cells, 0x0809, bofData(m_version == Version::Biff8, 0x0020));
}

void SimpleXls::endEmbeddedChart() {
    appendRecord(m_cells, 0x000A, QByteArray());
}

void SimpleXls::sheetRecord(quint16 id, const QByteArray& data) {
    appendRecord(m_cells, id, data);
}

quint32 SimpleXls::rkInteger(qint32 value, bool times100) {
    return (quint32(value) << 2) | 0x2 | (times100 ? 0x1 : 0);
}

quint32 SimpleXls::rkDouble(double value, bool times100) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (quint32(bits >> 32) & 0xFFFFFFFC) | (times100 ? 0x1 : 0);
}

QByteArray SimpleXls::sharedStringRecords() const {
    ContinuedWriter sst(0x00FC, m_maxRecordData);
    QByteArray counts;
    put32(counts, m_countsGiven ? m_total : quint32(m_strings.size()));
    put32(counts, m_countsGiven ? m_unique : quint32(m_strings.size()));
    sst.bytes(counts);
    for (const SharedString& string : m_strings) {
        QByteArray header;
        quint8 flags = 0;
        if (string.runs > 0) {
            flags |= 0x8;
            put16(header, quint16(string.runs));
        }
        if (string.phonetic > 0) {
            flags |= 0x4;
            put32(header, quint32(string.phonetic));
        }
        sst.string(string.text, flags, header);
        QByteArray tail;
        for (int i = 0; i < string.runs; ++i) {
            put16(tail, quint16(i)); // first character of the run
            put16(tail, 0);          // font
        }
        tail.append(QByteArray(string.phonetic, '\x55'));
        sst.bytes(tail);
    }
    return sst.records();
}

QByteArray SimpleXls::globals(const QList<quint32>& sheetOffsets) const {
    const bool biff8 = m_version == Version::Biff8;
    QByteArray out;
    appendRecord(out, 0x0809, bofData(biff8, 0x0005));
    if (m_encrypted)
        appendRecord(out, 0x002F, QByteArray(54, '\1'));
    QByteArray value;
    put16(value, m_codePage);
    appendRecord(out, 0x0042, value);
    value.clear();
    put16(value, m_date1904 ? 1 : 0);
    appendRecord(out, 0x0022, value);
    for (const auto& [id, code] : m_formats) {
        QByteArray data;
        put16(data, id);
        appendRecord(out, 0x041E, data + text(code, biff8 ? 2 : 1));
    }
    QList<quint16> styles{0};
    styles += m_styles;
    for (const quint16 format : styles) {
        QByteArray data;
        put16(data, 0); // font
        put16(data, format);
        data.append(QByteArray(biff8 ? 16 : 12, '\0'));
        appendRecord(out, 0x00E0, data);
    }
    QList<quint8> types;
    if (m_leadingChart)
        types.append(2);
    types.append(0);
    if (m_trailingSheet)
        types.append(0);
    for (qsizetype i = 0; i < types.size(); ++i) {
        QByteArray data;
        put32(data, sheetOffsets.value(i));
        data.append('\0'); // visible
        data.append(char(types.at(i)));
        appendRecord(out, 0x0085, data + text(QStringLiteral("Лист%1").arg(i + 1), 1));
    }
    if (biff8)
        out.append(sharedStringRecords());
    appendRecord(out, 0x000A, QByteArray());
    return out;
}

QByteArray SimpleXls::worksheet(const QByteArray& cells) const {
    const bool biff8 = m_version == Version::Biff8;
    QByteArray out;
    appendRecord(out, 0x0809, bofData(biff8, 0x0010));
    QByteArray dimensions = m_dimensions;
    if (dimensions.isEmpty())
        dimensions = QByteArray(biff8 ? 14 : 10, '\0');
    appendRecord(out, 0x0200, dimensions);
    out.append(cells);
    appendRecord(out, 0x000A, QByteArray());
    return out;
}

QByteArray SimpleXls::stream() const {
    QList<QByteArray> sheets;
    if (m_leadingChart) {
        QByteArray chart;
        appendRecord(chart, 0x0809, bofData(m_version == Version::Biff8, 0x0020));
        appendRecord(chart, 0x000A, QByteArray());
        sheets.append(chart);
    }
    sheets.append(worksheet(m_cells));
    if (m_trailingSheet) {
        QByteArray other;
        QByteArray data = cell(0, 0, 0);
        putDouble(data, 99);
        appendRecord(other, 0x0203, data);
        sheets.append(worksheet(other));
    }
    // The sheet list's size does not depend on the offsets it holds.
    QList<quint32> offsets(sheets.size(), 0);
    quint32 at = quint32(globals(offsets).size());
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        offsets[i] = at;
        at += quint32(sheets.at(i).size());
    }
    QByteArray out = globals(offsets);
    for (const QByteArray& sheet : sheets)
        out.append(sheet);
    return out;
}

QByteArray SimpleXls::file(int majorVersion) const {
    const QString name =
        m_version == Version::Biff8 ? QStringLiteral("Workbook") : QStringLiteral("Book");
    return writeCompoundFile({{name, stream()}}, majorVersion);
}
