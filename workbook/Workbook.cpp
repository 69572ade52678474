#include "workbook/Workbook.h"

#include "runtime/AppError.h"
#include "workbook/xls/CompoundFile.h"
#include "workbook/xls/XlsWorkbook.h"
#include "workbook/xlsx/XlsxWorkbook.h"

#include <QFile>

namespace {

enum class FileKind { Zip, Ole2, Other };

FileKind kindOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString()));
    const QByteArray head = file.read(8);
    if (head.startsWith(QByteArray("PK\x03\x04", 4)))
        return FileKind::Zip;
    if (CompoundFile::hasSignature(head))
        return FileKind::Ole2;
    return FileKind::Other;
}

} // namespace

std::unique_ptr<Workbook> Workbook::open(const QString& path) {
    switch (kindOfFile(path)) {
    case FileKind::Zip:
        return std::make_unique<XlsxWorkbook>(path);
    case FileKind::Ole2:
        return std::make_unique<XlsWorkbook>(path);
    case FileKind::Other:
        break;
    }
    throw AppError(QStringLiteral("Файл «%1» не является книгой Excel").arg(path));
}
