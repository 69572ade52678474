#include "update/OnlineUpdate.h"

#include "net/HttpTransfer.h"
#include "net/ResultsSiteUtils.h"
#include "workbook/Workbook.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace OnlineUpdate {

Download downloadNewestWorkbook(const ResultsSite& site, const QString& file) {
    Download download;
    download.workbookUrl = FindNewestWorkbookUrl(site);
    QFile::remove(file);
    if (!download.workbookUrl.isEmpty())
        DownloadToFile(download.workbookUrl, file);
    const QFileInfo arrived(file);
    download.arrived = arrived.exists() && !arrived.isDir();
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
