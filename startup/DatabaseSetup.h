#pragma once

#include <QString>

// Creates what the program needs beside its executable and never creates
// itself: razyg.ini (section CONFIG, key filenamedb empty) and an empty
// database with the draws and bets tables. Existing files are left alone.
namespace DatabaseSetup {

// Creates the database file with its tables; throws AppError when it exists
// already or cannot be written.
void createDatabase(const QString& path);

// Creates whichever of razyg.ini and razyg.mdb is missing in dir. Returns a
// line per file created.
QStringList ensureDefaults(const QString& dir);

} // namespace DatabaseSetup
