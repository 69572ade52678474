#include "startup/DatabaseSetup.h"

#include "runtime/AppError.h"
#include "schema/GameRecord.h"
#include "schema/GameSchema.h"
#include "startup/StartupPaths.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

namespace DatabaseSetup {

void createDatabase(const QString& path, const Lottery::Game& game) {
    // Made here, and only when there is no file of that name: the engine
    // opens an empty file as an empty database.
    QFile file(path);
    if (QFile::exists(path) || !file.open(QIODevice::NewOnly)) {
        if (QFile::exists(path))
            throw FileExists(QStringLiteral("Файл «%1» уже есть: новая база данных не создаётся "
                                            "на месте другого файла")
                                 .arg(path));
        throw AppError(QStringLiteral("Файл «%1» не создаётся (%2)").arg(path, file.errorString()));
    }
    file.close();
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    int rc =
        sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    const QByteArray schema = GameSchema::createTables(game).toUtf8();
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, schema.constData(), nullptr, nullptr, &error);
    QString message;
    if (rc == SQLITE_OK && GameSchema::recordsGame(game)) {
        try {
            GameRecord::write(db, game);
        } catch (const AppError& e) {
            rc = SQLITE_ERROR;
            message = e.message();
        }
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, &error);
    if (rc != SQLITE_OK && message.isEmpty())
        message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw AppError(message);
    }
}

QStringList ensureDefaults(const QString& dir, const Lottery::Game& game) {
    QStringList created;
    const QString ini = StartupPaths::iniFileName(dir);
    if (!QFile::exists(ini)) {
        QFile file(ini);
        if (!file.open(QIODevice::WriteOnly) || file.write("[CONFIG]\nfilenamedb=\n") < 0)
            throw AppError(QStringLiteral("Cannot write %1").arg(ini));
        created.append(ini);
    }
    const QString db = StartupPaths::defaultDbFileName(dir);
    if (!QFile::exists(db)) {
        createDatabase(db, game);
        created.append(db);
    }
    return created;
}

} // namespace DatabaseSetup
