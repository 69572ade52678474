#include "update/XlsWorkbook.h"

#include "runtime/AppError.h"
#include "update/CellDisplay.h"

#include <QDate>
#include <QFile>
#include <freexl.h>

namespace {

AppError readError(const QString& path, int code) {
    return AppError(
        QStringLiteral("Не удалось прочитать книгу «%1» (код ошибки %2)").arg(path).arg(code));
}

// freexl writes dates as "yyyy-mm-dd", with " hh:mm:ss" for a date-time.
QString dateText(const char* text) {
    const QString value = QString::fromLatin1(text);
    const QDate date = QDate::fromString(value.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return value;
    const QString shown = date.toString(QStringLiteral("dd.MM.yyyy"));
    const QString time = value.mid(11);
    return time.isEmpty() || time == QLatin1String("00:00:00") ? shown
                                                               : shown + QLatin1Char(' ') + time;
}

} // namespace

XlsWorkbook::XlsWorkbook(const QString& path) {
    int code = freexl_open(QFile::encodeName(path).constData(), &m_handle);
    if (code != FREEXL_OK) {
        freexl_close(m_handle);
        m_handle = nullptr;
        throw readError(path, code);
    }
    unsigned int sheets = 0;
    code = freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    if (code == FREEXL_OK && sheets > 0) {
        code = freexl_select_active_worksheet(m_handle, 0);
        if (code == FREEXL_OK)
            code = freexl_worksheet_dimensions(m_handle, &m_rows, &m_columns);
    }
    if (code != FREEXL_OK) {
        freexl_close(m_handle);
        throw readError(path, code);
    }
    // The dimensions may include rows of formatting only: look for the last value.
    for (unsigned int row = m_rows; row > 0 && m_lastUsedRow == 0; --row) {
        for (unsigned short column = 0; column < m_columns; ++column) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(m_handle, row - 1, column, &value) == FREEXL_OK &&
                value.type != FREEXL_CELL_NULL) {
                m_lastUsedRow = int(row);
                break;
            }
        }
    }
}

XlsWorkbook::~XlsWorkbook() {
    freexl_close(m_handle);
}

int XlsWorkbook::lastUsedRow() const {
    return m_lastUsedRow;
}

QString XlsWorkbook::cellText(int row, int column) const {
    if (row < 1 || column < 1 || unsigned(row) > m_rows || column > m_columns)
        return QString();
    FreeXL_CellValue value;
    if (freexl_get_cell_value(m_handle, unsigned(row - 1), static_cast<unsigned short>(column - 1),
                              &value) != FREEXL_OK)
        return QString();
    switch (value.type) {
    case FREEXL_CELL_INT:
        return QString::number(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return CellDisplay::general(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(value.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return dateText(value.value.text_value);
    default:
        return QString();
    }
}
