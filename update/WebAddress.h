#pragma once

#include <QByteArray>
#include <QString>

// Web addresses as the online update handles them: as text that keeps a link
// exactly as the page wrote it, yet reads well in a message box. Valid UTF-8
// stands as its characters; any other byte of 0x80 and above stands as a %XX
// escape, which the request sends as that very byte. Every function is linear
// in its input and never throws.
namespace WebAddress {

// The text of a link's bytes: valid UTF-8 sequences as their characters, every
// other byte from 0x80 up as "%XX"; ASCII bytes, escapes included, unchanged.
QString fromLinkBytes(const QByteArray& bytes);

// The bytes of the address to send: its UTF-8 bytes with every byte a URL may
// not hold percent-encoded (bytes from 0x80 up, control characters, the blank,
// '"', '<', '>', '\', '^', '`', '{', '|', '}', and a '%' that does not begin an
// escape). Existing %XX escapes are kept as they are; nothing is encoded twice.
QByteArray toRequestBytes(const QString& address);

// The address for a message box: runs of escapes that spell non-ASCII UTF-8
// are shown as their characters; everything else stays as it is.
QString forDisplay(const QString& address);

// True when the address begins with a scheme ("https:", "ftp:", "mailto:"):
// a letter, then letters, digits, '+', '-' or '.', then ':'.
bool hasScheme(const QString& address);

// The address with "http://" put in front when it has no scheme of its own.
QString withHttpScheme(const QString& address);

// Resolves a reference against a base address by the rules of RFC 3986: a
// reference with a scheme is returned unchanged; "//host/x" takes the base's
// scheme; "/x" replaces the base's path; "?q" its query; any other reference
// is taken relative to the base's folder (the path up to its last "/"). Dot
// segments are removed from the resolved path. The fragment is the reference's.
QString resolve(const QString& base, const QString& reference);

} // namespace WebAddress
