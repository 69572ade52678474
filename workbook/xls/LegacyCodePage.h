#pragma once

#include <QByteArrayView>
#include <QString>

// Text that legacy workbooks keep in an 8-bit code page (the CODEPAGE record's
// number: 1251 for Cyrillic Windows, 1252 for Western, ...).
namespace LegacyCodePage {

// The bytes as text. Code pages 1251 and 1252 are decoded by tables of our
// own, every byte to one character; others through Qt's converters where the
// platform has them, else (or when the bytes do not decode) as Latin-1.
QString decode(QByteArrayView bytes, int codePage);

} // namespace LegacyCodePage
