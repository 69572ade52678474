#include "tests/hostile/HostileWorkbooks.h"

namespace {

const QByteArray MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray RelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray relationship(const char* id, const char* type, const char* target) {
    return QByteArray("<Relationship Id=\"") + id + "\" Type=\"" + RelationshipTypes + type +
           "\" Target=\"" + target + "\"/>";
}

QByteArray relationships(const QByteArray& items) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           items + "</Relationships>";
}

RepeatedText text(const QByteArray& whole) {
    return RepeatedText{whole, QByteArray(), 0, QByteArray()};
}

RepeatedText repeated(const QByteArray& head, const QByteArray& unit, qint64 count,
                      const QByteArray& tail) {
    return RepeatedText{head, unit, count, tail};
}

RepeatedText stylesPart(const RepeatedText& inside) {
    return repeated("<styleSheet xmlns=\"" + MainNamespace + "\">" + inside.head, inside.unit,
                    inside.count, inside.tail + "</styleSheet>");
}

RepeatedText sharedStringsPart(const RepeatedText& items) {
    return repeated("<sst xmlns=\"" + MainNamespace + "\">" + items.head, items.unit, items.count,
                    items.tail + "</sst>");
}

// What a workbook whose sheet needs `inflated` bytes of XML to reach the cell
// and text budget is refused with: that budget, or the inflate budget when
// the file is too small for so much XML.
QString budgetRefusal(const QByteArray& bytes, qint64 inflated, const XlsxLimits& limits) {
    return inflated < limits.inflateBudget(bytes.size()) ? QStringLiteral("Книга слишком велика")
                                                         : QStringLiteral("распаковываются");
}

HostileWorkbook refused(const QString& name, const QByteArray& bytes, const QString& refusal) {
    HostileWorkbook book;
    book.name = name;
    book.bytes = bytes;
    book.refusal = refusal;
    return book;
}

HostileWorkbook opened(const QString& name, const QByteArray& bytes, int lastRow, int row,
                       int column, const QString& text) {
    HostileWorkbook book;
    book.name = name;
    book.bytes = bytes;
    book.lastRow = lastRow;
    book.row = row;
    book.column = column;
    book.text = text;
    return book;
}

