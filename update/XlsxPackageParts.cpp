#include "update/XlsxPackageParts.h"

#include "runtime/AppError.h"
#include "update/SheetTable.h"

#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>

namespace XlsxPackageParts {

namespace {

void throwIfBroken(const QXmlStreamReader& xml, const char* part) {
    if (xml.hasError())
        throw AppError(QStringLiteral("Книга повреждена: %1 (%2)")
                           .arg(QLatin1String(part), xml.errorString()));
}

bool isTrue(QStringView value) {
    return value == QLatin1String("1") || value == QLatin1String("true");
}

// The value of an attribute that carries a namespace of its own, such as r:id.
QString namespacedAttribute(const QXmlStreamAttributes& attributes, QLatin1String name) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == name && !attribute.namespaceUri().isEmpty())
            return attribute.value().toString();
    }
    return QString();
}

// Far beyond what spreadsheet programs write (some 250 formats of at most 255
// characters; 64,000 cell styles).
constexpr qsizetype MaxNumberFormats = 4096;
constexpr qsizetype MaxFormatCodeLength = 1000;

[[noreturn]] void throwStyleLimit(const QString& what) {
    throw AppError(QStringLiteral("Книга повреждена: %1 (styles)").arg(what));
}

// Number formats whose look follows the user's locale, whatever code a file
// writes for them: the short date and the short date with time.
bool followsLocale(int id) {
    return id == 14 || id == 22;
}

} // namespace

QList<Relationship> readRelationships(const QByteArray& data) {
    QList<Relationship> relationships;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        Relationship relationship;
        relationship.id = attributes.value(QLatin1String("Id")).toString();
        relationship.type = attributes.value(QLatin1String("Type")).toString();
        relationship.target = attributes.value(QLatin1String("Target")).toString();
        relationship.external =
            attributes.value(QLatin1String("TargetMode")) == QLatin1String("External");
        relationships.append(relationship);
    }
    throwIfBroken(xml, "relationships");
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

WorkbookInfo readWorkbook(const QByteArray& data) {
    WorkbookInfo info;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("workbookPr")) {
            info.date1904 = isTrue(xml.attributes().value(QLatin1String("date1904")));
        } else if (xml.name() == QLatin1String("sheet")) {
            info.firstSheetRelationshipId =
                namespacedAttribute(xml.attributes(), QLatin1String("id"));
            break;
        }
    }
    throwIfBroken(xml, "workbook");
    return info;
}

QList<NumberFormat> readCellFormats(const QByteArray& data) {
    QHash<int, QString> codes;
    QList<int> styleFormatIds;
    QXmlStreamReader xml(data);
    bool inCellStyles = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs"))
            inCellStyles = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("numFmt")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView code = attributes.value(QLatin1String("formatCode"));
            if (code.size() > MaxFormatCodeLength)
                throwStyleLimit(
                    QStringLiteral("формат числа длиннее %1 знаков").arg(MaxFormatCodeLength));
            codes.insert(attributes.value(QLatin1String("numFmtId")).toInt(), code.toString());
            if (codes.size() > MaxNumberFormats)
                throwStyleLimit(QStringLiteral("больше %1 форматов чисел").arg(MaxNumberFormats));
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellStyles = true;
        } else if (inCellStyles && xml.name() == QLatin1String("xf")) {
            styleFormatIds.append(xml.attributes().value(QLatin1String("numFmtId")).toInt());
            if (styleFormatIds.size() > qsizetype(SheetTable::MaxStyle) + 1)
                throwStyleLimit(QStringLiteral("больше %1 стилей ячеек")
                                    .arg(qsizetype(SheetTable::MaxStyle) + 1));
        }
    }
    throwIfBroken(xml, "styles");

    QHash<int, NumberFormat> formats;
    QList<NumberFormat> styles;
    styles.reserve(styleFormatIds.size());
    for (const int id : styleFormatIds) {
        auto found = formats.constFind(id);
        if (found == formats.constEnd()) {
            const auto code = codes.constFind(id);
            const NumberFormat format = code == codes.constEnd() || followsLocale(id)
                                            ? NumberFormat::builtIn(id)
                                            : NumberFormat::fromCode(*code);
            found = formats.insert(id, format);
        }
        styles.append(*found);
    }
    return styles;
}

} // namespace XlsxPackageParts
