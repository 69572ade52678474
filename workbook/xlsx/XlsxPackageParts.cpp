#include "workbook/xlsx/XlsxPackageParts.h"

#include "runtime/AppError.h"
#include "workbook/CellStyles.h"
#include "workbook/SheetTable.h"
#include "workbook/xlsx/XmlScanner.h"

#include <QHash>
#include <QUrl>

namespace XlsxPackageParts {

namespace {

bool isTrue(QByteArrayView value) {
    return value == "1" || value == "true";
}

QString decodedText(QByteArrayView raw) {
    return QString::fromUtf8(XmlScanner::decoded(raw));
}

// Far beyond what spreadsheet programs write (some 250 formats of at most 255
// characters; 64,000 cell styles).
constexpr qsizetype MaxNumberFormats = 4096;
constexpr qsizetype MaxFormatCodeLength = 1000;

[[noreturn]] void throwStyleLimit(const QString& what) {
    throw AppError(QStringLiteral("Книга повреждена: %1 (styles)").arg(what));
}

} // namespace

QList<Relationship> readRelationships(XmlScanner& xml) {
    QList<Relationship> relationships;
    while (xml.next()) {
        if (!xml.isStart() || xml.name() != "Relationship")
            continue;
        Relationship relationship;
        relationship.id = decodedText(xml.attribute("Id"));
        relationship.type = decodedText(xml.attribute("Type"));
        relationship.target = decodedText(xml.attribute("Target"));
        relationship.external = xml.attribute("TargetMode") == "External";
        relationships.append(relationship);
    }
    return relationships;
}

const Relationship* findByKind(const QList<Relationship>& relationships, const QString& kind) {
    const QString suffix = QLatin1Char('/') + kind;
    for (const Relationship& relationship : relationships) {
        if (!relationship.external && relationship.type.endsWith(suffix))
            return &relationship;
    }
    return nullptr;
}

const Relationship* findById(const QList<Relationship>& relationships, const QString& id) {
    for (const Relationship& relationship : relationships) {
        if (!relationship.external && relationship.id == id)
            return &relationship;
    }
    return nullptr;
}

QString relationshipsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QLatin1String("_rels/") + part.mid(slash + 1) +
           QLatin1String(".rels");
}

QString resolveTarget(const QString& source, const QString& target) {
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    const QString path = decoded.startsWith(QLatin1Char('/'))
                             ? decoded
                             : source.left(source.lastIndexOf(QLatin1Char('/')) + 1) + decoded;
    QStringList segments;
    for (const QString& segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!segments.isEmpty())
                segments.removeLast();
        } else if (segment != QLatin1String(".")) {
            segments.append(segment);
        }
    }
    return segments.join(QLatin1Char('/'));
}

WorkbookInfo readWorkbook(XmlScanner& xml) {
    WorkbookInfo info;
    while (xml.next()) {
        if (!xml.isStart())
            continue;
        if (xml.name() == "workbookPr") {
            info.date1904 = isTrue(xml.attribute("date1904"));
        } else if (xml.name() == "sheet") {
            info.firstSheetRelationshipId = decodedText(xml.attribute("id")); // r:id
            break;
        }
    }
    return info;
}

QList<NumberFormat> readCellFormats(XmlScanner& xml) {
    QHash<int, QString> codes;
    QList<int> styleFormatIds;
    bool inCellStyles = false;
    while (xml.next()) {
        const QByteArrayView name = xml.name();
        if (xml.isEnd()) {
            if (name == "cellXfs")
                inCellStyles = false;
            continue;
        }
        if (name == "numFmt") {
            const QString code = decodedText(xml.attribute("formatCode"));
            if (code.size() > MaxFormatCodeLength)
                throwStyleLimit(
                    QStringLiteral("формат числа длиннее %1 знаков").arg(MaxFormatCodeLength));
            codes.insert(xml.attribute("numFmtId").toInt(), code);
            if (codes.size() > MaxNumberFormats)
                throwStyleLimit(QStringLiteral("больше %1 форматов чисел").arg(MaxNumberFormats));
        } else if (name == "cellXfs") {
            inCellStyles = !xml.isEmptyElement();
        } else if (inCellStyles && name == "xf") {
            styleFormatIds.append(xml.attribute("numFmtId").toInt());
            if (styleFormatIds.size() > qsizetype(SheetTable::MaxStyle) + 1)
                throwStyleLimit(QStringLiteral("больше %1 стилей ячеек")
                                    .arg(qsizetype(SheetTable::MaxStyle) + 1));
        }
    }

    return CellStyles::numberFormats(styleFormatIds, codes);
}

} // namespace XlsxPackageParts
