#pragma once

#include "game/Game.h"
#include "runtime/AppError.h"

#include <QString>

// Creates what the program needs beside its executable and never creates
// itself: razyg.ini (section CONFIG, key filenamedb empty) and an empty
// database with the draws and bets tables. Existing files are left alone.
namespace DatabaseSetup {

// The file to be made is there already; it is left as it is.
class FileExists : public AppError {
public:
    using AppError::AppError;
};

// Creates the database file with the tables of its game (see GameSchema;
// 6 из 49 without one: the program's original tables); throws FileExists
// when there is a file at path, AppError when it cannot be written (leaving
// no file behind).
void createDatabase(const QString& path, const Lottery::Game& game = Lottery::Game());

// Creates whichever of razyg.ini and razyg.mdb is missing in dir, the
// database for the game given. Returns a line per file created.
QStringList ensureDefaults(const QString& dir, const Lottery::Game& game = Lottery::Game());

} // namespace DatabaseSetup
