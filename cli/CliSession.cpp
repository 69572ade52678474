#include "cli/CliSession.h"

#include "cli/CliTexts.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "startup/Startup.h"
#include "startup/StartupTexts.h"

CliSession::CliSession(const QString& appDir, const QString& dbOption, Console& console)
    : m_appDir(appDir), m_dbOption(dbOption), m_console(console) {}

CliSession::~CliSession() = default;

Connection& CliSession::connection() {
    if (m_connection)
        return *m_connection;
    QString path = m_dbOption;
    if (path.isEmpty()) {
        const Startup::Settings settings = Startup::readSettings(m_appDir);
        if (!settings.iniFound)
            throw AppError(StartupTexts::noConfiguration());
        path = settings.dbFileName;
    }
    auto connection = std::make_unique<Connection>(QStringLiteral("numeron-cli"));
    try {
        Startup::openDatabase(*connection, path);
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
    return Startup::readSettings(m_appDir).resultsPageUrl;
}
