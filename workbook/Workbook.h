#pragma once

#include <QString>
#include <memory>

// A results workbook opened for reading its first worksheet: the last row that
// holds a cell and the text each cell displays. Failures are thrown as AppError.
class Workbook {
public:
    virtual ~Workbook() = default;

    // Opens the workbook at the path, choosing the reader by the file's content
    // (not its name): a ZIP package is read as .xlsx/.xlsm, an OLE2 compound
    // file as a legacy .xls; anything else is refused.
    static std::unique_ptr<Workbook> open(const QString& path);

    // The number of the last row of the first worksheet that holds a cell (a
    // value or a formula); 0 for an empty sheet.
    virtual int lastUsedRow() const = 0;
    // The text the cell shows in the Russian locale; row and column count from 1.
    // Empty for an empty or missing cell.
    virtual QString cellText(int row, int column) const = 0;
};
