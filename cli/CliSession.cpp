#include "cli/CliSession.h"

#include "cli/CliTexts.h"
#include "cli/Console.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "startup/Startup.h"
#include "startup/StartupPaths.h"
#include "startup/StartupTexts.h"

#include <QFileInfo>

namespace {
QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

CliSession::CliSession(const QString& appDir, const QString& dbOption, Console& console)
    : m_appDir(appDir), m_dbOption(dbOption), m_console(console) {}

CliSession::~CliSession() = default;

Connection& CliSession::connection() {
    return open();
}

Connection& CliSession::open() {
    if (m_connection)
        return *m_connection;
    QString path = m_dbOption;
    if (path.isEmpty()) {
        const Startup::Settings settings =
            Startup::readSettings(m_appDir, Startup::RelativeDb::OrProgramFolder);
        if (!settings.iniFound)
            throw AppError(StartupTexts::noConfiguration());
        path = settings.dbFileName;
        if (settings.configuredDbMissing)
            m_console.error(
                CliTexts::configuredDbMissing(settings.configuredDbFileName, absolute(path)));
    }
    if (QFileInfo(path).isDir())
        throw AppError(CliTexts::databaseIsFolder(absolute(path)));
    auto connection = std::make_unique<Connection>(QStringLiteral("numeron-cli"));
    try {
        m_game = Startup::openDatabase(*connection, path, Startup::Games::Any);
    } catch (const DatabaseBusy& e) {
        throw AppError(CliTexts::databaseBusy(e.message()));
    } catch (const Startup::NotProgramDatabase&) {
        throw;
    } catch (const AppError& e) {
        throw AppError(CliTexts::databaseNotOpened(absolute(path), StartupPaths::fileExists(path),
                                                   e.message()));
    }
    m_dbFileName = path;
    m_connection = std::move(connection);
    // One line, so that a log tells which file a run read or changed.
    m_console.error(CliTexts::databaseUsed(absolute(path)));
    return *m_connection;
}

QString CliSession::resultsPageUrl() const {
    return Startup::readSettings(m_appDir).resultsPageUrl;
}
