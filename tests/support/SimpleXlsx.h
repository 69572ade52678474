#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Writes a minimal .xlsx workbook whose first sheet holds the given rows, every
// cell as text (so each cell displays exactly its text); empty texts leave the
// cell out. For tests that need workbooks of a particular content.
bool writeSimpleXlsx(const QString& path, const QList<QStringList>& rows);
// The same workbook as bytes (to serve it over HTTP).
QByteArray simpleXlsxBytes(const QList<QStringList>& rows);

// A results heading and draw rows in the eighteen columns of the import;
// amount is the prize for five matches (column 12).
QStringList resultsHeading();
QStringList resultsRow(int tir, const QString& date, const QList<int>& drawn,
                       const QString& amount = QStringLiteral("1000"));
