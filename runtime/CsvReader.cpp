#include "runtime/CsvReader.h"

#include <QIODevice>
#include <algorithm>

namespace {
constexpr qint64 kChunkBytes = 64 * 1024;
} // namespace

CsvReader::CsvReader(QIODevice& input, char separator, const Limits& limits)
    : m_input(input), m_separator(separator), m_limits(limits) {}

char CsvReader::guessSeparator(QByteArrayView firstLine) {
    qsizetype commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const char c : firstLine) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';', tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs)
        return ';';
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return ',';
}

QByteArrayView CsvReader::field(int i) const {
    const qsizetype start = i == 0 ? 0 : m_ends[size_t(i) - 1];
    return QByteArrayView(m_record).sliced(start, m_ends[size_t(i)] - start);
}

bool CsvReader::fill() {
    // A piece of at most 64 KiB, no larger than what a file has left.
    const qint64 piece = std::clamp<qint64>(m_input.bytesAvailable(), qint64(4096), kChunkBytes);
    m_chunk.resize(qsizetype(piece));
    const qint64 got = m_input.read(m_chunk.data(), piece);
    m_chunk.resize(got > 0 ? qsizetype(got) : 0);
    m_pos = 0;
    if (got < 0) {
        m_error = QStringLiteral("файл не читается (%1)").arg(m_input.errorString());
        return false;
    }
    m_total += got;
    if (m_limits.maxTotalBytes > 0 && m_total > m_limits.maxTotalBytes) {
        m_error = QStringLiteral("файл больше %1 МиБ").arg(m_limits.maxTotalBytes >> 20);
        return false;
    }
    if (!m_started && got > 0) {
        m_started = true;
        if (m_chunk.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }
    return true;
}

CsvReader::Result CsvReader::fail(const QString& error) {
    m_error = error;
    m_chunk.clear();
    m_pos = 0;
    return Result::Failed;
}

bool CsvReader::endField() {
    m_ends.push_back(m_record.size());
    return int(m_ends.size()) <= m_limits.maxFields;
}

void CsvReader::appendPlainRun(char first) {
    // The rest of an unquoted field up to its end, or to what the record may
    // still take, at once: the common case, and the costly one byte by byte.
    const qsizetype room = m_limits.maxRecordBytes - m_recordBytes;
    const qsizetype limit = std::min(m_chunk.size(), m_pos + std::max<qsizetype>(room, 0));
    qsizetype end = m_pos;
    while (end < limit) {
        const char c = m_chunk[end];
        if (c == m_separator || c == '\n' || c == '\r')
            break;
        ++end;
    }
    m_record.append(first);
    m_record.append(m_chunk.constData() + m_pos, end - m_pos);
    m_recordBytes += end - m_pos;
    m_pos = end;
}

bool CsvReader::blankRecord() const {
    if (m_anyQuoted || m_ends.size() != 1)
        return false;
    for (const char c : m_record)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

CsvReader::Result CsvReader::next() {
    if (!m_error.isEmpty())
        return Result::Failed;
    for (;;) {
        m_record.resize(0); // keeps its room for the next record
        m_ends.clear();
        m_recordBytes = 0;
        m_anyQuoted = false;
        m_recordLine = m_lineNo;
        State state = State::FieldStart;
        bool any = false; // the record has begun
        bool ended = false;
        while (!ended) {
            if (m_pos >= m_chunk.size()) {
                if (!fill())
                    return fail(m_error);
                if (m_chunk.isEmpty())
                    break; // the end of the input
                if (m_pos >= m_chunk.size())
                    continue;
            }
            const char c = m_chunk[m_pos++];
            if (m_pendingCr) {
                m_pendingCr = false;
                if (c == '\n')
                    continue;
            }
            if (++m_recordBytes > m_limits.maxRecordBytes)
                return fail(QStringLiteral("строка длиннее %1 байт").arg(m_limits.maxRecordBytes));
            const bool lineEnd = c == '\n' || c == '\r';
            if (lineEnd && state != State::Quoted) {
                m_pendingCr = c == '\r';
                ++m_lineNo;
                if (!any) { // a blank line
                    m_recordBytes = 0;
                    m_recordLine = m_lineNo;
                    continue;
                }
                ended = true;
                break;
            }
            any = true;
            switch (state) {
            case State::FieldStart:
                if (c == '"') {
                    // Blanks before an opening quote are no part of the field.
                    m_record.truncate(m_ends.empty() ? 0 : m_ends.back());
                    m_anyQuoted = true;
                    state = State::Quoted;
                } else if (c == m_separator) {
                    if (!endField())
                        return fail(
                            QStringLiteral("больше %1 полей в строке").arg(m_limits.maxFields));
                } else {
                    m_record.append(c);
                    if (c != ' ')
                        state = State::Unquoted;
                }
                break;
            case State::Unquoted:
                if (c == m_separator) {
                    if (!endField())
                        return fail(
                            QStringLiteral("больше %1 полей в строке").arg(m_limits.maxFields));
                    state = State::FieldStart;
                } else {
                    appendPlainRun(c);
                }
                break;
            case State::Quoted:
                if (c == '"') {
                    state = State::QuoteInQuoted;
                } else {
                    if (lineEnd) {
                        m_pendingCr = c == '\r';
                        ++m_lineNo;
                        if (c == '\r') {
                            m_record.append('\n'); // a line break in a field reads as LF
                            break;
                        }
                    }
                    m_record.append(c);
                }
                break;
            case State::QuoteInQuoted:
            case State::AfterQuoted:
                if (c == '"' && state == State::QuoteInQuoted) {
                    m_record.append('"');
                    state = State::Quoted;
                } else if (c == m_separator) {
                    if (!endField())
                        return fail(
                            QStringLiteral("больше %1 полей в строке").arg(m_limits.maxFields));
                    state = State::FieldStart;
                } else if (c == ' ') {
                    state = State::AfterQuoted;
                } else {
                    return fail(QStringLiteral("после закрывающей кавычки идёт «%1»: поле в "
                                               "кавычках кончается кавычкой")
                                    .arg(QString::fromLatin1(&c, 1)));
                }
                break;
            }
        }
        if (state == State::Quoted)
            return fail(QStringLiteral("кавычка не закрыта до конца файла"));
        if (!any)
            return Result::End;
        if (!endField())
            return fail(QStringLiteral("больше %1 полей в строке").arg(m_limits.maxFields));
        if (!blankRecord())
            return Result::Record;
    }
}
