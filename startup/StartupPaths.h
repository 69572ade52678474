#pragma once

#include <QString>

// Where start-up finds its files: everything beside the executable, except a
// database named in the INI file, which is taken as written (a relative path
// against the current directory).
namespace StartupPaths {

QString iniFileName(const QString& appDir);     // appDir + "razyg.ini"
QString resultsFileName(const QString& appDir); // appDir + "results.xlsx"
QString defaultDbFileName(const QString& appDir);

// The configured database when a file exists there, else the default one.
QString resolveDbFileName(const QString& configured, const QString& appDir);

bool fileExists(const QString& path);

} // namespace StartupPaths
