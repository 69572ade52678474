#include "update/XlsxWorkbook.h"

#include "runtime/AppError.h"
#include "update/CellDisplay.h"
#include "update/XlsxContentReaders.h"
#include "update/XlsxPackageParts.h"
#include "update/ZipArchive.h"

namespace {

using namespace XlsxPackageParts;

const QString DefaultWorkbookPart = QStringLiteral("xl/workbook.xml");

// The main part of the package, named by the package relationships.
QString workbookPart(const ZipArchive& zip) {
    const QString packageRelationships = QStringLiteral("_rels/.rels");
    if (!zip.contains(packageRelationships))
        return DefaultWorkbookPart;
    const QList<Relationship> relationships = readRelationships(zip.read(packageRelationships));
    const Relationship* main = findByKind(relationships, QStringLiteral("officeDocument"));
    return main ? resolveTarget(QString(), main->target) : DefaultWorkbookPart;
}

} // namespace

XlsxWorkbook::XlsxWorkbook(const QString& path) {
    const ZipArchive zip(path);
    const QString workbook = workbookPart(zip);
    if (!zip.contains(workbook))
        throw AppError(QStringLiteral("Файл «%1» не является книгой Excel").arg(path));
    const WorkbookInfo info = readWorkbook(zip.read(workbook));
    m_date1904 = info.date1904;

    const QString relationshipsPart = relationshipsPartOf(workbook);
    const QList<Relationship> relationships = zip.contains(relationshipsPart)
                                                  ? readRelationships(zip.read(relationshipsPart))
                                                  : QList<Relationship>();
    const Relationship* sheet = findById(relationships, info.firstSheetRelationshipId);
    if (!sheet)
        throw AppError(QStringLiteral("В книге «%1» нет листов").arg(path));

    if (const Relationship* styles = findByKind(relationships, QStringLiteral("styles"))) {
        const QString part = resolveTarget(workbook, styles->target);
        if (zip.contains(part))
            m_styles = readCellFormats(zip.read(part));
    }
    QList<QString> sharedStrings;
    if (const Relationship* strings = findByKind(relationships, QStringLiteral("sharedStrings"))) {
        const QString part = resolveTarget(workbook, strings->target);
        if (zip.contains(part))
            sharedStrings = XlsxContentReaders::readSharedStrings(zip.read(part));
    }
    m_table = SheetTable(std::move(sharedStrings));
    XlsxContentReaders::readSheet(zip.read(resolveTarget(workbook, sheet->target)), m_table,
                                  m_date1904);
}

int XlsxWorkbook::lastUsedRow() const {
    return m_table.lastRow();
}

QString XlsxWorkbook::cellText(int row, int column) const {
    const SheetTable::Cell* cell = m_table.find(row, column);
    if (!cell)
        return QString();
    switch (cell->kind) {
    case SheetTable::Kind::Number:
        return cell->style < quint32(m_styles.size())
                   ? m_styles.at(cell->style).display(cell->number, m_date1904)
                   : CellDisplay::general(cell->number);
    case SheetTable::Kind::Text:
        return m_table.text(cell->text);
    case SheetTable::Kind::Boolean:
        return CellDisplay::boolean(cell->number != 0);
    case SheetTable::Kind::Formula:
        break;
    }
    return QString();
}
