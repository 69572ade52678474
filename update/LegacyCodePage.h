#pragma once

#include <QByteArrayView>
#include <QString>

// Text that legacy workbooks keep in an 8-bit code page (the CODEPAGE record's
// number: 1251 for Cyrillic Windows, 1252 for Western, ...).
namespace LegacyCodePage {

// The bytes as text. Code pages 1251 and 1252 are decoded by tables of our
// own; others through Qt's converters where the platform has them, else as
// Latin-1. Every byte gives one character, whatever it is.
QString decode(QByteArrayView bytes, int codePage);

} // namespace LegacyCodePage
