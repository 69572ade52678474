#pragma once

#include "game/Game.h"
#include "runtime/AppError.h"

#include <QString>

class Connection;

// Start-up shared by the window and the command line: where the files lie,
// what razyg.ini says, and opening the database with the program's own SQL
// functions.
namespace Startup {

// How a relative CONFIG/filenamedb is found: against the current directory
// (the window's rule), or there and else in the program's folder — where the
// window started from its menu entry finds it, so that a command run by cron
// from the home folder reads the same database.
enum class RelativeDb { CurrentDirectory, OrProgramFolder };

struct Settings {
    QString iniFileName;     // razyg.ini beside the executable
    QString resultsFileName; // results.xlsx beside the executable
    bool iniFound = false;
    // CONFIG/filenamedb when a file exists there, else razyg.mdb beside the
    // executable.
    QString dbFileName;
    // CONFIG/filenamedb as written, and whether it named a file that does not
    // exist, so that the default was taken instead.
    QString configuredDbFileName;
    bool configuredDbMissing = false;
    // CONFIG/resultsurl, or the built-in results page when it is empty.
    QString resultsPageUrl;
};

// Reads razyg.ini in appDir; a missing file reads as empty keys (iniFound
// tells).
Settings readSettings(const QString& appDir, RelativeDb relativeDb = RelativeDb::CurrentDirectory);

// A file that opens (or exists) but is not the program's database: not an
// SQLite file, one without the tables razyg and Rate, or one whose record of
// its game is damaged. It is left as it was.
class NotProgramDatabase : public AppError {
public:
    using AppError::AppError;
};

// The program's database of a game the caller cannot honour yet (the window
// shows 6 из 49 only). A NotProgramDatabase too, so that whoever refuses
// foreign files refuses it with its message; the file is left as it was.
class OtherGameDatabase : public NotProgramDatabase {
public:
    OtherGameDatabase(const QString& message, const Lottery::Game& game)
        : NotProgramDatabase(message), m_game(game) {}
    const Lottery::Game& game() const { return m_game; }

private:
    Lottery::Game m_game;
};

// Which games the caller of openDatabase works with.
enum class Games { SixFromFortyNine, Any };

// Opens the database file at path on connection, reads its game (see
// GameRecord) and registers the SQL functions the views use. Throws
// NotProgramDatabase for a file that is not the program's database,
// OtherGameDatabase for one of a game other than 6 из 49 unless games is Any
// (the connection stays closed and nothing is written to the file either
// way), else what Connection::open throws. Returns the game.
Lottery::Game openDatabase(Connection& connection, const QString& path,
                           Games games = Games::SixFromFortyNine);

} // namespace Startup
