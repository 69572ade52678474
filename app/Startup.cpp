// Start-up of the main window and the draws grid's mouse wheel.
#include "app/IniReader.h"
#include "app/StartupPaths.h"
#include "app/StartupTexts.h"
#include "app/Unit1.h"
#include "app/WheelRows.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "update/ResultsSite.h"
#include "views/BallHits.h"
#include "widgets/DbGrid.h"

#include <QWheelEvent>

void TForm1::FormCreate(QObject*) {
    IniFileName = StartupPaths::iniFileName(m_appDir);
    ResultsFileName = StartupPaths::resultsFileName(m_appDir);
    PadCount = 0;
    try {
        const IniReader ini(IniFileName);
        DbFileName = ini.readString(QStringLiteral("CONFIG"), QStringLiteral("filenamedb"));
        ResultsPageUrl = ini.readString(QStringLiteral("CONFIG"), QStringLiteral("resultsurl"));
    } catch (const std::exception&) {
        showBox(QStringLiteral("Ошибка настройки конфигурации"), applicationTitle(), BoxIcon::None,
                BoxButtons::Ok, false);
    }
    if (!StartupPaths::fileExists(IniFileName)) {
        showBox(StartupTexts::noConfiguration(), StartupTexts::noConfigurationCaption(),
                BoxIcon::Error, BoxButtons::Ok);
        terminate();
        return;
    }
    if (ResultsPageUrl.trimmed().isEmpty())
        ResultsPageUrl = ResultsSite::defaults().pageUrl;
    DbFileName = StartupPaths::resolveDbFileName(DbFileName, m_appDir);
    ADOConnection1->close();
    try {
        ADOConnection1->open(DbFileName);
        registerBallHits(ADOConnection1->handle());
    } catch (const std::exception&) {
        showBox(StartupTexts::noDatabase(), StartupTexts::noDatabaseCaption(), BoxIcon::Error,
                BoxButtons::Ok);
        terminate();
        return;
    }
    // Every wheel message to the draws grid goes to DBGrid1WindowProc, whichever
    // part of it is under the mouse: cells, title row, row indicator, scroll
    // bars or corner.
    DBGrid1->installEventFilter(this);
    for (QWidget* part : DBGrid1->findChildren<QWidget*>())
        part->installEventFilter(this);
    try {
        ADOQuery1->clearSql();
        ADOQuery1->addSql(QStringLiteral("SELECT * FROM Razyg order by tir desc"));
        ADOQuery1->open();
        ADOQuery3->open();
        ADOQuery4->open();
    } catch (const std::exception&) {
        // The window runs with whatever opened.
    }
}

bool TForm1::DBGrid1WindowProc(QEvent* message) {
    if (message->type() != QEvent::Wheel)
        return false;
    const auto* wheel = static_cast<QWheelEvent*>(message);
    const int delta = wheel->angleDelta().y();
    Query* list = DBGrid1->dataSource()->dataSet();
    list->moveBy(wheelRows(delta));
    return true;
}
