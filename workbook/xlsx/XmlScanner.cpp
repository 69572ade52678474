#include "workbook/xlsx/XmlScanner.h"

#include "runtime/AppError.h"

#include <cstring>

namespace {

// Bytes asked of the source at a time, and what may pile up before it is dropped.
constexpr qsizetype ChunkBytes = qsizetype(256) << 10;
// The longest character reference looked for after '&' ("#x10FFFF" and a few
// leading zeros); an '&' without ';' that near is taken as it stands.
constexpr qsizetype MaxReferenceLength = 32;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

QByteArrayView withoutPrefix(QByteArrayView name) {
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        if (name.at(i) == ':')
            return name.sliced(i + 1);
    }
    return name;
}

void appendUtf8(QByteArray& out, uint code) {
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x110000) {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

// The character a reference between '&' and ';' stands for; false if unknown.
bool referencedCharacter(QByteArrayView reference, uint& code) {
    if (reference == "lt")
        code = '<';
    else if (reference == "gt")
        code = '>';
    else if (reference == "amp")
        code = '&';
    else if (reference == "quot")
        code = '"';
    else if (reference == "apos")
        code = '\'';
    else if (reference.startsWith('#')) {
        bool ok = false;
        code = reference.startsWith("#x") || reference.startsWith("#X")
                   ? reference.sliced(2).toByteArray().toUInt(&ok, 16)
                   : reference.sliced(1).toByteArray().toUInt(&ok, 10);
        return ok;
    } else {
        return false;
    }
    return true;
}

// Appends the text between `from` and `to` with its references decoded.
void appendDecodedText(QByteArray& out, const char* from, const char* to) {
    while (from < to) {
        const void* amp = std::memchr(from, '&', size_t(to - from));
        const char* stop = amp ? static_cast<const char*>(amp) : to;
        out.append(from, stop - from);
        if (stop >= to)
            return;
        // A reference is short: ';' is looked for only that far.
        const qsizetype window = qMin(qsizetype(to - stop - 1), MaxReferenceLength);
        const qsizetype length = QByteArrayView(stop + 1, window).indexOf(';');
        uint code = 0;
        if (length > 0 && referencedCharacter(QByteArrayView(stop + 1, length), code)) {
            appendUtf8(out, code);
            from = stop + length + 2;
        } else {
            out.append('&');
            from = stop + 1;
        }
    }
}

[[noreturn]] void throwTooLong(const char* what) {
    throw AppError(QStringLiteral("Книга повреждена: %1 длиннее %2 МБ")
                       .arg(QString::fromUtf8(what))
                       .arg(XmlScanner::MaxTextBytes >> 20));
}

} // namespace

XmlScanner::XmlScanner(const QByteArray& document) : m_buffer(document), m_sourceDone(true) {}

XmlScanner::XmlScanner(Source source) : m_source(std::move(source)) {}

bool XmlScanner::fill() {
    if (m_sourceDone)
        return false;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + ChunkBytes);
    const qsizetype got = m_source(m_buffer.data() + old, ChunkBytes);
    m_buffer.resize(old + qMax(got, qsizetype(0)));
    if (got <= 0)
        m_sourceDone = true;
    return got > 0;
}

bool XmlScanner::ensure(qsizetype count) {
    while (size() - m_pos < count) {
        if (!fill())
            return false;
    }
    return true;
}

void XmlScanner::compact() {
    if (m_source && m_pos >= ChunkBytes) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
}

qsizetype XmlScanner::findKeeping(QByteArrayView what, qsizetype from, qsizetype limit) {
    for (;;) {
        const qsizetype found = QByteArrayView(m_buffer).indexOf(what, from);
        if (found >= 0)
            return found;
        // A match may begin in the last bytes and end in the next chunk.
        from = qMax(from, size() - (what.size() - 1));
        if (size() - m_pos > limit)
            throwTooLong("текст ячейки");
        if (!fill())
            return -1;
    }
}

void XmlScanner::skipPast(QByteArrayView what, qsizetype from) {
    for (;;) {
        const qsizetype found = QByteArrayView(m_buffer).indexOf(what, from);
        if (found >= 0) {
            m_pos = found + what.size();
            return;
        }
        // A match may begin in the last bytes and end in the next chunk.
        m_pos = qMax(from, size() - (what.size() - 1));
        compact();
        from = m_pos;
        if (!fill()) {
            m_pos = size();
            return;
        }
    }
}

bool XmlScanner::skipNonTag() {
    const char* at = data() + m_pos;
    const qsizetype left = size() - m_pos;
    if (left < 2 || (at[1] != '!' && at[1] != '?'))
        return false; // a tag, as nearly always
    if (left >= 4 && std::memcmp(at, "<!--", 4) == 0)
        skipPast("-->", m_pos + 4);
    else if (left >= 9 && std::memcmp(at, "<![CDATA[", 9) == 0)
        skipPast("]]>", m_pos + 9);
    else if (at[1] == '?')
        skipPast("?>", m_pos + 2);
    else
        skipPast(">", m_pos + 2); // a document type or other declaration
    return true;
}

bool XmlScanner::next() {
    for (;;) {
        compact();
        // Text between tags is not wanted here: it is passed over without being kept.
        if (m_pos >= size() || data()[m_pos] != '<') { // tags mostly follow each other
            const void* open;
            while (!(open = std::memchr(data() + m_pos, '<', size_t(size() - m_pos)))) {
                m_pos = size();
                compact();
                if (!fill())
                    return false;
            }
            m_pos = static_cast<const char*>(open) - data();
        }
        if (size() - m_pos < 9)
            ensure(9); // room to tell "<![CDATA[" from a tag
        if (!skipNonTag()) {
            readTag();
            return true;
        }
    }
}

