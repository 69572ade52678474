#include "update/OnlineUpdate.h"

#include "net/HttpTransfer.h"
#include "net/ResultsSiteUtils.h"
#include "net/WebAddress.h"
#include "update/UpdateTexts.h"
#include "workbook/Workbook.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace OnlineUpdate {

namespace {

// Why a transfer of address brought nothing usable.
QString transferFailure(const HttpResult& result, const QString& address) {
    const QString shown = WebAddress::forDisplay(address);
    if (result.timedOut)
        return UpdateTexts::siteSilent(shown);
    if (result.tooLarge)
        return UpdateTexts::answerTooLarge(shown);
    if (!result.failure.isEmpty() && result.status == 0)
        return UpdateTexts::noConnection(shown, result.failure);
    if (result.status != 0 && (result.status < 200 || result.status >= 300))
        return UpdateTexts::httpStatus(shown, result.status);
    return UpdateTexts::transferCut(shown, result.failure);
}

} // namespace

Download downloadNewestWorkbook(const ResultsSite& site, const QString& file) {
    // As FindNewestWorkbookUrl and DownloadToFile do it, keeping the reason
    // of a failure: an error page that lists workbooks is used all the same.
    Download download;
    QFile::remove(file);
    HttpResult page;
    try {
        page = HttpTransfer::get(site.pageUrl);
    } catch (const std::bad_alloc&) {
        page.failure = QStringLiteral("out of memory");
    }
    int links = 0;
    if (!page.body.isEmpty())
        download.workbookUrl = NewestWorkbookUrlInPage(page.body, site, &links);
    HttpResult transfer;
    if (!download.workbookUrl.isEmpty())
        DownloadToFile(download.workbookUrl, file, &transfer);
    const QFileInfo arrived(file);
    download.arrived = arrived.exists() && !arrived.isDir();
    if (download.arrived)
        return download;
    const QString pageShown = WebAddress::forDisplay(site.pageUrl);
    if (page.body.isEmpty())
        download.failure = page.complete && page.status >= 200 && page.status < 300
                               ? UpdateTexts::emptyPage(pageShown)
                               : transferFailure(page, site.pageUrl);
    else if (download.workbookUrl.isEmpty() && page.status >= 300)
        download.failure = transferFailure(page, site.pageUrl);
    else if (links == 0)
        download.failure = UpdateTexts::noWorkbookLink(pageShown);
    else if (download.workbookUrl.isEmpty())
        download.failure = UpdateTexts::noStampedLink(pageShown);
    else
        download.failure =
            UpdateTexts::downloadFailure(transferFailure(transfer, download.workbookUrl));
    return download;
}

bool isCsvAddress(const QString& address) {
    const QUrl url = HttpTransfer::urlFromAddress(address);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           url.path().endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

Download downloadCsv(const QString& address, const QString& file) {
    Download download;
    download.workbookUrl = address;
    HttpResult transfer;
    DownloadToFile(address, file, &transfer);
    const QFileInfo arrived(file);
    download.arrived = arrived.exists() && !arrived.isDir();
    if (!download.arrived)
        download.failure = UpdateTexts::csvDownloadFailure(transferFailure(transfer, address));
    return download;
}

void importWorkbook(const QString& path, Connection& connection,
                    const DrawImport::DrawWriter& write, int& foundDrawNo,
                    DrawImport::ImportCounts& counts,
                    const std::function<void(int percent)>& afterRow, const Runner& runReading) {
    std::unique_ptr<Workbook> book;
    const auto read = [&] { book = Workbook::open(path); };
    if (runReading)
        runReading(read);
    else
        read();
    DrawImport::importRows(*book, connection, write, foundDrawNo, counts, afterRow);
}

} // namespace OnlineUpdate
