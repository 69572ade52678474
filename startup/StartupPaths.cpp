#include "startup/StartupPaths.h"

#include <QDir>
#include <QFileInfo>

namespace StartupPaths {

namespace {
QString inDir(const QString& appDir, const char* name) {
    return QDir(appDir).filePath(QLatin1String(name));
}
} // namespace

QString iniFileName(const QString& appDir) {
    return inDir(appDir, "razyg.ini");
}
QString resultsFileName(const QString& appDir) {
    return inDir(appDir, "results.xlsx");
}
QString defaultDbFileName(const QString& appDir) {
    return inDir(appDir, "razyg.mdb");
}

bool fileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString resolveDbFileName(const QString& configured, const QString& appDir) {
    return fileExists(configured) ? configured : defaultDbFileName(appDir);
}

} // namespace StartupPaths
