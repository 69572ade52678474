#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

class QIODevice;

// Reads CSV records after RFC 4180 from a device, a piece at a time: fields
// between separators, a field in double quotes holding separators, line
// breaks and doubled quotes. Lenient where files in the wild are: LF, CRLF or
// CR alone ends a line, blanks around a quoted field are dropped, a quote
// inside an unquoted field is a plain character, a UTF-8 byte order mark at
// the start is skipped, and blank lines are no records. Bounded: one record
// takes at most Limits::maxRecordBytes and maxFields, the input at most
// maxTotalBytes; the work is linear in the input.
class CsvReader {
public:
    struct Limits {
        qsizetype maxRecordBytes = 64 * 1024;
        int maxFields = 256;
        qint64 maxTotalBytes = 0; // 0: none
    };
    enum class Result { Record, End, Failed };

    CsvReader(QIODevice& input, char separator, const Limits& limits);

    // The separator a first line uses: the most frequent of ',', ';' and tab
    // outside quotes (the first of them in that order on a tie, ',' when the
    // line has none).
    static char guessSeparator(QByteArrayView firstLine);

    // Reads the next record that is not blank.
    Result next();

    int fieldCount() const { return int(m_ends.size()); }
    // The field's bytes with its quotes taken off and doubled quotes undone.
    QByteArrayView field(int i) const;
    // The line the current record starts on (counted from 1), or where the
    // reading failed.
    qint64 line() const { return m_recordLine; }
    // Why the reading failed, in words for the user (without the line).
    QString error() const { return m_error; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterQuoted };
    bool fill();
    Result fail(const QString& error);
    bool endField();
    void appendPlainRun(char first);
    bool blankRecord() const;

    QIODevice& m_input;
    const char m_separator;
    const Limits m_limits;
    QByteArray m_chunk;
    qsizetype m_pos = 0;
    qint64 m_total = 0;
    bool m_started = false;
    bool m_pendingCr = false; // a CR ended the last line; an LF right after belongs to it
    qint64 m_lineNo = 1;
    qint64 m_recordLine = 1;
    QByteArray m_record;
    std::vector<qsizetype> m_ends;
    qsizetype m_recordBytes = 0;
    bool m_anyQuoted = false;
    QString m_error;
};
