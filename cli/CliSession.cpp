#include "cli/CliSession.h"

#include "app/IniReader.h"
#include "app/StartupPaths.h"
#include "app/StartupTexts.h"
#include "cli/CliTexts.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "update/ResultsSite.h"
#include "views/BallHits.h"

namespace {

QString readConfig(const QString& appDir, const char* key) {
    const IniReader ini(StartupPaths::iniFileName(appDir));
    return ini.readString(QStringLiteral("CONFIG"), QLatin1String(key));
}

} // namespace

CliSession::CliSession(const QString& appDir, const QString& dbOption, Console& console)
    : m_appDir(appDir), m_dbOption(dbOption), m_console(console) {}

CliSession::~CliSession() = default;

Connection& CliSession::connection() {
    if (m_connection)
        return *m_connection;
    QString path = m_dbOption;
    if (path.isEmpty()) {
        if (!StartupPaths::fileExists(StartupPaths::iniFileName(m_appDir)))
            throw AppError(StartupTexts::noConfiguration());
        path = StartupPaths::resolveDbFileName(readConfig(m_appDir, "filenamedb"), m_appDir);
    }
    auto connection = std::make_unique<Connection>(QStringLiteral("numeron-cli"));
    try {
        connection->open(path);
        registerBallHits(connection->handle());
    } catch (const DatabaseBusy& e) {
        throw AppError(CliTexts::databaseBusy(e.message()));
    } catch (const AppError& e) {
        throw AppError(StartupTexts::noDatabase() + QLatin1Char('\n') + path + QLatin1String(": ") +
                       e.message());
    }
    m_dbFileName = path;
    m_connection = std::move(connection);
    return *m_connection;
}

QString CliSession::resultsPageUrl() const {
    const QString configured = readConfig(m_appDir, "resultsurl");
    return configured.trimmed().isEmpty() ? ResultsSite::defaults().pageUrl : configured;
}
