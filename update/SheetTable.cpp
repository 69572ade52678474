#include "update/SheetTable.h"

#include <algorithm>

namespace {

bool before(const SheetTable::Cell& a, const SheetTable::Cell& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

} // namespace

SheetTable::SheetTable(QList<QString> sharedStrings)
    : m_texts(std::move(sharedStrings)), m_sharedStringCount(qint32(m_texts.size())) {}

qint32 SheetTable::addText(const QString& text) {
    m_texts.append(text);
    return qint32(m_texts.size() - 1);
}

const QString& SheetTable::text(qint32 index) const {
    static const QString none;
    return index >= 0 && index < m_texts.size() ? m_texts.at(index) : none;
}

void SheetTable::addCell(const Cell& cell) {
    if (!m_cells.isEmpty() && !before(m_cells.constLast(), cell))
        m_sorted = false;
    m_cells.append(cell);
}

void SheetTable::finish() {
    if (!m_sorted) {
        // A later cell at the same place replaces an earlier one.
        std::stable_sort(m_cells.begin(), m_cells.end(), before);
        const auto samePlace = [](const Cell& a, const Cell& b) {
            return a.row == b.row && a.column == b.column;
        };
        auto last = m_cells.end();
        auto out = m_cells.begin();
        for (auto it = m_cells.begin(); it != last; ++it) {
            if (out != m_cells.begin() && samePlace(*(out - 1), *it))
                *(out - 1) = *it;
            else
                *out++ = *it;
        }
        m_cells.erase(out, last);
        m_sorted = true;
    }
    m_cells.squeeze();

    m_rowStarts.fill(0, lastRow() + 2);
    qsizetype index = 0;
    for (int row = 0; row < m_rowStarts.size(); ++row) {
        while (index < m_cells.size() && m_cells.at(index).row < row)
            ++index;
        m_rowStarts[row] = index;
    }
}

const SheetTable::Cell* SheetTable::find(int row, int column) const {
    if (row < 0 || row + 1 >= m_rowStarts.size())
        return nullptr;
    const auto begin = m_cells.cbegin() + m_rowStarts.at(row);
    const auto end = m_cells.cbegin() + m_rowStarts.at(row + 1);
    const auto it = std::lower_bound(begin, end, column,
                                     [](const Cell& cell, int c) { return cell.column < c; });
    return it != end && it->column == column ? &*it : nullptr;
}

int SheetTable::lastRow() const {
    return m_cells.isEmpty() ? 0 : m_cells.constLast().row;
}
