#pragma once

#include "game/Game.h"
#include "history/HistoryColumns.h"
#include "update/DrawImport.h"

#include <QString>
#include <functional>
#include <vector>

class Connection;

// Imports a draw history from a CSV file (see History::readCsvHistory) into
// the draws table of a database of the game:
// - a row whose draw number is stored already is skipped (also one earlier in
//   the same file);
// - in a file without draw numbers, a row with the date and balls of a
//   stored draw is skipped, and the new draws are numbered after the newest
//   stored one, in date order; one dated before the newest stored draw stops
//   the import, since its place in the numbering is not known;
// so that importing the same file twice adds nothing. Winners and prizes go
// to their category's columns where the file has them.
namespace CsvImport {

// At most this big (the reader's limit).
qint64 maxFileBytes();

// Whether the file's first bytes are text (a CSV history) rather than a
// workbook. False for a file that cannot be read.
bool isTextFile(const QString& path);

// Imports the file at path. counts grows row by row. A bad row stops the
// import with its DrawImport::ImportRowError, the rows before it stored. A
// file that cannot be read throws AppError, and one whose header cannot be
// placed History::CsvError, both before anything is stored; the engine's
// errors pass (DatabaseBusy too, with the counts telling what is stored).
// afterReading is called once the file is read and its rows checked.
void importFile(const QString& path, Connection& connection, const Lottery::Game& game,
                const std::vector<HistoryColumns::Column>& columns,
                DrawImport::ImportCounts& counts,
                const std::function<void(int percent)>& afterRow = {},
                const std::function<void()>& afterReading = {});

} // namespace CsvImport
