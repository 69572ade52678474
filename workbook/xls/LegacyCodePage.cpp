#include "workbook/xls/LegacyCodePage.h"

#include <QStringDecoder>

namespace LegacyCodePage {

namespace {

// Windows-1251 bytes 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order. The
// unassigned 0x98 stays the control character of the same number.
constexpr char16_t Cyrillic80[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

// Windows-1252 bytes 0x80 to 0x9F; the rest are Latin-1. Unassigned bytes stay
// the control characters of the same numbers.
constexpr char16_t Western80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

char16_t cyrillic(uchar byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return char16_t(0x0410 + (byte - 0xC0));
    return Cyrillic80[byte - 0x80];
}

char16_t western(uchar byte) {
    return byte >= 0x80 && byte < 0xA0 ? Western80[byte - 0x80] : char16_t(byte);
}

template <typename Table> QString byTable(QByteArrayView bytes, Table table) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(table(uchar(byte)));
    return text;
}

// BIFF writes the Macintosh Roman and Windows Western code pages as these two.
constexpr int MacRomanTag = 0x8000;
constexpr int WesternTag = 0x8001;

} // namespace

QString decode(QByteArrayView bytes, int codePage) {
    switch (codePage) {
    case 1251:
        return byTable(bytes, cyrillic);
    case 1252:
    case WesternTag:
        return byTable(bytes, western);
    case 367:
    case 20127:
        return QString::fromLatin1(bytes);
    case 65001:
        return QString::fromUtf8(bytes);
    default:
        break;
    }
    const QByteArray name = codePage == MacRomanTag
                                ? QByteArray("macintosh")
                                : QByteArray("windows-") + QByteArray::number(codePage);
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace LegacyCodePage
