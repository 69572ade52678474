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
}

const SheetTable::Cell* SheetTable::find(int row, int column) const {
    Cell key;
    key.row = row;
    key.column = column;
    const auto it = std::lower_bound(m_cells.cbegin(), m_cells.cend(), key, before);
    if (it == m_cells.cend() || it->row != row || it->column != column)
        return nullptr;
    return &*it;
}

int SheetTable::lastRow() const {
    return m_cells.isEmpty() ? 0 : m_cells.constLast().row;
}
