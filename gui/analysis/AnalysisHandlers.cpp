// The status-bar button "Анализ (F9)" and the key F9: the analysis window.
#include "gui/Unit1.h"

#include "dataset/Connection.h"
#include "gui/analysis/AnalysisWindow.h"

void TForm1::AnalysisButtonClick(QObject*) {
    if (!AnalysisForm) {
        AnalysisForm = std::make_unique<AnalysisWindow>(*ADOConnection1, m_boxes);
        // Where the user left it last time, else beside the main window.
        if (!AnalysisForm->restoreSavedPlace())
            AnalysisForm->placeBeside(this);
    }
    AnalysisForm->show();
    AnalysisForm->raise();
    AnalysisForm->activateWindow();
}
