#pragma once

#include "runtime/AppError.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

// The record layer of a legacy workbook stream (BIFF5/7 and BIFF8): records
// of a two-byte id, a two-byte length and that many bytes, and the fields
// inside them. Every length and offset is checked before it is used: running
// past the end of the stream throws an AppError carrying the reason alone (the
// caller names the file), past the end of a record a ShortRecord.
namespace Biff {

enum RecordId : quint16 {
    Eof = 0x000A,
    Formula = 0x0006,
    Date1904 = 0x0022,
    FilePass = 0x002F,
    Continue = 0x003C,
    CodePage = 0x0042,
    BoundSheet = 0x0085,
    MulRk = 0x00BD,
    MulBlank = 0x00BE,
    RichString = 0x00D6,
    ExtendedFormat = 0x00E0,
    SharedStrings = 0x00FC,
    LabelSst = 0x00FD,
    Blank = 0x0201,
    Number = 0x0203,
    Label = 0x0204,
    BoolErr = 0x0205,
    String = 0x0207,
    Rk = 0x027E,
    Format = 0x041E,
    Bof = 0x0809,
};

// The BOF record's version field and the kinds of substream it opens.
constexpr quint16 Biff8Version = 0x0600;
constexpr quint16 Biff5Version = 0x0500;
constexpr quint16 GlobalsSubstream = 0x0005;
constexpr quint16 WorksheetSubstream = 0x0010;

// How a workbook stores text: BIFF8 in UTF-16 (or its compressed 8-bit form
// for characters below 256), BIFF5/7 in the workbook's 8-bit code page.
struct TextEncoding {
    bool unicode = true;
    int codePage = 1252;
};

// Thrown by the field readers below when a record ends before its fields; the
// readers of the substreams turn it into shortRecordError() of that record.
struct ShortRecord {};

// Fixed fields of one record, little-endian, checked against its length.
quint8 u8(QByteArrayView data, qsizetype at);
quint16 u16(QByteArrayView data, qsizetype at);
quint32 u32(QByteArrayView data, qsizetype at);
double f64(QByteArrayView data, qsizetype at);

// The value of an RK number: a 30-bit integer or the high 30 bits of a
// double, possibly divided by 100.
double rkValue(quint32 rk);

struct Record {
    quint16 id = 0;
    qsizetype offset = 0; // of the record's header in the stream
    QByteArrayView data;
};

// The AppError for a record that ended before its fields.
AppError shortRecordError(const Record& record);

class Cursor;

// The records of a stream in order from an offset.
class RecordReader {
public:
    RecordReader(QByteArrayView stream, qsizetype offset);
    // Moves to the next record; false at the end of the stream.
    bool next();
    const Record& record() const { return m_record; }
    // The current record's data with that of the CONTINUE records that follow
    // it (which are consumed).
    Cursor continued();

private:
    QByteArrayView m_stream;
    qsizetype m_next = 0;
    Record m_record;
};

// Reads the fields of a record, and of the CONTINUE records that extend it, in
// order. Numbers run on across a continuation; the characters of a BIFF8
// string that run on begin with a fresh flag byte telling their width.
class Cursor {
public:
    explicit Cursor(QByteArrayView data);
    void extend(QByteArrayView continuation);

    quint8 u8();
    quint16 u16();
    quint32 u32();
    void skip(quint64 bytes);
    bool atEnd() const { return m_remaining == 0; }
    // Bytes left in this record and its continuations.
    qsizetype remaining() const { return m_remaining; }

    // A string whose character count takes `countBytes` (1 or 2) bytes: BIFF8
    // XLUnicodeString and ShortXLUnicodeString, or BIFF5 byte strings.
    QString string(int countBytes, const TextEncoding& encoding);
    // An entry of the BIFF8 shared string table: its rich text runs and
    // phonetic data are skipped.
    QString sharedString();

private:
    bool toNextSegment();
    QString characters(quint32 count, bool wide);
    QString bytesInCodePage(quint32 count, int codePage);

    std::vector<QByteArrayView> m_segments;
    size_t m_segment = 0;
    qsizetype m_pos = 0;
    qsizetype m_remaining = 0;
};

} // namespace Biff
