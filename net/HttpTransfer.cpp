#include "net/HttpTransfer.h"

#include "net/WebAddress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <functional>
#include <memory>

namespace HttpTransfer {

namespace {

Limits g_limits;

// The most the client holds in memory before it is taken: the download is
// written to its file in pieces of at most this size.
constexpr qint64 ReadBufferBytes = 1024 * 1024;

QNetworkRequest makeRequest(const QUrl& url) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Velmora/1.0"));
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

// An answer with an HTTP error status (4xx, 5xx) arrives whole and carries the
// error as a content, server or bad-request error; every other error cut the
// transfer short.
bool isWholeAnswer(QNetworkReply::NetworkError error) {
    if (error == QNetworkReply::NoError || error == QNetworkReply::ProtocolInvalidOperationError)
        return true;
    return (error >= QNetworkReply::ContentAccessDenied &&
            error <= QNetworkReply::UnknownContentError) ||
           (error >= QNetworkReply::InternalServerError &&
            error <= QNetworkReply::UnknownServerError);
}

bool isSuccessStatus(int status) {
    return status >= 200 && status < 300;
}

bool isHttpScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// Runs one GET. Every piece of the body goes to `take` as it arrives; `take`
// returns false to stop the transfer (a write that failed). The body itself
// is not kept here.
HttpResult run(const QString& address, qint64 maxBytes,
               const std::function<bool(const QByteArray&)>& take) {
    HttpResult result;
    const QUrl url = urlFromAddress(address);
    if (!url.isValid() || !QCoreApplication::instance()) {
        result.failure = QStringLiteral("invalid address");
        return result;
    }

    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    std::unique_ptr<QNetworkReply> reply(manager.get(makeRequest(url)));
    reply->setReadBufferSize(ReadBufferBytes);

    QEventLoop loop;
    QTimer silence;
    QTimer overall;
    silence.setSingleShot(true);
    overall.setSingleShot(true);
    bool stopped = false;
    const auto stop = [&] {
        stopped = true;
        reply->abort();
    };
    const auto drain = [&] {
        if (stopped)
            return;
        const QByteArray piece = reply->readAll();
        if (piece.isEmpty())
            return;
        if (piece.size() > maxBytes - result.bytes) {
            result.tooLarge = true;
            stop();
            return;
        }
        result.bytes += piece.size();
        if (!take(piece))
            stop();
    };
    // Anything heard from the server starts the silence anew.
    const auto heard = [&] { silence.start(g_limits.silenceMsecs); };
    const auto timedOut = [&] {
        result.timedOut = true;
        stop();
    };

    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&silence, &QTimer::timeout, &loop, timedOut);
    QObject::connect(&overall, &QTimer::timeout, &loop, timedOut);
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, heard);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        heard();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes) {
            result.tooLarge = true;
            stop();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        heard();
        drain();
    });
    heard();
    overall.start(g_limits.totalMsecs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    silence.stop();
    overall.stop();
    drain(); // what arrived with the end of the answer

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.complete = !stopped && result.status > 0 && isWholeAnswer(reply->error());
    if (!result.complete && !result.timedOut && !result.tooLarge)
        result.failure = reply->errorString();
    return result;
}

} // namespace

Limits limits() {
    return g_limits;
}

void setLimits(const Limits& limits) {
    g_limits = limits;
}

QUrl urlFromAddress(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl();
    const QUrl url = QUrl::fromEncoded(WebAddress::toRequestBytes(WebAddress::withHttpScheme(text)),
                                       QUrl::TolerantMode);
    if (!url.isValid() || !isHttpScheme(url.scheme()) || url.host().isEmpty())
        return QUrl();
    return url;
}

HttpResult get(const QString& address) {
    QByteArray body;
    HttpResult result = run(address, g_limits.maxPageBytes, [&body](const QByteArray& piece) {
        body.append(piece);
        return true;
    });
    // An answer cut short by a limit is no answer; one cut by the network is
    // what arrived.
    if (!result.timedOut && !result.tooLarge)
        result.body = std::move(body);
    return result;
}

} // namespace HttpTransfer

bool DownloadToFile(const QString& address, const QString& path, HttpResult* outcome) {
    HttpResult ignored;
    HttpResult& result = outcome ? *outcome : ignored;
    result = HttpResult();
    try {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            result.failure = file.errorString();
        } else {
            result = HttpTransfer::run(
                address, HttpTransfer::limits().maxDownloadBytes,
                [&file](const QByteArray& piece) { return file.write(piece) == piece.size(); });
            if (result.complete && HttpTransfer::isSuccessStatus(result.status) &&
                result.bytes > 0 && file.commit())
                return true;
            if (file.error() != QFileDevice::NoError) // the disk, not the network
                result.failure = file.errorString();
            file.cancelWriting();
        }
    } catch (const std::bad_alloc&) {
        result.failure = QStringLiteral("out of memory");
    } catch (...) {
    }
    QFile::remove(path);
    return false;
}
