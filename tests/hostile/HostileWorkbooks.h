#pragma once

#include "tests/hostile/ZipPackageWriter.h"
#include "workbook/xlsx/XlsxLimits.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Workbooks made to hurt a reader: texts that make a careless scanner
// quadratic, parts that inflate far beyond their file, cells and rows beyond
// the sheet's bounds, deep and unclosed XML. Each is written here rather than
// stored, sized so that it crosses the limit it aims at under the limits given.
struct HostileWorkbook {
    QString name; // also the file name without ".xlsx"
    QByteArray bytes;
    // A piece of the message the workbook is refused with; empty when it opens.
    QString refusal;
    // When it opens: its last used row and one cell it shows.
    int lastRow = 0;
    int row = 0;
    int column = 0;
    QString text;
};

// With reportedSizes, the attacks that a limit stops early come at the sizes
// they were found at (a gigabyte of rows or styles in a few hundred
// kilobytes), for measuring the reader against them.
QList<HostileWorkbook> hostileWorkbooks(const XlsxLimits& limits, bool reportedSizes = false);

// Small limits under which every hostile workbook is a few megabytes at most
// and is read in a fraction of a second.
XlsxLimits smallLimits();

// A one-sheet workbook package. The sheet text goes inside <sheetData>; styles
// and shared strings are whole parts, left out when empty.
QByteArray workbookPackage(const RepeatedText& sheetData, const RepeatedText& styles = {},
                           const RepeatedText& sharedStrings = {});
