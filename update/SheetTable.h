#pragma once

#include <QList>
#include <QString>

// The cells of one worksheet as read from the file, kept compact: values only,
// sorted by row and column, found by binary search. Texts live in one pool
// (shared strings first, then the sheet's own).
class SheetTable {
public:
    enum class Kind : quint8 {
        Formula, // a formula without a stored result: shows nothing
        Number,  // number: the value, shown through the cell's style
        Text,    // text or error value: the pool entry
        Boolean  // the value 0 or 1
    };
    struct Cell {
        double number = 0;
        qint32 row = 0;
        qint32 column = 0;
        qint32 text = -1;
        quint32 style = 0;
        Kind kind = Kind::Number;
    };

    explicit SheetTable(QList<QString> sharedStrings = {});

    qint32 addText(const QString& text);
    const QString& text(qint32 index) const;
    qint32 sharedStringCount() const { return m_sharedStringCount; }

    void addCell(const Cell& cell);
    // Sorts the cells once all are added; needed before the look-ups.
    void finish();

    const Cell* find(int row, int column) const;
    // The highest row that holds a cell; 0 when there is none.
    int lastRow() const;
    qsizetype cellCount() const { return m_cells.size(); }

private:
    QList<QString> m_texts;
    qint32 m_sharedStringCount = 0;
    QList<Cell> m_cells;
    // Where the cells of each row begin in m_cells, by row number (one past the
    // last row: the end).
    QList<qsizetype> m_rowStarts;
    bool m_sorted = true;
};
