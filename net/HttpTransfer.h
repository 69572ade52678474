#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The outcome of one GET.
struct HttpResult {
    bool complete = false; // the whole answer arrived: no transport error, no limit hit
    bool timedOut = false; // the server fell silent too long, or the whole transfer took too long
    bool tooLarge = false; // the answer was bigger than allowed; the transfer was stopped
    int status = 0;        // HTTP status of the final answer (after redirects); 0 if none
    qint64 bytes = 0;      // bytes of the answer's body received
    QByteArray body;       // the answer's raw bytes, error pages included (get() only)
    // When the transfer failed for another reason than a limit (no connection,
    // an unusable address, the network cut it short): the network library's
    // own words, else empty.
    QString failure;
};

// One blocking HTTP(S) GET on the calling thread: agent "Velmora/1.0", a direct
// connection (no proxy), always from the server (never from a cache), redirects
// followed unless they lead from https to http. While it waits, a local event
// loop runs that repaints windows but takes no user input.
namespace HttpTransfer {

// How long and how big a transfer may get. A server may be slow, but one that
// sends nothing for silenceMsecs is given up; no transfer lasts beyond
// totalMsecs; bigger answers are refused as soon as they are known to be.
struct Limits {
    int silenceMsecs = 60 * 1000;
    int totalMsecs = 30 * 60 * 1000;
    qint64 maxPageBytes = qint64(16) * 1024 * 1024;
    qint64 maxDownloadBytes = qint64(200) * 1024 * 1024;
};
Limits limits();
void setLimits(const Limits& limits);

// The URL of an address as the program writes them: "http://" or "https://" in
// any letter case, or no scheme at all for plain http; a port after the host is
// honoured. The address's characters are sent as UTF-8, percent-encoded where
// a URL needs it, its own %XX escapes as they are (see WebAddress); only an
// escaped letter, digit, '-', '.', '_' or '~' goes out as the character, which
// names the same resource. An invalid URL for any other scheme or an unusable
// address.
QUrl urlFromAddress(const QString& address);

// Runs the GET and keeps the body in memory, up to Limits::maxPageBytes. A
// transfer stopped by a limit leaves the body empty; one cut short by the
// network keeps what arrived.
// Needs a QCoreApplication; without one nothing is sent.
HttpResult get(const QString& address);

} // namespace HttpTransfer

// Streams the answer into the file, up to Limits::maxDownloadBytes: only a
// complete answer with a 2xx status and a non-empty body is kept, written
// through a temporary file in the same folder that then replaces the target.
// On any failure an earlier file at the path is removed, so that no stale or
// partial file is left to be taken for this download. Never throws. outcome,
// when given, receives how the transfer went (without the body).
bool DownloadToFile(const QString& address, const QString& path, HttpResult* outcome = nullptr);
