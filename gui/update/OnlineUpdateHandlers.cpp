// The online update command, "Обновить онлайн" (Button16), and the same import
// for a workbook file dropped onto the window.
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "net/ResultsSite.h"
#include "net/WebAddress.h"
#include "update/OnlineUpdate.h"
#include "update/UpdateTexts.h"
#include "widgets/LinkLabel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <utility>

namespace {

// Copies the file at `path` into the newly created temporary file, piece by
// piece, and closes it (its name stays valid until it is destroyed).
bool copyFile(const QString& path, QTemporaryFile& target) {
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly) || !target.open())
        return false;
    QByteArray piece;
    do {
        piece = source.read(1024 * 1024);
        if (target.write(piece) != piece.size())
            return false;
    } while (!piece.isEmpty());
    target.close();
    return source.error() == QFileDevice::NoError && target.error() == QFileDevice::NoError;
}

} // namespace

void TForm1::Button16Click(QObject*) {
    const ResultsSite site = ResultsSite::fromPageUrl(ResultsPageUrl);
    showBox(UpdateTexts::requesting(site.siteUrl), UpdateTexts::caption(), BoxIcon::Information,
            BoxButtons::Ok);
    const OnlineUpdate::Download download =
        OnlineUpdate::downloadNewestWorkbook(site, ResultsFileName);
    UpdateUrl = download.workbookUrl;
    if (!download.arrived) {
        showBox(UpdateTexts::downloadFailed(WebAddress::forDisplay(UpdateUrl)),
                UpdateTexts::caption(), BoxIcon::Error, BoxButtons::Ok);
        return;
    }
    runImport();
}

void TForm1::ImportWorkbookFile(const QString& path) {
    // The import reads ResultsFileName and deletes it at its end. A dropped
    // file is never deleted, whatever its name (results.xlsx itself, left by a
    // failed import, included): the import runs on a private copy, for which
    // ResultsFileName stands while it runs.
    QTemporaryFile copy(QFileInfo(ResultsFileName).absolutePath() +
                        QLatin1String("/results-drop-XXXXXX.xlsx"));
    if (!copyFile(path, copy)) {
        showBox(UpdateTexts::downloadFailed(path), UpdateTexts::caption(), BoxIcon::Error,
                BoxButtons::Ok);
        return;
    }
    const QString resultsFile = std::exchange(ResultsFileName, copy.fileName());
    const auto restore = qScopeGuard([&] { ResultsFileName = resultsFile; });
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
        // A failed import keeps the rows before the failing one: the window
        // returns to rest and the list shows them, then the caller's error box
        // reports the failure.
        ADOQuery5->close();
        Label4->setText(UpdateTexts::progressAtRest());
        Label4->hide();
        PB1->hide();
        endUpdateState();
        Button11->click();
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
