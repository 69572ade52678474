#include "startup/Startup.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "net/ResultsSite.h"
#include "schema/GameRecord.h"
#include "startup/IniReader.h"
#include "startup/StartupPaths.h"
#include "startup/StartupTexts.h"
#include "views/BallHits.h"

#include <QDir>
#include <QFile>

namespace Startup {

Settings readSettings(const QString& appDir, RelativeDb relativeDb) {
    Settings settings;
    settings.iniFileName = StartupPaths::iniFileName(appDir);
    settings.resultsFileName = StartupPaths::resultsFileName(appDir);
    settings.iniFound = StartupPaths::fileExists(settings.iniFileName);
    const IniReader ini(settings.iniFileName);
    const QString section = QStringLiteral("CONFIG");
    const QString configured = ini.readString(section, QStringLiteral("filenamedb"));
    settings.configuredDbFileName = configured;
    QString candidate = configured;
    if (relativeDb == RelativeDb::OrProgramFolder && !StartupPaths::fileExists(configured) &&
        QDir::isRelativePath(configured) && !configured.trimmed().isEmpty())
        candidate = QDir(appDir).filePath(configured);
    settings.dbFileName = StartupPaths::resolveDbFileName(candidate, appDir);
    settings.configuredDbMissing =
        !configured.trimmed().isEmpty() && !StartupPaths::fileExists(candidate);
    settings.resultsPageUrl = ini.readString(section, QStringLiteral("resultsurl"));
    if (settings.resultsPageUrl.trimmed().isEmpty())
        settings.resultsPageUrl = ResultsSite::defaults().pageUrl;
    return settings;
}

namespace {

// Whether the file at path is there, readable, and not an SQLite file: empty
// or of another header. (The engine opens an empty file as an empty database
// and would write its own header into it on the first write.)
bool isForeignFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray header("SQLite format 3\0", 16);
    return file.read(header.size()) != header;
}

} // namespace

Lottery::Game openDatabase(Connection& connection, const QString& path, Games games) {
    const auto refuse = [&](const QString& reason) {
        connection.close();
        throw NotProgramDatabase(StartupTexts::notProgramDatabase(path, reason));
    };
    try {
        connection.open(path);
    } catch (const AppError& e) {
        if (StartupPaths::fileExists(path) && isForeignFile(path))
            refuse(e.message());
        throw;
    }
    if (isForeignFile(path))
        refuse({});
    bool bothTables = false;
    {
        Statement tables(connection,
                         QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                        "AND lower(name) IN ('razyg', 'rate')"));
        bothTables = tables.step() && tables.value(0).toInt() == 2;
    }
    if (!bothTables)
        refuse({});
    Lottery::Game game;
    try {
        game = GameRecord::read(connection.handle());
    } catch (const GameRecord::DamagedRecord& e) {
        connection.close();
        throw NotProgramDatabase(StartupTexts::damagedGameRecord(path, e.message()));
    } catch (...) {
        connection.close();
        throw;
    }
    if (games == Games::SixFromFortyNine && !game.isSixFromFortyNine()) {
        connection.close();
        throw OtherGameDatabase(StartupTexts::otherGame(path, StartupTexts::gameTitle(game)), game);
    }
    registerBallHits(connection.handle());
    return game;
}

} // namespace Startup
