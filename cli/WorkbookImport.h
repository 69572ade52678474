#pragma once

#include "update/DrawImport.h"

#include <QString>

class CliSession;

// The online update's workbook import, for the command line: reads the
// workbook where it lies (the file is never changed or deleted), adds the
// draws the table lacks, and reports on the console.
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
Outcome importFile(CliSession& session, const QString& path, const QString& label);

} // namespace WorkbookImport
