#pragma once

#include "game/Game.h"

#include <QString>
#include <memory>

class Connection;
class Console;

// What the commands work on: the database and the settings of razyg.ini,
// found the way the window finds them (razyg.ini beside the executable, its
// CONFIG/filenamedb, else razyg.mdb beside the executable), or the database
// named by --db.
class CliSession {
public:
    // dbOption: the path given with --db, or empty.
    CliSession(const QString& appDir, const QString& dbOption, Console& console);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    Console& console() { return m_console; }

    // The database, opened on first use. Throws AppError with the window's
    // message when there is no razyg.ini (and no --db) or the database cannot
    // be opened (the engine's reason on a second line). The database may be
    // of any game: game() tells which.
    Connection& connection();
    // The game of the database (valid once it is open).
    const Lottery::Game& game() const { return m_game; }
    // The path given with --db, or empty.
    QString dbOption() const { return m_dbOption; }
    // The database file used (valid once connection() succeeded).
    QString dbFileName() const { return m_dbFileName; }

    // The results page of the online update: CONFIG/resultsurl of razyg.ini,
    // or the built-in page when it is empty or there is no razyg.ini.
    QString resultsPageUrl() const;

private:
    Connection& open();
    QString m_appDir;
    Lottery::Game m_game;
    QString m_dbOption;
    QString m_dbFileName;
    Console& m_console;
    std::unique_ptr<Connection> m_connection;
};
