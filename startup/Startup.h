#pragma once

#include <QString>

class Connection;

// Start-up shared by the window and the command line: where the files lie,
// what razyg.ini says, and opening the database with the program's own SQL
// functions.
namespace Startup {

struct Settings {
    QString iniFileName;     // razyg.ini beside the executable
    QString resultsFileName; // results.xlsx beside the executable
    bool iniFound = false;
    // CONFIG/filenamedb when a file exists there, else razyg.mdb beside the
    // executable.
    QString dbFileName;
    // CONFIG/resultsurl, or the built-in results page when it is empty.
    QString resultsPageUrl;
};

// Reads razyg.ini in appDir; a missing file reads as empty keys (iniFound
// tells).
Settings readSettings(const QString& appDir);

// Opens the database file at path on connection and registers the SQL
// functions the views use. Throws what Connection::open throws.
void openDatabase(Connection& connection, const QString& path);

} // namespace Startup
