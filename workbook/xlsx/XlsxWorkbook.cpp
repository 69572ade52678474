#include "workbook/xlsx/XlsxWorkbook.h"

#include "runtime/AppError.h"
#include "workbook/CellStyles.h"
#include "workbook/xlsx/ReadAhead.h"
#include "workbook/xlsx/XlsxContentReaders.h"
#include "workbook/xlsx/XlsxPackageParts.h"
#include "workbook/xlsx/XmlScanner.h"
#include "workbook/xlsx/ZipArchive.h"

namespace {

using namespace XlsxPackageParts;

const QString DefaultWorkbookPart = QStringLiteral("xl/workbook.xml");

// Runs a reader over a member as it is inflated; the member may inflate to
// maxBytes at most.
template <typename Reader>
auto scanMember(ZipArchive& zip, const QString& part, qint64 maxBytes, Reader read) {
    const std::unique_ptr<ZipArchive::Member> member = zip.open(part, maxBytes);
    XmlScanner xml(
        [&member](char* buffer, qsizetype capacity) { return member->read(buffer, capacity); });
    return read(xml);
}

// The same for the large parts, inflated on a thread of their own while they
// are scanned.
template <typename Reader> void scanLargeMember(ZipArchive& zip, const QString& part, Reader read) {
    const std::unique_ptr<ZipArchive::Member> member = zip.open(part);
    ReadAhead inflated(
        [&member](char* buffer, qsizetype capacity) { return member->read(buffer, capacity); });
    XmlScanner xml(
        [&inflated](char* buffer, qsizetype capacity) { return inflated.read(buffer, capacity); });
    read(xml);
}

// The main part of the package, named by the package relationships.
QString workbookPart(ZipArchive& zip, qint64 maxBytes) {
    const QString packageRelationships = QStringLiteral("_rels/.rels");
    if (!zip.contains(packageRelationships))
        return DefaultWorkbookPart;
    const QList<Relationship> relationships =
        scanMember(zip, packageRelationships, maxBytes, readRelationships);
    const Relationship* main = findByKind(relationships, QStringLiteral("officeDocument"));
    return main ? resolveTarget(QString(), main->target) : DefaultWorkbookPart;
}

} // namespace

XlsxWorkbook::XlsxWorkbook(const QString& path, const XlsxLimits& limits)
    : m_table(limits.tableBytes) {
    ZipArchive zip(path);
    read(zip, path, limits);
}

XlsxWorkbook::XlsxWorkbook(const QByteArray& bytes, const QString& label, const XlsxLimits& limits)
    : m_table(limits.tableBytes) {
    ZipArchive zip(bytes, label);
    read(zip, label, limits);
}

void XlsxWorkbook::read(ZipArchive& zip, const QString& label, const XlsxLimits& limits) {
    zip.setInflateLimit(limits.inflateBudget(zip.archiveSize()));
    const QString workbook = workbookPart(zip, limits.smallPartBytes);
    if (!zip.contains(workbook))
        throw AppError(QStringLiteral("Файл «%1» не является книгой Excel").arg(label));
    const WorkbookInfo info = scanMember(zip, workbook, limits.smallPartBytes, readWorkbook);
    m_date1904 = info.date1904;

    const QString relationshipsPart = relationshipsPartOf(workbook);
    const QList<Relationship> relationships =
        zip.contains(relationshipsPart)
            ? scanMember(zip, relationshipsPart, limits.smallPartBytes, readRelationships)
            : QList<Relationship>();
    const Relationship* sheet = findById(relationships, info.firstSheetRelationshipId);
    if (!sheet)
        throw AppError(QStringLiteral("В книге «%1» нет листов").arg(label));

    if (const Relationship* styles = findByKind(relationships, QStringLiteral("styles"))) {
        const QString part = resolveTarget(workbook, styles->target);
        if (zip.contains(part))
            m_styles = scanMember(zip, part, limits.stylesBytes, readCellFormats);
    }
    if (const Relationship* strings = findByKind(relationships, QStringLiteral("sharedStrings"))) {
        const QString part = resolveTarget(workbook, strings->target);
        if (zip.contains(part))
            scanLargeMember(zip, part, [this](XmlScanner& xml) {
                XlsxContentReaders::readSharedStrings(xml, m_table);
            });
    }
    scanLargeMember(zip, resolveTarget(workbook, sheet->target), [this](XmlScanner& xml) {
        XlsxContentReaders::readSheet(xml, m_table, m_date1904);
    });
}

int XlsxWorkbook::lastUsedRow() const {
    return m_table.lastRow();
}

QString XlsxWorkbook::cellText(int row, int column) const {
    return CellStyles::cellText(m_table, m_styles, m_date1904, row, column);
}