void XmlScanner::readTag() {
    const qsizetype begin = m_pos;
    const bool end = begin + 1 < size() && data()[begin + 1] == '/';
    const qsizetype nameBegin = begin + (end ? 2 : 1);
    qsizetype i = nameBegin;
    qsizetype nameEnd = -1;
    char quote = 0;
    for (;;) {
        const char* d = data();
        const qsizetype n = size();
        if (nameEnd < 0) {
            while (i < n && !isSpace(d[i]) && d[i] != '>' && d[i] != '/')
                ++i;
            if (i < n)
                nameEnd = i;
        }
        if (nameEnd >= 0) {
            while (i < n) {
                if (quote) {
                    while (i < n && d[i] != quote)
                        ++i;
                    if (i == n)
                        break;
                    ++i;
                    quote = 0;
                } else if (d[i] == '>') {
                    break;
                } else {
                    if (d[i] == '"' || d[i] == '\'')
                        quote = d[i];
                    ++i;
                }
            }
            if (i < n)
                break;
        }
        if (i - begin > MaxTagBytes)
            throwTooLong("тег XML");
        if (!fill())
            break;
    }
    if (nameEnd < 0)
        nameEnd = i;
    const char* d = data();
    const bool selfClosing = i > nameEnd && d[i - 1] == '/';
    m_name = withoutPrefix(QByteArrayView(d + nameBegin, nameEnd - nameBegin));
    m_attributes = QByteArrayView(d + nameEnd, i - nameEnd - (selfClosing ? 1 : 0));
    m_kind = end ? Kind::End : selfClosing ? Kind::Empty : Kind::Start;
    m_pos = qMin(i + 1, size());
}

bool XmlScanner::nextAttribute(qsizetype& at, QByteArrayView& name, QByteArrayView& value) const {
    const char* begin = m_attributes.data();
    const char* end = begin + m_attributes.size();
    const char* p = begin + at;
    while (p < end && isSpace(*p))
        ++p;
    if (p >= end)
        return false;
    const char* nameBegin = p;
    while (p < end && *p != '=' && !isSpace(*p))
        ++p;
    name = withoutPrefix(QByteArrayView(nameBegin, p - nameBegin));
    while (p < end && (isSpace(*p) || *p == '='))
        ++p;
    if (p >= end || (*p != '"' && *p != '\''))
        return false;
    const char quote = *p++;
    const char* valueBegin = p;
    while (p < end && *p != quote)
        ++p;
    value = QByteArrayView(valueBegin, p - valueBegin);
    at = qMin(p + 1, end) - begin;
    return true;
}

QByteArrayView XmlScanner::attribute(QByteArrayView name) const {
    qsizetype at = 0;
    QByteArrayView found;
    QByteArrayView value;
    while (nextAttribute(at, found, value)) {
        if (found == name)
            return value;
    }
    return QByteArrayView();
}

void XmlScanner::appendText(qsizetype from, qsizetype to) {
    m_text.append(data() + from, to - from);
    if (m_text.size() > MaxTextBytes)
        throwTooLong("текст ячейки");
}

void XmlScanner::appendDecoded(qsizetype from, qsizetype to) {
    appendDecodedText(m_text, data() + from, data() + to);
    if (m_text.size() > MaxTextBytes)
        throwTooLong("текст ячейки");
}

QByteArray XmlScanner::decoded(QByteArrayView raw) {
    QByteArray text;
    appendDecodedText(text, raw.data(), raw.data() + raw.size());
    return text;
}

QByteArrayView XmlScanner::readElementText() {
    m_text.truncate(0);
    if (m_kind != Kind::Start)
        return m_text;
    // The common case: a plain text right before an end tag is returned where
    // it stands. Reading the end tag only appends to the buffer, so the text
    // stays at its place until the scanner moves again.
    const char* d = data();
    qsizetype textEnd = m_pos;
    bool plain = true;
    for (; textEnd < size() && d[textEnd] != '<'; ++textEnd) {
        if (d[textEnd] == '&')
            plain = false;
    }
    if (plain && textEnd + 1 < size() && d[textEnd + 1] == '/' && textEnd - m_pos <= MaxTextBytes) {
        const qsizetype textBegin = m_pos;
        m_pos = textEnd;
        readTag();
        return QByteArrayView(data() + textBegin, textEnd - textBegin);
    }
    int depth = 1;
    for (;;) {
        compact(); // what was read is in m_text already
        const qsizetype open = findKeeping("<", m_pos, MaxTextBytes - m_text.size());
        const qsizetype stop = open < 0 ? size() : open;
        appendDecoded(m_pos, stop);
        m_pos = stop;
        if (open < 0)
            break;
        ensure(9);
        if (size() - m_pos >= 9 && std::memcmp(data() + m_pos, "<![CDATA[", 9) == 0) {
            m_pos += 9;
            const qsizetype end = findKeeping("]]>", m_pos, MaxTextBytes - m_text.size());
            appendText(m_pos, end < 0 ? size() : end);
            m_pos = end < 0 ? size() : end + 3;
            continue;
        }
        if (skipNonTag())
            continue;
        readTag();
        if (m_kind == Kind::Start)
            ++depth;
        else if (m_kind == Kind::End && --depth == 0)
            break;
    }
    return m_text;
}

void XmlScanner::skipElement() {
    if (m_kind != Kind::Start)
        return;
    int depth = 1;
    while (depth > 0 && next()) {
        if (m_kind == Kind::Start)
            ++depth;
        else if (m_kind == Kind::End)
            --depth;
    }
}
