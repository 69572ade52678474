#include "tests/cli/CliTestSupport.h"

#include "tests/support/SimpleXlsx.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <sqlite3.h>

CliFolder::CliFolder() : m_program(path(QStringLiteral("numeron-cli"))) {
    if (!QFile::copy(QStringLiteral(NUMERON_CLI), m_program))
        qFatal("cannot copy %s", NUMERON_CLI);
}

QString CliFolder::path(const QString& name) const {
    return QDir(app.dir()).filePath(name);
}

QString CliFolder::databaseLine(const QString& name) const {
    return QStringLiteral("numeron-cli: база данных «%1»\n").arg(path(name));
}

CliRun CliFolder::run(const QStringList& arguments, int timeoutMs, const QString& workDir) const {
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workDir.isEmpty() ? app.dir() : workDir);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start();
    loop.exec();
    CliRun result;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void CliFolder::writeIni(const QByteArray& text) const {
    QFile ini(path(QStringLiteral("razyg.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write(text) != text.size())
        qFatal("cannot write razyg.ini");
}

void CliFolder::removeIni() const {
    QFile::remove(path(QStringLiteral("razyg.ini")));
}

QString CliFolder::writeWorkbook(const QString& name, const QList<QStringList>& rows) const {
    const QString file = path(name);
    if (!writeSimpleXlsx(file, rows))
        qFatal("cannot write %s", qPrintable(file));
    return file;
}

void execSql(const QString& dbPath, const QString& statements) {
    sqlite3* db = nullptr;
    char* error = nullptr;
    if (sqlite3_open(dbPath.toUtf8().constData(), &db) != SQLITE_OK ||
        sqlite3_exec(db, statements.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("SQL on %s failed: %s", qPrintable(dbPath), error ? error : sqlite3_errmsg(db));
    sqlite3_close(db);
}

QList<qint64> statsCounts(const QByteArray& csv) {
    QList<qint64> counts;
    const QList<QByteArray> lines = csv.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).trimmed().split(',');
        if (fields.size() == 2)
            counts.append(fields.at(1).toLongLong());
    }
    return counts;
}
