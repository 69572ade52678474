#include "workbook/xls/XlsGlobals.h"

#include "runtime/AppError.h"
#include "workbook/CellStyles.h"

#include <QHash>

using namespace Biff;

namespace {

// Cells name their style by a 16-bit index: later styles cannot be used.
constexpr qsizetype MaxStyles = 65536;
// The smallest entry of the shared string table: its count and flags.
constexpr qsizetype SmallestSharedString = 3;
// BOUNDSHEET's sheet type of a worksheet (others: macro sheet, chart, module).
constexpr quint8 WorksheetType = 0;

TextEncoding encodingOf(const Record& bof) {
    if (bof.id != Bof || u16(bof.data, 2) != GlobalsSubstream)
        throw AppError(QStringLiteral("поток книги не начинается с описания книги"));
    TextEncoding encoding;
    switch (u16(bof.data, 0)) {
    case Biff8Version:
        encoding.unicode = true;
        break;
    case Biff5Version:
        encoding.unicode = false;
        break;
    default:
        throw AppError(QStringLiteral("неизвестная версия формата BIFF (0x%1)")
                           .arg(u16(bof.data, 0), 4, 16, QLatin1Char('0')));
    }
    return encoding;
}

// The shared string table (SST): the total and unique counts, then the
// strings, running on into CONTINUE records. The counts are not trusted: the
// strings end where the data ends.
QList<QString> readSharedStrings(Cursor data) {
    data.skip(4);
    const quint32 unique = data.u32();
    QList<QString> strings;
    strings.reserve(qMin<qsizetype>(unique, data.remaining() / SmallestSharedString));
    while (quint32(strings.size()) < unique && !data.atEnd())
        strings.append(data.sharedString());
    return strings;
}

XlsGlobals readGlobals(RecordReader& records) {
    XlsGlobals globals;
    if (!records.next())
        throw AppError(QStringLiteral("поток книги пуст"));
    globals.encoding = encodingOf(records.record());
    const int countBytes = globals.encoding.unicode ? 2 : 1; // of a format code
    QHash<int, QString> formatCodes;
    QList<int> styleFormats;
    while (records.next()) {
        const Record& record = records.record();
        if (record.id == Eof)
            break;
        switch (record.id) {
        case FilePass:
            globals.encrypted = true;
            return globals;
        case CodePage:
            globals.encoding.codePage = u16(record.data, 0);
            break;
        case Date1904:
            globals.date1904 = u16(record.data, 0) != 0;
            break;
        case Format: {
            Cursor format(record.data);
            const int id = format.u16();
            formatCodes.insert(id, format.string(countBytes, globals.encoding));
            break;
        }
        case ExtendedFormat:
            if (styleFormats.size() < MaxStyles)
                styleFormats.append(u16(record.data, 2));
            break;
        case SharedStrings:
            if (globals.encoding.unicode)
                globals.sharedStrings = readSharedStrings(records.continued());
            break;
        case BoundSheet:
            if (!globals.firstWorksheet && u8(record.data, 5) == WorksheetType)
                globals.firstWorksheet = u32(record.data, 0);
            break;
        default:
            break;
        }
    }
    globals.styles = CellStyles::numberFormats(styleFormats, formatCodes);
    return globals;
}

} // namespace

XlsGlobals readXlsGlobals(QByteArrayView stream) {
    RecordReader records(stream, 0);
    try {
        return readGlobals(records);
    } catch (const ShortRecord&) {
        throw shortRecordError(records.record());
    }
}