void addQuadraticTraps(QList<HostileWorkbook>& books) {
    // Before: every '&' looked ahead to the end of the text for a ';'.
    const qint64 many = 1000000;
    books.append(opened(QStringLiteral("ampersands-in-a-cell"),
                        workbookPackage(repeated("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>", "&",
                                                 many, "</v></c></row>")),
                        1, 1, 1, QString(qsizetype(many), QLatin1Char('&'))));
    books.append(opened(
        QStringLiteral("ampersands-between-tags"),
        workbookPackage(repeated("<row r=\"1\">", "&", many, "<c r=\"A1\"><v>5</v></c></row>")), 1,
        1, 1, QStringLiteral("5")));
    books.append(
        opened(QStringLiteral("references-without-end-in-shared-strings"),
               workbookPackage(text("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), {},
                               sharedStringsPart(repeated("<si><t>", "&amp", 200000, "</t></si>"))),
               1, 1, 1, QStringLiteral("&amp").repeated(200000)));
}

void addStyleAttacks(QList<HostileWorkbook>& books, const XlsxLimits& limits, bool reported) {
    const RepeatedText oneCell = text("<row r=\"1\"><c r=\"A1\" s=\"0\"><v>1</v></c></row>");
    const QByteArray xf = "<xf numFmtId=\"0\"/>";
    const QByteArray font = "<font><sz val=\"11\"/><name val=\"Arial\"/></font>";
    books.append(refused(
        QStringLiteral("huge-styles-part"),
        workbookPackage(oneCell,
                        stylesPart(repeated("<fonts>", font,
                                            limits.stylesBytes / font.size() + 1000, "</fonts>"))),
        QStringLiteral("часть книги больше")));
    books.append(refused(
        QStringLiteral("too-many-cell-styles"),
        workbookPackage(oneCell, stylesPart(repeated("<cellXfs>", xf, reported ? 20000000 : 65536,
                                                     "</cellXfs>"))),
        QStringLiteral("стилей ячеек")));
    QByteArray formats = "<numFmts>";
    for (int id = 164; id < 164 + 4097; ++id)
        formats += "<numFmt numFmtId=\"" + QByteArray::number(id) + "\" formatCode=\"0.0\"/>";
    books.append(refused(QStringLiteral("too-many-number-formats"),
                         workbookPackage(oneCell, stylesPart(text(formats + "</numFmts>"))),
                         QStringLiteral("форматов чисел")));
    books.append(refused(
        QStringLiteral("long-format-code"),
        workbookPackage(oneCell, stylesPart(text("<numFmts><numFmt numFmtId=\"164\" formatCode=\"" +
                                                 QByteArray(1001, '0') + "\"/></numFmts>"))),
        QStringLiteral("формат числа длиннее")));
    books.append(opened(
        QStringLiteral("deep-styles"),
        workbookPackage(oneCell, stylesPart(repeated(QByteArray(), "<a>", 500000, QByteArray()))),
        1, 1, 1, QStringLiteral("1")));
}

void addExpansionAttacks(QList<HostileWorkbook>& books, const XlsxLimits& limits, bool reported) {
    // Rows of 256 cells (4 KiB of cells each) until the cells outgrow their budget.
    const QByteArray row = "<row>" + QByteArray("<c><v>1</v></c>").repeated(256) + "</row>";
    const qint64 rows = limits.tableBytes / (256 * 16) + 16;
    const QByteArray cells = workbookPackage(repeated(QByteArray(), row, rows, QByteArray()));
    books.append(refused(QStringLiteral("huge-cells-part"), cells,
                         budgetRefusal(cells, rows * row.size(), limits)));

    const QByteArray item = "<si><t>" + QByteArray(100, 'x') + "</t></si>";
    const qint64 items = limits.tableBytes / 104 + 1000;
    const QByteArray strings =
        workbookPackage(text("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"), {},
                        sharedStringsPart(repeated(QByteArray(), item, items, QByteArray())));
    books.append(refused(QStringLiteral("huge-shared-strings"), strings,
                         budgetRefusal(strings, items * item.size(), limits)));

    // Counts and sizes that a reader must not take on trust.
    books.append(opened(
        QStringLiteral("declared-counts"),
        workbookPackage(text("<row r=\"1\" spans=\"1:16384\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                             "<c r=\"B1\" t=\"s\"><v>2147483647</v></c></row>"),
                        stylesPart(text("<cellXfs count=\"2147483647\"><xf/></cellXfs>")),
                        text("<sst xmlns=\"" + MainNamespace +
                             "\" count=\"2147483647\" uniqueCount=\"2147483647\">"
                             "<si><t>x</t></si></sst>")),
        1, 1, 1, QStringLiteral("x")));

    // Whitespace that inflates beyond the budget for a file of its size (about
    // a thousandth of the whitespace).
    const qint64 spaces = reported
                              ? (qint64(1) << 30) - 4096 // just below the member cap
                              : limits.inflateFloor + limits.inflateFloor / 5 + (qint64(1) << 20);
    books.append(refused(QStringLiteral("zip-bomb-member"),
                         workbookPackage(repeated(QByteArray(), " ", spaces, QByteArray())),
                         QStringLiteral("распаковываются")));
}

void addSheetBounds(QList<HostileWorkbook>& books, bool reported) {
    books.append(refused(QStringLiteral("row-beyond-the-sheet"),
                         workbookPackage(text("<row r=\"178956942\"><c><v>1</v></c></row>")),
                         QStringLiteral("строка 178956942 за пределами листа")));
    books.append(
        refused(QStringLiteral("rows-past-the-last-row"),
                // Reported: as many rows as fill the largest member the reader takes.
                workbookPackage(repeated(QByteArray(), "<row/>", reported ? 178956941 : 1048576,
                                         "<row><c><v>1</v></c></row>")),
                QStringLiteral("строка 1048577 за пределами листа")));
    books.append(refused(QStringLiteral("cell-beyond-XFD"),
                         workbookPackage(text("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")),
                         QStringLiteral("столбцов не больше 16 384")));
    books.append(
        refused(QStringLiteral("cells-past-the-last-column"),
                workbookPackage(repeated("<row r=\"1\">", "<c><v>1</v></c>", 16385, "</row>")),
                QStringLiteral("столбцов не больше 16 384")));
    books.append(opened(QStringLiteral("last-cell-of-the-sheet"),
                        workbookPackage(text("<row r=\"1048576\"><c r=\"XFD1048576\"><v>9</v></c>"
                                             "</row>")),
                        1048576, 1048576, 16384, QStringLiteral("9")));
}

void addBrokenXml(QList<HostileWorkbook>& books) {
    const qint64 deep = 1000000;
    books.append(
        opened(QStringLiteral("deep-nesting-in-a-value"),
               workbookPackage(repeated("<row r=\"1\"><c r=\"A1\"><v>" +
                                            QByteArray("<x>").repeated(qsizetype(deep)) + "42",
                                        "</x>", deep, "</v></c></row>")),
               1, 1, 1, QStringLiteral("42")));
    books.append(opened(QStringLiteral("deep-nesting-in-the-sheet"),
                        workbookPackage(repeated("<row r=\"2\"><c r=\"B2\"><v>3</v></c></row>",
                                                 "<row>", deep, QByteArray())),
                        2, 2, 2, QStringLiteral("3")));
    const QByteArray cellA1 = "<row r=\"1\"><c r=\"A1\"><v>5</v></c></row>";
    books.append(opened(QStringLiteral("unclosed-value"),
                        workbookPackage(text("<row r=\"1\"><c r=\"A1\"><v>5")), 1, 1, 1,
                        QStringLiteral("5")));
    books.append(opened(QStringLiteral("unclosed-comment"),
                        workbookPackage(repeated(cellA1 + "<!--", "x-", 5000000, QByteArray())), 1,
                        1, 1, QStringLiteral("5")));
    books.append(opened(QStringLiteral("unclosed-processing-instruction"),
                        workbookPackage(repeated(cellA1 + "<?x", "?", 5000000, QByteArray())), 1, 1,
                        1, QStringLiteral("5")));
    books.append(
        refused(QStringLiteral("unclosed-attribute-quote"),
                workbookPackage(repeated(cellA1 + "<row r=\"", ">", 2000000, QByteArray())),
                QStringLiteral("тег XML длиннее")));
    books.append(refused(QStringLiteral("unclosed-cdata-in-a-value"),
                         workbookPackage(repeated("<row r=\"1\"><c r=\"A1\" t=\"str\"><v><![CDATA[",
                                                  "x", 2000000, QByteArray())),
                         QStringLiteral("текст ячейки длиннее")));
    books.append(
        refused(QStringLiteral("long-inline-text"),
                workbookPackage(repeated("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>", "x",
                                         2000000, "</t></is></c></row>")),
                QStringLiteral("текст ячейки длиннее")));
}

} // namespace

