#include "tests/support/SimpleXlsx.h"

#include <QFile>
#include <QTemporaryDir>
#include <zip.h>

namespace {

QString columnName(int column) {
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

QByteArray sheetXml(const QList<QStringList>& rows) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>";
    for (int r = 0; r < rows.size(); ++r) {
        xml += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QString text = rows.at(r).at(c);
            if (text.isEmpty())
                continue;
            xml += "<c r=\"" + (columnName(c + 1) + QString::number(r + 1)).toUtf8() +
                   "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" +
                   text.toHtmlEscaped().toUtf8() + "</t></is></c>";
        }
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

bool add(zip_t* archive, const char* name, const QByteArray& data) {
    auto* copy = static_cast<char*>(malloc(static_cast<size_t>(data.size())));
    memcpy(copy, data.constData(), static_cast<size_t>(data.size()));
    zip_source_t* source =
        zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(data.size()), 1);
    return source && zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) >= 0;
}

} // namespace

bool writeSimpleXlsx(const QString& path, const QList<QStringList>& rows) {
    int error = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    bool ok = add(archive, "[Content_Types].xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
                  "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                  "<Default Extension=\"rels\" "
                  "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                  "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                  "<Override PartName=\"/xl/workbook.xml\" "
                  "ContentType=\"application/"
                  "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                  "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
                  "ContentType=\"application/"
                  "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>");
    ok = ok && add(archive, "_rels/.rels",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                   "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" "
                   "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                   "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    ok = ok && add(archive, "xl/workbook.xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook "
                   "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                   "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                   "relationships\"><sheets><sheet name=\"Results\" sheetId=\"1\" "
                   "r:id=\"rId1\"/></sheets></workbook>");
    ok = ok && add(archive, "xl/_rels/workbook.xml.rels",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                   "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" "
                   "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                   "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
    ok = ok && add(archive, "xl/worksheets/sheet1.xml", sheetXml(rows));
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    return ok;
}

QByteArray simpleXlsxBytes(const QList<QStringList>& rows) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("workbook.xlsx"));
    QFile file(path);
    if (!writeSimpleXlsx(path, rows) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList resultsHeading() {
    QStringList heading;
    for (const char* title :
         {"Тираж", "Дата", "Шар 1", "Шар 2", "Шар 3", "Шар 4", "Шар 5", "Шар 6", "6", "Выигрыш 6",
          "5", "Выигрыш 5", "4", "Выигрыш 4", "3", "Выигрыш 3", "Джекпот", "Призовой фонд"})
        heading.append(QString::fromUtf8(title));
    return heading;
}

QStringList resultsRow(int tir, const QString& date, const QList<int>& drawn,
                       const QString& amount) {
    QStringList row{QString::number(tir), date};
    for (int ball : drawn)
        row.append(QString::number(ball));
    row << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("2") << amount
        << QStringLiteral("30") << QStringLiteral("2000") << QStringLiteral("700")
        << QStringLiteral("300") << QStringLiteral("5000000") << QStringLiteral("9000000");
    return row;
}
