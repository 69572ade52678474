#include "startup/DatabaseSetup.h"

#include "runtime/AppError.h"
#include "startup/StartupPaths.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

namespace DatabaseSetup {

namespace {

const char* const kSchema = R"sql(
CREATE TABLE razyg (
  id INTEGER PRIMARY KEY,
  tir INTEGER,
  s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER,
  ss1 INTEGER, ss2 INTEGER, ss3 INTEGER, ss4 INTEGER, ss5 INTEGER, ss6 INTEGER,
  ch6 INTEGER, ch5 INTEGER, ch4 INTEGER, ch3 INTEGER,
  chv6 INTEGER, chv5 INTEGER, chv4 INTEGER, chv3 INTEGER,
  djp INTEGER, pfond INTEGER,
  tirdate TEXT
);
CREATE INDEX razyg_tir ON razyg (tir);
CREATE TABLE Rate (
  id INTEGER PRIMARY KEY,
  tir INTEGER,
  s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER
);
CREATE INDEX rate_tir ON Rate (tir);
)sql";

} // namespace

void createDatabase(const QString& path) {
    if (QFile::exists(path))
        throw AppError(QStringLiteral("The file %1 exists already").arg(path));
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    int rc =
        sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, kSchema, nullptr, nullptr, &error);
    QString message;
    if (rc != SQLITE_OK)
        message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw AppError(message);
    }
}

QStringList ensureDefaults(const QString& dir) {
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
        createDatabase(db);
        created.append(db);
    }
    return created;
}

} // namespace DatabaseSetup
