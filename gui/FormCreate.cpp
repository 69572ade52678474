// Start-up of the main window and the draws grid's mouse wheel.
#include "gui/Unit1.h"
#include "gui/WheelRows.h"
#include "startup/Startup.h"
#include "startup/StartupPaths.h"
#include "startup/StartupTexts.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "dataset/SqlTexts.h"
#include "runtime/ApplicationTitle.h"
#include "widgets/DbGrid.h"

#include <QWheelEvent>

void TForm1::FormCreate(QObject*) {
    PadCount = 0;
    Startup::Settings settings;
    try {
        settings = Startup::readSettings(m_appDir);
    } catch (const std::exception&) {
        showBox(QStringLiteral("Ошибка настройки конфигурации"), applicationTitle(), BoxIcon::None,
                BoxButtons::Ok, false);
    }
    IniFileName = StartupPaths::iniFileName(m_appDir);
    ResultsFileName = StartupPaths::resultsFileName(m_appDir);
    if (!settings.iniFound) {
        showBox(StartupTexts::noConfiguration(), StartupTexts::noConfigurationCaption(),
                BoxIcon::Error, BoxButtons::Ok);
        terminate();
        return;
    }
    ResultsPageUrl = settings.resultsPageUrl;
    DbFileName = settings.dbFileName;
    ADOConnection1->close();
    try {
        Startup::openDatabase(*ADOConnection1, DbFileName);
    } catch (const Startup::NotProgramDatabase& e) {
        // Another program's file: say so plainly and leave it alone.
        showBox(e.message(), StartupTexts::noDatabaseCaption(), BoxIcon::Error, BoxButtons::Ok);
        terminate();
        return;
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
        ADOQuery1->addSql(SqlTexts::drawList());
        ADOQuery1->open();
        ADOQuery3->open();
        ADOQuery4->open();
    } catch (const std::exception&) {
        // The window runs with whatever opened.
    }
    startFollowingOtherPrograms();
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
