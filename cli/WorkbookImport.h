#pragma once

#include "history/HistoryColumns.h"
#include "update/DrawImport.h"

#include <QString>
#include <vector>

class CliSession;

// The online update's import, for the command line: reads the workbook or
// the CSV history (told apart by content) where it lies (the file is never
// changed or deleted), adds the draws the table lacks, and reports on the
// console. A database of a game other than 6 из 49 takes CSV histories only.
namespace WorkbookImport {

// Imports the workbook at path; label names it in the messages (the path as
// the user wrote it, or the address it was downloaded from). Prints the rows
// read, the draws added and the draws already stored on standard output; a
// workbook that cannot be read, a cell that does not convert (its row,
// column and text) or a database failure on standard error. Throws only when
// the database cannot be opened.
struct Outcome {
    bool complete = false; // every row was imported
    DrawImport::ImportCounts counts;
    bool databaseBusy = false; // another program held it past the busy timeout
};
// columns: the CSV history's columns as given (--columns), or empty to find
// them.
Outcome importFile(CliSession& session, const QString& path, const QString& label,
                   const std::vector<HistoryColumns::Column>& columns = {});

} // namespace WorkbookImport
