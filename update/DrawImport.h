#pragma once

#include "runtime/AppError.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>

class Connection;
class Query;
class Workbook;

// One draw of the results workbook, converted from the cells' displayed texts.
struct ImportedDraw {
    int tir = 0;
    QDate date;
    std::array<int, 6> drawn{}; // in the order drawn
    int ch6 = 0, ch5 = 0, ch4 = 0, ch3 = 0;
    qint64 chv6 = 0, chv5 = 0, chv4 = 0, chv3 = 0, djp = 0, pfond = 0;
};

// Imports the draws of a results workbook that the draws table lacks: first
// worksheet, a heading row, then one draw per row in eighteen columns.
namespace DrawImport {

// How far an import got: rows read (heading excluded), draws added and draws
// the table held already. Kept up to date row by row, so that it also tells
// how far a failed import came.
struct ImportCounts {
    int rowsRead = 0;
    int added = 0;
    int alreadyStored = 0;
};

// A workbook cell that does not convert, or a ball that cannot have been
// drawn. The message of a conversion is the conversion's own ("'x' is not a
// valid integer value"); that of a ball names its row and column itself, and
// reason() is then what is wrong without them. Row and column count from 1.
class ImportRowError : public AppError {
public:
    ImportRowError(const QString& message, int row, int column, const QString& cellText,
                   const QString& reason = {})
        : AppError(message), m_row(row), m_column(column), m_cellText(cellText),
          m_reason(reason.isEmpty() ? message : reason) {}
    int row() const { return m_row; }
    int column() const { return m_column; }
    QString cellText() const { return m_cellText; }
    QString reason() const { return m_reason; }

private:
    int m_row;
    int m_column;
    QString m_cellText;
    QString m_reason;
};

// Converts columns 2 to 18 of a row (column 1 is given, already converted).
// Throws ImportRowError with the conversion's message, or when the six balls
// are not six distinct numbers from 1 to 49; nothing is written then.
ImportedDraw readDraw(const Workbook& book, int row, int tir);

// Selection sort: each position takes the smallest remaining ball.
std::array<int, 6> sortedBalls(std::array<int, 6> balls);

// Whole percent of rows done: (row / rowCount) x 100, cut toward zero.
int progressPercent(int row, int rowCount);

// Posts the draw through target (open on the draws table) with all its columns.
void insertDraw(Query& target, const ImportedDraw& draw);
// Writes the same row straight into the draws table, for an import that shows
// no rows (the command line): no dataset, one prepared statement.
void insertDraw(Connection& connection, const ImportedDraw& draw);

// Stores one converted draw (one of the insertDraw above).
using DrawWriter = std::function<void(const ImportedDraw& draw)>;

// Whether the draws table holds the draw number (the post of an earlier row
// counts, so a draw written twice in a workbook is stored once).
bool isStored(Connection& connection, int tir);

// Runs the import over rows 2 .. last used row: every row's draw number is
// looked up, and foundDrawNo receives it. afterRow is called after every row,
// imported or skipped, with the percent done. counts grows row by row. A
// failing row stops the import with its ImportRowError (or the engine's
// error); rows posted before it stay. A chunk the database refuses to commit
// (DatabaseBusy when another process holds it too long) is rolled back, and
// counts then tell what is stored.
//
// The posts are written in chunks of a few hundred milliseconds: one disk
// sync per chunk rather than per draw keeps the import fast, and a process
// killed half-way loses at most the chunk it was writing.
void importRows(const Workbook& book, Connection& connection, const DrawWriter& write,
                int& foundDrawNo, ImportCounts& counts,
                const std::function<void(int percent)>& afterRow);
// The window's import: new draws are posted through target.
void importRows(const Workbook& book, Connection& connection, Query& target, int& foundDrawNo,
                ImportCounts& counts, const std::function<void(int percent)>& afterRow);

} // namespace DrawImport
