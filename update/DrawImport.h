#pragma once

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

// Converts columns 2 to 18 of a row (column 1 is given, already converted).
// Throws AppError with the conversion's message; nothing is written then.
ImportedDraw readDraw(const Workbook& book, int row, int tir);

// Selection sort: each position takes the smallest remaining ball.
std::array<int, 6> sortedBalls(std::array<int, 6> balls);

// Whole percent of rows done: (row / rowCount) x 100, cut toward zero.
int progressPercent(int row, int rowCount);

// Posts the draw through target (open on the draws table) with all its columns.
void insertDraw(Query& target, const ImportedDraw& draw);

// Whether the draws table holds the draw number (the post of an earlier row
// counts, so a draw written twice in a workbook is stored once).
bool isStored(Connection& connection, int tir);

// Runs the import over rows 2 .. last used row: every row's draw number is
// looked up, and foundDrawNo receives it. afterRow is
// called after every row, imported or skipped, with the percent done. Returns
// whether anything was posted. A failing row stops the import with its error;
// rows posted before it stay.
bool importRows(const Workbook& book, Connection& connection, Query& target, int& foundDrawNo,
                const std::function<void(int percent)>& afterRow);

} // namespace DrawImport
