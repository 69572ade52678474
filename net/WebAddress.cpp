#include "net/WebAddress.h"

#include <QStringView>
#include <algorithm>

namespace WebAddress {

namespace {

bool inRange(uchar c, uchar low, uchar high) {
    return c >= low && c <= high;
}

// The length (2 to 4) of the well-formed UTF-8 sequence that begins at
// bytes[i], with its code point; 0 when none begins there (a stray byte, an
// overlong form, a surrogate, a code point beyond U+10FFFF or a cut sequence).
int utf8Sequence(const QByteArray& bytes, qsizetype i, char32_t& codePoint) {
    const uchar lead = uchar(bytes.at(i));
    int length = 0;
    uchar secondLow = 0x80, secondHigh = 0xBF;
    if (inRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (inRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - i < length || !inRange(uchar(bytes.at(i + 1)), secondLow, secondHigh))
        return 0;
    codePoint = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        const uchar next = uchar(bytes.at(i + k));
        if (!inRange(next, 0x80, 0xBF))
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return length;
}

void appendCodePoint(QString& out, char32_t codePoint) {
    if (QChar::requiresSurrogates(codePoint)) {
        out.append(QChar(QChar::highSurrogate(codePoint)));
        out.append(QChar(QChar::lowSurrogate(codePoint)));
    } else {
        out.append(QChar(char16_t(codePoint)));
    }
}

// Characters a message box may show as they are. Controls, format characters
// (such as the right-to-left override, which would reorder the address on
// screen), line separators and code points without a character stay escaped.
bool isShown(char32_t codePoint) {
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

// Decodes bytes as UTF-8 into out; for each byte from 0x80 up that is not part
// of a well-formed sequence of a shown character, calls invalid(index) to write
// what stands for it.
template <typename Invalid>
void decodeUtf8(const QByteArray& bytes, QString& out, Invalid invalid) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const uchar c = uchar(bytes.at(i));
        if (c < 0x80) {
            out.append(QLatin1Char(char(c)));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = utf8Sequence(bytes, i, codePoint);
        if (length > 0 && isShown(codePoint)) {
            appendCodePoint(out, codePoint);
            i += length;
            continue;
        }
        for (const qsizetype end = i + std::max(length, 1); i < end; ++i)
            invalid(i);
    }
}

// "%XX" with upper-case hex digits for the byte.
QLatin1String escapeOf(uchar c, char (&buffer)[4]) {
    static const char digits[] = "0123456789ABCDEF";
    buffer[0] = '%';
    buffer[1] = digits[c >> 4];
    buffer[2] = digits[c & 0x0F];
    buffer[3] = 0;
    return QLatin1String(buffer, 3);
}

char16_t unitAt(QByteArrayView text, qsizetype i) {
    return uchar(text[i]);
}

char16_t unitAt(QStringView text, qsizetype i) {
    return text[i].unicode();
}

template <typename View> int escapedByteIn(View text, qsizetype i) {
    if (text.size() - i < 3 || unitAt(text, i) != u'%')
        return -1;
    const int high = hexDigitValue(unitAt(text, i + 1));
    const int low = hexDigitValue(unitAt(text, i + 2));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool mustBeEscaped(uchar c) {
    if (c <= 0x20 || c >= 0x7F)
        return true;
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

bool isSchemeCharacter(QChar c) {
    return (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || c == QLatin1Char('.');
}

// The length of the scheme name at the start of the text (without its ':'),
// or 0 when the text does not begin with one: a letter, then letters, digits,
// '+', '-' or '.', then ':'.
qsizetype schemeLength(QStringView text) {
    if (text.isEmpty() || text.at(0).unicode() >= 0x80 || !text.at(0).isLetter())
        return 0;
    qsizetype i = 1;
    while (i < text.size() && isSchemeCharacter(text.at(i)))
        ++i;
    return i < text.size() && text.at(i) == QLatin1Char(':') ? i : 0;
}

// The parts of an address (RFC 3986, appendix B).
struct Parts {
    QStringView scheme; // empty: none
    bool hasAuthority = false;
    QStringView authority;
    QStringView path;
    bool hasQuery = false;
    QStringView query;
    bool hasFragment = false;
    QStringView fragment;
};

Parts split(QStringView text) {
    Parts parts;
    qsizetype i = schemeLength(text);
    if (i > 0) {
        parts.scheme = text.left(i);
        ++i; // the ':'
    }
    const auto endOf = [&text](qsizetype from, QStringView stops) {
        qsizetype end = from;
        while (end < text.size() && !stops.contains(text.at(end)))
            ++end;
        return end;
    };
    if (text.mid(i).startsWith(QLatin1String("//"))) {
        parts.hasAuthority = true;
        const qsizetype end = endOf(i + 2, u"/?#");
        parts.authority = text.mid(i + 2, end - i - 2);
        i = end;
    }
    qsizetype end = endOf(i, u"?#");
    parts.path = text.mid(i, end - i);
    i = end;
    if (i < text.size() && text.at(i) == QLatin1Char('?')) {
        parts.hasQuery = true;
        end = endOf(i + 1, u"#");
        parts.query = text.mid(i + 1, end - i - 1);
        i = end;
    }
    if (i < text.size()) { // at the '#'
        parts.hasFragment = true;
        parts.fragment = text.mid(i + 1);
    }
    return parts;
}

// Drops the last segment of the output with the "/" before it.
void dropLastSegment(QString& out) {
    const qsizetype slash = out.lastIndexOf(QLatin1Char('/'));
    out.truncate(slash < 0 ? 0 : slash);
}

// RFC 3986, 5.2.4. Every character is copied at most once and removed at most
// once, so the work is linear in the path.
QString removeDotSegments(QStringView path) {
    QString out;
    out.reserve(path.size());
    qsizetype i = 0;
    const auto startsWith = [&](const char* prefix) {
        return path.mid(i).startsWith(QLatin1String(prefix));
    };
    const auto rest = [&] { return path.mid(i); };
    while (i < path.size()) {
        if (startsWith("../")) {
            i += 3;
        } else if (startsWith("./")) {
            i += 2;
        } else if (startsWith("/./")) {
            i += 2; // now at the second '/'
        } else if (rest() == QLatin1String("/.")) {
            out.append(QLatin1Char('/'));
            break;
        } else if (startsWith("/../")) {
            i += 3;
            dropLastSegment(out);
        } else if (rest() == QLatin1String("/..")) {
            dropLastSegment(out);
            out.append(QLatin1Char('/'));
            break;
        } else if (rest() == QLatin1String(".") || rest() == QLatin1String("..")) {
            break;
        } else {
            qsizetype end = path.at(i) == QLatin1Char('/') ? i + 1 : i;
            while (end < path.size() && path.at(end) != QLatin1Char('/'))
                ++end;
            out.append(path.mid(i, end - i));
            i = end;
        }
    }
    return out;
}

// RFC 3986, 5.2.3: the reference's path appended to the base's folder.
QString mergePaths(const Parts& base, QStringView path) {
    if (base.hasAuthority && base.path.isEmpty())
        return QLatin1Char('/') + path.toString();
    const qsizetype slash = base.path.lastIndexOf(QLatin1Char('/'));
    return base.path.left(slash + 1).toString() + path.toString();
}

} // namespace

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

int escapedByte(QByteArrayView text, qsizetype i) {
    return escapedByteIn(text, i);
}

int escapedByte(QStringView text, qsizetype i) {
    return escapedByteIn(text, i);
}

QString fromLinkBytes(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    char escape[4];
    decodeUtf8(bytes, out, [&](qsizetype i) { out.append(escapeOf(uchar(bytes.at(i)), escape)); });
    return out;
}

QByteArray toRequestBytes(const QString& address) {
    const QByteArray utf8 = address.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    char buffer[4];
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const uchar c = uchar(utf8.at(i));
        if (escapedByte(utf8, i) >= 0 || (c != '%' && !mustBeEscaped(c)))
            out.append(char(c));
        else
            out.append(escapeOf(c, buffer).data(), 3);
    }
    return out;
}

QString forDisplay(const QString& address) {
    QString out;
    out.reserve(address.size());
    qsizetype i = 0;
    while (i < address.size()) {
        // A run of escapes of bytes from 0x80 up, decoded as one piece of UTF-8.
        QByteArray run;
        const qsizetype runStart = i;
        for (int byte = escapedByte(address, i); byte >= 0x80; byte = escapedByte(address, i)) {
            run.append(char(byte));
            i += 3;
        }
        if (run.isEmpty()) {
            out.append(address.at(i));
            ++i;
            continue;
        }
        decodeUtf8(run, out, [&](qsizetype k) { out.append(address.mid(runStart + 3 * k, 3)); });
    }
    return out;
}

QString withHttpScheme(const QString& address) {
    const qsizetype length = schemeLength(address);
    if (length > 0 && QStringView(address).mid(length + 1).startsWith(QLatin1String("//")))
        return address;
    return QLatin1String("http://") + address;
}

QString resolve(const QString& base, const QString& reference) {
    const Parts ref = split(reference);
    if (!ref.scheme.isEmpty())
        return reference;
    const Parts from = split(base);

    QString out;
    out.reserve(base.size() + reference.size());
    if (!from.scheme.isEmpty())
        out += from.scheme + QLatin1Char(':');
    bool hasQuery = ref.hasQuery;
    QStringView query = ref.query;
    if (ref.hasAuthority) {
        out += QLatin1String("//") + ref.authority + removeDotSegments(ref.path);
    } else {
        if (from.hasAuthority)
            out += QLatin1String("//") + from.authority;
        if (ref.path.isEmpty()) {
            out += from.path;
            if (!ref.hasQuery) {
                hasQuery = from.hasQuery;
                query = from.query;
            }
        } else if (ref.path.startsWith(QLatin1Char('/'))) {
            out += removeDotSegments(ref.path);
        } else {
            out += removeDotSegments(mergePaths(from, ref.path));
        }
    }
    if (hasQuery)
        out += QLatin1Char('?') + query;
    if (ref.hasFragment)
        out += QLatin1Char('#') + ref.fragment;
    return out;
}

} // namespace WebAddress
