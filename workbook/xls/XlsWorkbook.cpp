#include "workbook/xls/XlsWorkbook.h"

#include "runtime/AppError.h"
#include "workbook/CellStyles.h"
#include "workbook/xls/CompoundFile.h"
#include "workbook/xls/XlsGlobals.h"
#include "workbook/xls/XlsSheetReader.h"

#include <QFile>

namespace {

AppError damaged(const QString& name, const AppError& reason) {
    return AppError(QStringLiteral("Книга «%1» повреждена: %2").arg(name, reason.message()));
}

// The workbook stream of the compound file: "Workbook" for BIFF8, "Book" for
// the BIFF5/7 of older versions.
QByteArray workbookStream(QByteArrayView bytes, const QString& name) {
    std::optional<QByteArray> stream;
    try {
        const CompoundFile file(bytes);
        stream = file.rootStream(u"Workbook");
        if (!stream)
            stream = file.rootStream(u"Book");
    } catch (const AppError& error) {
        throw damaged(name, error);
    }
    if (!stream)
        throw AppError(QStringLiteral("Файл «%1» не является книгой Excel").arg(name));
    return *stream;
}

AppError tooLarge(const QString& name) {
    return AppError(QStringLiteral("Книга «%1» слишком велика: читаются книги до %2 МБ")
                        .arg(name)
                        .arg(XlsWorkbook::MaxFileSize / (1024 * 1024)));
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString()));
    if (file.size() > XlsWorkbook::MaxFileSize)
        throw tooLarge(path);
    const QByteArray bytes = file.read(XlsWorkbook::MaxFileSize + 1);
    if (bytes.size() > XlsWorkbook::MaxFileSize)
        throw tooLarge(path);
    if (file.error() != QFileDevice::NoError)
        throw AppError(
            QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString()));
    return bytes;
}

} // namespace

XlsWorkbook::XlsWorkbook(const QString& path) {
    // The file's bytes are let go once its workbook stream is taken out.
    const QByteArray stream = workbookStream(fileContents(path), path);
    readStream(stream, path);
}

XlsWorkbook::XlsWorkbook(QByteArrayView bytes, const QString& name) {
    if (bytes.size() > MaxFileSize)
        throw tooLarge(name);
    readStream(workbookStream(bytes, name), name);
}

void XlsWorkbook::readStream(const QByteArray& stream, const QString& name) {
    XlsGlobals globals;
    try {
        globals = readXlsGlobals(stream);
    } catch (const AppError& error) {
        throw damaged(name, error);
    }
    if (globals.encrypted)
        throw AppError(
            QStringLiteral("Книга «%1» защищена паролем: сохраните её без пароля").arg(name));
    if (!globals.firstWorksheet)
        throw AppError(QStringLiteral("В книге «%1» нет листов").arg(name));
    m_date1904 = globals.date1904;
    m_styles = std::move(globals.styles);
    m_table = SheetTable(std::move(globals.sharedStrings));
    try {
        readXlsSheet(stream, *globals.firstWorksheet, globals.encoding, m_table);
    } catch (const AppError& error) {
        throw damaged(name, error);
    }
}

int XlsWorkbook::lastUsedRow() const {
    return m_table.lastRow();
}

QString XlsWorkbook::cellText(int row, int column) const {
    return CellStyles::cellText(m_table, m_styles, m_date1904, row, column);
}