QByteArray workbookPackage(const RepeatedText& sheetData, const RepeatedText& styles,
                           const RepeatedText& sharedStrings) {
    QByteArray workbookRelationships = relationship("rId1", "worksheet", "worksheets/sheet1.xml");
    if (styles.size() > 0)
        workbookRelationships += relationship("rId2", "styles", "styles.xml");
    if (sharedStrings.size() > 0)
        workbookRelationships += relationship("rId3", "sharedStrings", "sharedStrings.xml");
    ZipPackageWriter zip;
    zip.add("_rels/.rels",
            relationships(relationship("rId1", "officeDocument", "xl/workbook.xml")));
    zip.add("xl/workbook.xml",
            "<workbook xmlns=\"" + MainNamespace +
                "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "relationships\"><sheets><sheet name=\"Sheet\" sheetId=\"1\" r:id=\"rId1\"/>"
                "</sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels", relationships(workbookRelationships));
    zip.add("xl/worksheets/sheet1.xml",
            repeated("<worksheet xmlns=\"" + MainNamespace + "\"><sheetData>" + sheetData.head,
                     sheetData.unit, sheetData.count, sheetData.tail + "</sheetData></worksheet>"));
    if (styles.size() > 0)
        zip.add("xl/styles.xml", styles);
    if (sharedStrings.size() > 0)
        zip.add("xl/sharedStrings.xml", sharedStrings);
    return zip.bytes();
}

XlsxLimits smallLimits() {
    XlsxLimits limits;
    limits.inflateFloor = qint64(16) << 20;
    limits.smallPartBytes = qint64(1) << 20;
    limits.stylesBytes = qint64(2) << 20;
    limits.tableBytes = qint64(8) << 20;
    return limits;
}

QList<HostileWorkbook> hostileWorkbooks(const XlsxLimits& limits, bool reportedSizes) {
    QList<HostileWorkbook> books;
    addQuadraticTraps(books);
    addStyleAttacks(books, limits, reportedSizes);
    addExpansionAttacks(books, limits, reportedSizes);
    addSheetBounds(books, reportedSizes);
    addBrokenXml(books);
    return books;
}
