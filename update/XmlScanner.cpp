#include "update/XmlScanner.h"

#include <cstring>

namespace {

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

} // namespace

XmlScanner::XmlScanner(const QByteArray& document)
    : m_data(document.constData()), m_size(document.size()) {}

qsizetype XmlScanner::find(const char* what, qsizetype from) const {
    const qsizetype index = QByteArrayView(m_data, m_size).indexOf(what, from);
    return index < 0 ? m_size : index;
}

bool XmlScanner::skipNonTag() {
    const char* at = m_data + m_pos;
    const qsizetype left = m_size - m_pos;
    if (left >= 4 && std::memcmp(at, "<!--", 4) == 0)
        m_pos = find("-->", m_pos + 4) + 3;
    else if (left >= 9 && std::memcmp(at, "<![CDATA[", 9) == 0)
        m_pos = find("]]>", m_pos + 9) + 3;
    else if (left >= 2 && at[1] == '?')
        m_pos = find("?>", m_pos + 2) + 2;
    else if (left >= 2 && at[1] == '!')
        m_pos = find(">", m_pos + 2) + 1;
    else
        return false;
    return true;
}

bool XmlScanner::next() {
    while (m_pos < m_size) {
        const void* open = std::memchr(m_data + m_pos, '<', size_t(m_size - m_pos));
        if (!open)
            break;
        m_pos = static_cast<const char*>(open) - m_data;
        if (skipNonTag())
            continue;

        const bool end = m_pos + 1 < m_size && m_data[m_pos + 1] == '/';
        qsizetype i = m_pos + (end ? 2 : 1);
        const qsizetype nameBegin = i;
        while (i < m_size && !isSpace(m_data[i]) && m_data[i] != '>' && m_data[i] != '/')
            ++i;
        m_name = withoutPrefix(QByteArrayView(m_data + nameBegin, i - nameBegin));
        const qsizetype attributesBegin = i;
        char quote = 0;
        while (i < m_size && (quote || m_data[i] != '>')) {
            if (quote && m_data[i] == quote)
                quote = 0;
            else if (!quote && (m_data[i] == '"' || m_data[i] == '\''))
                quote = m_data[i];
            ++i;
        }
        const bool selfClosing = i > attributesBegin && m_data[i - 1] == '/';
        m_attributes =
            QByteArrayView(m_data + attributesBegin, i - attributesBegin - (selfClosing ? 1 : 0));
        m_kind = end ? Kind::End : selfClosing ? Kind::Empty : Kind::Start;
        m_pos = qMin(i + 1, m_size);
        return true;
    }
    m_pos = m_size;
    return false;
}

QByteArrayView XmlScanner::attribute(QByteArrayView name) const {
    const char* p = m_attributes.data();
    const char* end = p + m_attributes.size();
    while (p < end) {
        while (p < end && isSpace(*p))
            ++p;
        const char* nameBegin = p;
        while (p < end && *p != '=' && !isSpace(*p))
            ++p;
        const QByteArrayView found = withoutPrefix(QByteArrayView(nameBegin, p - nameBegin));
        while (p < end && (isSpace(*p) || *p == '='))
            ++p;
        if (p >= end || (*p != '"' && *p != '\''))
            return QByteArrayView();
        const char quote = *p++;
        const char* valueBegin = p;
        while (p < end && *p != quote)
            ++p;
        if (found == name)
            return QByteArrayView(valueBegin, p - valueBegin);
        ++p;
    }
    return QByteArrayView();
}

void XmlScanner::appendDecoded(QByteArray& out, qsizetype from, qsizetype to) const {
    while (from < to) {
        const void* amp = std::memchr(m_data + from, '&', size_t(to - from));
        const qsizetype stop = amp ? static_cast<const char*>(amp) - m_data : to;
        out.append(m_data + from, stop - from);
        if (stop >= to)
            return;
        const qsizetype semicolon = QByteArrayView(m_data, to).indexOf(';', stop);
        uint code = 0;
        if (semicolon > stop &&
            referencedCharacter(QByteArrayView(m_data + stop + 1, semicolon - stop - 1), code)) {
            appendUtf8(out, code);
            from = semicolon + 1;
        } else {
            out.append('&');
            from = stop + 1;
        }
    }
}

QByteArray XmlScanner::readElementText() {
    if (m_kind != Kind::Start)
        return QByteArray();
    // The common case: plain text followed by the element's own end tag.
    const void* open = std::memchr(m_data + m_pos, '<', size_t(m_size - m_pos));
    if (open) {
        const qsizetype stop = static_cast<const char*>(open) - m_data;
        if (stop + 1 < m_size && m_data[stop + 1] == '/' &&
            !std::memchr(m_data + m_pos, '&', size_t(stop - m_pos))) {
            const QByteArray text = QByteArray::fromRawData(m_data + m_pos, stop - m_pos);
            next();
            return text;
        }
    }

    QByteArray text;
    int depth = 1;
    while (m_pos < m_size) {
        const void* tag = std::memchr(m_data + m_pos, '<', size_t(m_size - m_pos));
        const qsizetype stop = tag ? static_cast<const char*>(tag) - m_data : m_size;
        appendDecoded(text, m_pos, stop);
        m_pos = stop;
        if (m_pos >= m_size)
            break;
        if (m_size - m_pos >= 9 && std::memcmp(m_data + m_pos, "<![CDATA[", 9) == 0) {
            const qsizetype end = find("]]>", m_pos + 9);
            text.append(m_data + m_pos + 9, end - m_pos - 9);
            m_pos = qMin(end + 3, m_size);
            continue;
        }
        if (skipNonTag())
            continue;
        next();
        if (m_kind == Kind::Start)
            ++depth;
        else if (m_kind == Kind::End && --depth == 0)
            break;
    }
    return text;
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
