#pragma once

#include "workbook/NumberFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>

class XmlScanner;

// Reading the small parts of an .xlsx package that lead to the first worksheet
// and describe its cells: relationships, the workbook and the styles. They are
// read with the same scanner as the worksheet, which keeps no more than one
// tag at a time, whatever the part holds.
namespace XlsxPackageParts {

struct Relationship {
    QString id;
    QString type; // the relationship type URI
    QString target;
    bool external = false;
};

QList<Relationship> readRelationships(XmlScanner& xml);

// The first relationship whose type ends with "/" + kind ("officeDocument",
// "worksheet", "sharedStrings", "styles"), or the one with the given id.
const Relationship* findByKind(const QList<Relationship>& relationships, const QString& kind);
const Relationship* findById(const QList<Relationship>& relationships, const QString& id);

// The relationships part of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
QString relationshipsPartOf(const QString& part);

// The part name a target refers to from the part `source`: absolute targets
// ("/xl/worksheets/sheet1.xml") from the package root, relative ones from the
// folder of the source; "." and ".." resolved, percent escapes decoded.
QString resolveTarget(const QString& source, const QString& target);

struct WorkbookInfo {
    QString firstSheetRelationshipId; // empty when the workbook lists no sheet
    bool date1904 = false;
};
WorkbookInfo readWorkbook(XmlScanner& xml);

// The number format of every cell style (cellXfs entry), in style order. More
// styles than a cell can refer to, more than 4,096 number formats or a format
// code longer than 1,000 characters are thrown as a damaged workbook.
QList<NumberFormat> readCellFormats(XmlScanner& xml);

} // namespace XlsxPackageParts
