#include "workbook/xls/BiffRecords.h"

#include "workbook/xls/LegacyCodePage.h"

#include <QtEndian>
#include <cstring>

namespace Biff {

namespace {

constexpr qsizetype HeaderSize = 4;

void require(QByteArrayView data, qsizetype at, qsizetype size) {
    if (at < 0 || size > data.size() - at)
        throw ShortRecord();
}

} // namespace

AppError shortRecordError(const Record& record) {
    return AppError(QStringLiteral("запись 0x%1 по смещению %2 короче своих данных")
                        .arg(record.id, 4, 16, QLatin1Char('0'))
                        .arg(record.offset));
}

quint8 u8(QByteArrayView data, qsizetype at) {
    require(data, at, 1);
    return quint8(data[at]);
}

quint16 u16(QByteArrayView data, qsizetype at) {
    require(data, at, 2);
    return qFromLittleEndian<quint16>(data.data() + at);
}

quint32 u32(QByteArrayView data, qsizetype at) {
    require(data, at, 4);
    return qFromLittleEndian<quint32>(data.data() + at);
}

double f64(QByteArrayView data, qsizetype at) {
    require(data, at, 8);
    const quint64 bits = qFromLittleEndian<quint64>(data.data() + at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double rkValue(quint32 rk) {
    double value;
    if (rk & 0x2) {
        value = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return rk & 0x1 ? value / 100 : value;
}

RecordReader::RecordReader(QByteArrayView stream, qsizetype offset)
    : m_stream(stream), m_next(offset) {}

bool RecordReader::next() {
    if (m_next >= m_stream.size())
        return false;
    if (m_stream.size() - m_next < HeaderSize)
        throw AppError(QStringLiteral("поток книги обрывается посреди заголовка записи"));
    const quint16 id = qFromLittleEndian<quint16>(m_stream.data() + m_next);
    const quint16 length = qFromLittleEndian<quint16>(m_stream.data() + m_next + 2);
    const qsizetype begin = m_next + HeaderSize;
    if (length > m_stream.size() - begin)
        throw AppError(QStringLiteral("запись 0x%1 по смещению %2 длиннее остатка потока")
                           .arg(id, 4, 16, QLatin1Char('0'))
                           .arg(m_next));
    m_record = Record{id, m_next, m_stream.sliced(begin, length)};
    m_next = begin + length;
    return true;
}

Cursor RecordReader::continued() {
    Cursor cursor(m_record.data);
    // Look at the following headers without leaving the current record.
    qsizetype at = m_next;
    while (m_stream.size() - at >= HeaderSize &&
           qFromLittleEndian<quint16>(m_stream.data() + at) == Continue) {
        const quint16 length = qFromLittleEndian<quint16>(m_stream.data() + at + 2);
        if (length > m_stream.size() - at - HeaderSize)
            break; // damage that next() reports when it gets there
        cursor.extend(m_stream.sliced(at + HeaderSize, length));
        at += HeaderSize + length;
    }
    m_next = at;
    return cursor;
}

Cursor::Cursor(QByteArrayView data) : m_segments{data}, m_remaining(data.size()) {}

void Cursor::extend(QByteArrayView continuation) {
    m_segments.push_back(continuation);
    m_remaining += continuation.size();
}

bool Cursor::toNextSegment() {
    if (m_segment + 1 >= m_segments.size())
        return false;
    ++m_segment;
    m_pos = 0;
    return true;
}

quint8 Cursor::u8() {
    while (m_pos >= m_segments[m_segment].size()) {
        if (!toNextSegment())
            throw ShortRecord();
    }
    --m_remaining;
    return quint8(m_segments[m_segment][m_pos++]);
}

quint16 Cursor::u16() {
    const quint16 low = u8();
    return quint16(low | (u8() << 8));
}

quint32 Cursor::u32() {
    const quint32 low = u16();
    return low | (quint32(u16()) << 16);
}

void Cursor::skip(quint64 bytes) {
    if (bytes > quint64(m_remaining))
        throw ShortRecord();
    while (bytes > 0) {
        const qsizetype here = m_segments[m_segment].size() - m_pos;
        const qsizetype step = qsizetype(qMin<quint64>(bytes, quint64(here)));
        m_pos += step;
        m_remaining -= step;
        bytes -= quint64(step);
        if (bytes > 0 && !toNextSegment())
            throw ShortRecord();
    }
}

QString Cursor::characters(quint32 count, bool wide) {
    QString text;
    text.reserve(qsizetype(qMin<quint64>(count, quint64(m_remaining))));
    while (count > 0) {
        if (m_pos >= m_segments[m_segment].size()) {
            // Characters that run on into a continuation say their width anew.
            if (!toNextSegment())
                throw ShortRecord();
            wide = u8() & 0x1;
            continue;
        }
        const QByteArrayView here = m_segments[m_segment].sliced(m_pos);
        const qsizetype available = wide ? here.size() / 2 : here.size();
        if (available == 0)
            throw ShortRecord(); // a character cut in two by the record's end
        const qsizetype take = qMin<qsizetype>(count, available);
        if (wide) {
            for (qsizetype i = 0; i < take; ++i)
                text.append(QChar(qFromLittleEndian<quint16>(here.data() + 2 * i)));
        } else {
            text.append(QLatin1String(here.data(), take));
        }
        const qsizetype used = wide ? 2 * take : take;
        m_pos += used;
        m_remaining -= used;
        count -= quint32(take);
    }
    return text;
}

QString Cursor::bytesInCodePage(quint32 count, int codePage) {
    if (count > quint64(m_remaining))
        throw ShortRecord();
    QByteArray bytes;
    bytes.reserve(count);
    for (quint32 i = 0; i < count; ++i)
        bytes.append(char(u8()));
    return LegacyCodePage::decode(bytes, codePage);
}

QString Cursor::string(int countBytes, const TextEncoding& encoding) {
    const quint32 count = countBytes == 1 ? u8() : u16();
    if (!encoding.unicode)
        return bytesInCodePage(count, encoding.codePage);
    const quint8 flags = u8();
    return characters(count, flags & 0x1);
}

QString Cursor::sharedString() {
    const quint32 count = u16();
    const quint8 flags = u8();
    const quint32 runs = flags & 0x8 ? u16() : 0;
    const quint32 phonetic = flags & 0x4 ? u32() : 0;
    QString text = characters(count, flags & 0x1);
    skip(4 * quint64(runs));
    skip(phonetic);
    return text;
}

} // namespace Biff
