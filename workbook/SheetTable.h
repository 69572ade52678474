#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The cells of one worksheet as read from the file, kept compact: sixteen
// bytes a cell, sorted by row and column, found by binary search within the
// row. Texts live in one UTF-8 pool (shared strings first, then the sheet's
// own). What the cells and texts take is counted against a budget: more is
// thrown as AppError, so that a hostile sheet cannot take the memory.
class SheetTable {
public:
    // The bounds of a worksheet (XFD1048576 is its last cell).
    static constexpr int MaxRow = 1048576;
    static constexpr int MaxColumn = 16384;
    // The highest style number a cell can carry; higher numbers show General.
    static constexpr quint32 MaxStyle = 0xFFFE;

    enum class Kind : quint8 {
        Formula, // a formula without a stored result: shows nothing
        Number,  // number: the value, shown through the cell's style
        Text,    // text or error value: the pool entry
        Boolean  // the value 0 or 1
    };
    // A cell as the readers give it and the look-up returns it.
    struct Cell {
        double number = 0; // Number and Boolean
        qint32 text = -1;  // Text: the pool entry, -1 for none
        qint32 row = 0;    // 1 to MaxRow
        qint32 column = 0; // 1 to MaxColumn
        quint32 style = 0;
        Kind kind = Kind::Number;
    };

    // What the cells and texts may take unless told otherwise.
    static constexpr qint64 DefaultByteLimit = qint64(512) << 20;

    explicit SheetTable(qint64 byteLimit = DefaultByteLimit);
    // A table whose pool starts with the given shared strings.
    explicit SheetTable(const QList<QString>& sharedStrings, qint64 byteLimit = DefaultByteLimit);

    qint32 addUtf8Text(QByteArrayView utf8);
    qint32 addText(const QString& text) { return addUtf8Text(text.toUtf8()); }
    QString text(qint32 index) const;
    // The texts added so far are the shared strings, which cells refer to by number.
    void endSharedStrings() { m_sharedStringCount = qint32(m_textEnds.size()); }
    qint32 sharedStringCount() const { return m_sharedStringCount; }

    // A cell outside the sheet's bounds is thrown as a damaged workbook.
    void addCell(const Cell& cell);
    // Sorts the cells once all are added; needed before the look-ups.
    void finish();

    // Nothing when the place holds no cell.
    std::optional<Cell> find(int row, int column) const;
    // The highest row that holds a cell; 0 when there is none.
    int lastRow() const;
    // The bytes counted against the budget so far.
    qint64 bytesUsed() const { return m_bytesUsed; }

private:
    struct StoredCell {
        double value; // the number, or the pool entry of a text
        qint32 row;
        quint16 style;
        quint16 columnAndKind; // column - 1 in the low 14 bits, the kind above
        int column() const { return (columnAndKind & 0x3FFF) + 1; }
    };
    static_assert(sizeof(StoredCell) == 16);

    void charge(qint64 bytes);

    qint64 m_byteLimit;
    qint64 m_bytesUsed = 0;
    QByteArray m_textPool;
    QList<quint32> m_textEnds; // where each text ends in the pool
    qint32 m_sharedStringCount = 0;
    QList<StoredCell> m_cells;
    // Where the cells of each row begin in m_cells, by row number (one past the
    // last row: the end).
    QList<quint32> m_rowStarts;
    bool m_sorted = true;
};
