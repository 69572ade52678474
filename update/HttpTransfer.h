#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The outcome of one GET.
struct HttpResult {
    bool complete = false; // the whole answer arrived: no transport error, no time-out
    bool timedOut = false; // the time limit ended the transfer
    int status = 0;        // HTTP status of the final answer (after redirects); 0 if none
    QByteArray body;       // the answer's raw bytes, error pages included
};

// One blocking HTTP(S) GET on the calling thread: agent "Velmora/1.0", a direct
// connection (no proxy), always from the server (never from a cache), redirects
// followed unless they lead from https to http. While it waits, a local event
// loop runs that repaints windows but takes no user input.
namespace HttpTransfer {

// The URL of an address as the program writes them: "http://" or "https://" in
// any letter case, or no scheme at all for plain http; a port after the host is
// honoured. An invalid URL for any other scheme or an unusable address.
QUrl urlFromAddress(const QString& address);

// Runs the GET. Needs a QCoreApplication; without one nothing is sent.
HttpResult get(const QString& address);

// Fetches the address into the file: only a complete answer with a 2xx status
// and a non-empty body is written, through a temporary file in the same folder
// that then replaces the target. On any failure an earlier file at the path is
// removed, so that no stale or partial file is left to be taken for this
// download. Never throws.
bool downloadToFile(const QString& address, const QString& path);

// The longest a transfer may take, in milliseconds (60 s unless set).
int timeLimit();
void setTimeLimit(int msecs);

} // namespace HttpTransfer

// The program's download entry point: HttpTransfer::downloadToFile.
bool DownloadToFile(const QString& address, const QString& path);
