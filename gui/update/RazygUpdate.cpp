// Importing the results workbook into the draws table.
#include "gui/Unit1.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "update/OnlineUpdate.h"
#include "update/UpdateTexts.h"
#include "widgets/RepaintingWait.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>

void TForm1::showProgress(int percent) {
    // Rows of the same percent show the same text: only a change is laid out.
    const QString text = UpdateTexts::progress(percent);
    if (Label4->text() != text) {
        Label4->setText(text);
        Label4->adjustSize();
    }
    PB1->setValue(percent);
}

void TForm1::RazygUpdate() {
    // Reading a large workbook takes seconds: the window keeps painting
    // meanwhile. The draws go through ADOQuery5, so the list sees them.
    DrawImport::ImportCounts counts;
    OnlineUpdate::importWorkbook(
        ResultsFileName, *ADOConnection1,
        [this](const ImportedDraw& draw) { DrawImport::insertDraw(*ADOQuery5, draw); }, FoundDrawNo,
        counts,
        [this](int percent) {
            QCoreApplication::processEvents();
            showProgress(percent);
        },
        runWhileRepainting);
    const bool imported = counts.added > 0;
    QFile::remove(ResultsFileName);
    showBox(imported ? UpdateTexts::updated() : UpdateTexts::nothingNew(), UpdateTexts::caption(),
            BoxIcon::Information, BoxButtons::Ok);
    Label4->setText(UpdateTexts::progressAtRest());
    Label4->hide();
    PB1->hide();
}
