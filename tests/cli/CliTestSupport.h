#pragma once

#include "tests/gui/support/TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What one run of numeron-cli left: its exit code and its two output streams.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
};

// A program folder with razyg.ini, an empty database and a copy of the built
// numeron-cli beside them, so that the copy finds its files as the window
// does. The test's event loop keeps running while the command runs (a test
// server in the same thread keeps answering).
class CliFolder {
public:
    CliFolder();
    TestApp app; // the folder, its database and SQL helpers
    QString program() const { return m_program; }
    QString path(const QString& name) const; // a file in the folder

    // Runs in the folder, or in workDir when given.
    CliRun run(const QStringList& arguments, int timeoutMs = 60000,
               const QString& workDir = {}) const;
    // The line on standard error that names the database a command used.
    QString databaseLine(const QString& name = QStringLiteral("razyg.mdb")) const;

    void writeIni(const QByteArray& text) const;
    void removeIni() const;
    // A results workbook in the folder, every cell as text.
    QString writeWorkbook(const QString& name, const QList<QStringList>& rows) const;

private:
    QString m_program;
};

// Runs SQL on any database file (outside the program).
void execSql(const QString& dbPath, const QString& statements);

// The 49 counts of "numeron-cli stats --format csv" output, ball 1 first.
QList<qint64> statsCounts(const QByteArray& csv);
