#include "net/ResultsSite.h"

#include "net/HttpTransfer.h"

#include <QUrl>

namespace {

const char* const DefaultResultsPageUrl =
    "https://lottery-operator.example/game_results/game_results_lotto_big/";

} // namespace

ResultsSite ResultsSite::defaults() {
    return fromPageUrl(QLatin1String(DefaultResultsPageUrl));
}

ResultsSite ResultsSite::fromPageUrl(const QString& pageUrl) {
    ResultsSite site;
    site.pageUrl = pageUrl.trimmed();
    // The site is read the way the page will be fetched (no scheme means http).
    const QUrl url = HttpTransfer::urlFromAddress(site.pageUrl);
    if (url.isValid())
        site.siteUrl = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                                    QUrl::RemoveUserInfo)
                           .toString(QUrl::FullyEncoded);
    while (site.siteUrl.endsWith(QLatin1Char('/')))
        site.siteUrl.chop(1);
    return site;
}
