#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Web addresses as the online update handles them: as text that keeps a link
// exactly as the page wrote it, yet reads well in a message box. Valid UTF-8
// stands as its characters; any other byte of 0x80 and above stands as a %XX
// escape, which the request sends as that very byte. Every function is linear
// in its input and never throws.
namespace WebAddress {

// The value of a hexadecimal digit in either letter case; -1 for any other character.
int hexDigitValue(char16_t c);

// The byte of the escape "%XX" (hex digits in either letter case) that begins
// at text[i], or -1 when none begins there.
int escapedByte(QByteArrayView text, qsizetype i);
int escapedByte(QStringView text, qsizetype i);

// The text of a link's bytes: valid UTF-8 sequences as their characters, every
// other byte from 0x80 up as "%XX"; ASCII bytes, escapes included, unchanged.
// Characters that would mislead on screen (controls, format characters such
// as the right-to-left override, unassigned code points) stay as escapes too.
QString fromLinkBytes(const QByteArray& bytes);

// The bytes of the address to send: its UTF-8 bytes with every byte a URL may
// not hold percent-encoded (bytes from 0x80 up, control characters, the blank,
// '"', '<', '>', '\', '^', '`', '{', '|', '}', and a '%' that does not begin an
// escape). Existing %XX escapes are kept as they are; nothing is encoded twice.
QByteArray toRequestBytes(const QString& address);

// The address for a message box: runs of escapes that spell non-ASCII UTF-8
// are shown as their characters (save those fromLinkBytes keeps escaped);
// everything else stays as it is.
QString forDisplay(const QString& address);

// The address with "http://" put in front unless it begins with a scheme and
// "//" ("https://h/", "ftp://h/"); "host:8080/x" is taken as a host and port.
QString withHttpScheme(const QString& address);

// Resolves a reference against a base address by the rules of RFC 3986: a
// reference with a scheme is returned unchanged; "//host/x" takes the base's
// scheme; "/x" replaces the base's path; "?q" its query; any other reference
// is taken relative to the base's folder (the path up to its last "/"). Dot
// segments are removed from the resolved path. The fragment is the reference's.
QString resolve(const QString& base, const QString& reference);

} // namespace WebAddress
