#include "startup/Startup.h"

#include "dataset/Connection.h"
#include "net/ResultsSite.h"
#include "startup/IniReader.h"
#include "startup/StartupPaths.h"
#include "views/BallHits.h"

namespace Startup {

Settings readSettings(const QString& appDir) {
    Settings settings;
    settings.iniFileName = StartupPaths::iniFileName(appDir);
    settings.resultsFileName = StartupPaths::resultsFileName(appDir);
    settings.iniFound = StartupPaths::fileExists(settings.iniFileName);
    const IniReader ini(settings.iniFileName);
    const QString section = QStringLiteral("CONFIG");
    settings.dbFileName = StartupPaths::resolveDbFileName(
        ini.readString(section, QStringLiteral("filenamedb")), appDir);
    settings.resultsPageUrl = ini.readString(section, QStringLiteral("resultsurl"));
    if (settings.resultsPageUrl.trimmed().isEmpty())
        settings.resultsPageUrl = ResultsSite::defaults().pageUrl;
    return settings;
}

void openDatabase(Connection& connection, const QString& path) {
    connection.open(path);
    registerBallHits(connection.handle());
}

} // namespace Startup
