#include "update/HttpTransfer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <memory>

namespace HttpTransfer {

namespace {

int g_timeLimitMsecs = 60 * 1000;

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

// True when the address begins with a scheme of its own ("ftp://...").
bool hasScheme(const QString& address) {
    const qsizetype separator = address.indexOf(QLatin1String("://"));
    if (separator <= 0 || !address.at(0).isLetter())
        return false;
    for (qsizetype i = 1; i < separator; ++i) {
        const QChar c = address.at(i);
        if (!c.isLetterOrNumber() && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('.'))
            return false;
    }
    return true;
}

bool isSuccessStatus(int status) {
    return status >= 200 && status < 300;
}

} // namespace

QUrl urlFromAddress(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl();
    QUrl url;
    if (text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
        text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
        url = QUrl(text, QUrl::TolerantMode);
    } else if (hasScheme(text)) {
        return QUrl(); // a scheme the program does not speak
    } else {
        url = QUrl(QLatin1String("http://") + text, QUrl::TolerantMode);
    }
    if (!url.isValid() || url.host().isEmpty())
        return QUrl();
    return url;
}

HttpResult get(const QString& address) {
    HttpResult result;
    const QUrl url = urlFromAddress(address);
    if (!url.isValid() || !QCoreApplication::instance())
        return result;

    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    std::unique_ptr<QNetworkReply> reply(manager.get(makeRequest(url)));

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&result, &reply] {
        result.timedOut = true;
        reply->abort();
    });
    limit.start(g_timeLimitMsecs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    limit.stop();

    const QNetworkReply::NetworkError error = reply->error();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.complete = !result.timedOut && result.status > 0 && isWholeAnswer(error);
    if (!result.timedOut)
        result.body = reply->readAll();
    return result;
}

bool downloadToFile(const QString& address, const QString& path) {
    try {
        const HttpResult result = get(address);
        if (result.complete && isSuccessStatus(result.status) && !result.body.isEmpty()) {
            QSaveFile file(path);
            if (file.open(QIODevice::WriteOnly) && file.write(result.body) == result.body.size() &&
                file.commit())
                return true;
        }
        QFile::remove(path);
    } catch (...) {
        QFile::remove(path);
    }
    return false;
}

int timeLimit() {
    return g_timeLimitMsecs;
}

void setTimeLimit(int msecs) {
    g_timeLimitMsecs = msecs;
}

} // namespace HttpTransfer

bool DownloadToFile(const QString& address, const QString& path) {
    return HttpTransfer::downloadToFile(address, path);
}
