// The online update command, and the same import for a dropped workbook file.
#include "app/StartupPaths.h"
#include "app/Unit1.h"

#include "dataset/Query.h"
#include "update/HttpTransfer.h"
#include "update/ResultsSiteUtils.h"
#include "update/UpdateTexts.h"
#include "update/WebAddress.h"
#include "widgets/LinkLabel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>

void TForm1::Button16Click(QObject*) {
    const ResultsSite site = ResultsSite::fromPageUrl(ResultsPageUrl);
    showBox(UpdateTexts::requesting(site.siteUrl), UpdateTexts::caption(), BoxIcon::Information,
            BoxButtons::Ok);
    UpdateUrl = FindNewestWorkbookUrl(site);
    // Only this run's download counts: a workbook left by an earlier run is
    // removed first, and an error page is no workbook.
    QFile::remove(ResultsFileName);
    if (!UpdateUrl.isEmpty())
        DownloadToFile(UpdateUrl, ResultsFileName);
    if (!StartupPaths::fileExists(ResultsFileName)) {
        showBox(UpdateTexts::downloadFailed(WebAddress::forDisplay(UpdateUrl)),
                UpdateTexts::caption(), BoxIcon::Error, BoxButtons::Ok);
        return;
    }
    runImport();
}

void TForm1::ImportWorkbookFile(const QString& path) {
    // The import deletes its file, so it works on a copy of the user's file.
    QFile::remove(ResultsFileName);
    if (!QFile::copy(path, ResultsFileName)) {
        showBox(UpdateTexts::downloadFailed(path), UpdateTexts::caption(), BoxIcon::Error,
                BoxButtons::Ok);
        return;
    }
    runImport();
}

void TForm1::runImport() {
    Label17->hide();
    Button16->setEnabled(false);
    showProgress(0);
    PB1->show();
    Label4->show();
    try {
        ADOQuery5->open();
        RazygUpdate();
        ADOQuery5->close();
    } catch (...) {
        // A failed import leaves the window at rest; the error is reported by
        // the caller's error box.
        ADOQuery5->close();
        Label4->setText(UpdateTexts::progressAtRest());
        Label4->hide();
        PB1->hide();
        endUpdateState();
        throw;
    }
    Button11->click();
    endUpdateState();
}

void TForm1::endUpdateState() {
    Button16->setEnabled(true);
    Label17->show();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (Button16->isEnabled() && data->hasUrls() && data->urls().size() == 1 &&
        data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile() || !Button16->isEnabled())
        return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    dispatch([&] { ImportWorkbookFile(path); });
}
