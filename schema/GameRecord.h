#pragma once

#include "game/Game.h"
#include "runtime/AppError.h"

struct sqlite3;

// The game a database records (see GameSchema): read when a database is
// opened, written when one is made.
namespace GameRecord {

// The table `game` is there but does not describe a game, or the draws and
// bets tables lack a column of the game it describes. The message says what.
class DamagedRecord : public AppError {
public:
    using AppError::AppError;
};

// The game of the open database: 6 из 49 without a table `game`, else the
// game its one row describes, after checking that razyg and Rate have every
// column of it. Throws DamagedRecord, or the engine's error.
Lottery::Game read(sqlite3* db);

// Writes the one row of the table `game` (made by GameSchema::createTables).
void write(sqlite3* db, const Lottery::Game& game);

} // namespace GameRecord
