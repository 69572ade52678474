#include "workbook/SheetTable.h"

#include "runtime/AppError.h"

#include <algorithm>
#include <limits>

namespace {

template <typename Stored> bool before(const Stored& a, const Stored& b) {
    return a.row != b.row ? a.row < b.row : a.column() < b.column();
}

} // namespace

SheetTable::SheetTable(qint64 byteLimit) : m_byteLimit(byteLimit) {}

SheetTable::SheetTable(const QList<QString>& sharedStrings, qint64 byteLimit)
    : m_byteLimit(byteLimit) {
    for (const QString& text : sharedStrings)
        addText(text);
    endSharedStrings();
}

void SheetTable::charge(qint64 bytes) {
    m_bytesUsed += bytes;
    if (m_bytesUsed > m_byteLimit)
        throw AppError(QStringLiteral("Книга слишком велика: её ячейки и тексты заняли бы больше "
                                      "%1 МБ памяти")
                           .arg(m_byteLimit >> 20));
}

qint32 SheetTable::addUtf8Text(QByteArrayView utf8) {
    charge(utf8.size() + qint64(sizeof(quint32)));
    if (m_textPool.size() + utf8.size() > qint64(std::numeric_limits<quint32>::max()))
        charge(m_byteLimit); // beyond what the pool can index: as good as over the budget
    m_textPool.append(utf8);
    m_textEnds.append(quint32(m_textPool.size()));
    return qint32(m_textEnds.size() - 1);
}

QString SheetTable::text(qint32 index) const {
    if (index < 0 || index >= m_textEnds.size())
        return QString();
    const quint32 begin = index == 0 ? 0 : m_textEnds.at(index - 1);
    return QString::fromUtf8(m_textPool.constData() + begin, m_textEnds.at(index) - begin);
}

void SheetTable::addCell(const Cell& cell) {
    if (cell.row < 1 || cell.row > MaxRow || cell.column < 1 || cell.column > MaxColumn)
        throw AppError(QStringLiteral("Книга повреждена: ячейка за пределами листа (строка %1, "
                                      "столбец %2)")
                           .arg(cell.row)
                           .arg(cell.column));
    charge(sizeof(StoredCell));
    StoredCell stored;
    stored.value = cell.kind == Kind::Text ? double(cell.text) : cell.number;
    stored.row = cell.row;
    stored.style = quint16(qMin(cell.style, MaxStyle + 1));
    stored.columnAndKind = quint16((cell.column - 1) | (int(cell.kind) << 14));
    if (!m_cells.isEmpty() && !before(m_cells.constLast(), stored))
        m_sorted = false;
    m_cells.append(stored);
}

void SheetTable::finish() {
    if (!m_sorted) {
        // The sort needs room for a copy of the cells.
        charge(m_cells.size() * qint64(sizeof(StoredCell)));
        // A later cell at the same place replaces an earlier one.
        std::stable_sort(m_cells.begin(), m_cells.end(), before<StoredCell>);
        const auto samePlace = [](const StoredCell& a, const StoredCell& b) {
            return a.row == b.row && a.column() == b.column();
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
    // No squeeze: it copies the cells, and the room beyond the last cell
    // was never touched, so it takes no memory.

    charge((lastRow() + 2) * qint64(sizeof(quint32)));
    m_rowStarts.fill(0, lastRow() + 2);
    qsizetype index = 0;
    for (int row = 0; row < m_rowStarts.size(); ++row) {
        while (index < m_cells.size() && m_cells.at(index).row < row)
            ++index;
        m_rowStarts[row] = quint32(index);
    }
}

std::optional<SheetTable::Cell> SheetTable::find(int row, int column) const {
    if (row < 0 || row + 1 >= m_rowStarts.size())
        return std::nullopt;
    const auto begin = m_cells.cbegin() + m_rowStarts.at(row);
    const auto end = m_cells.cbegin() + m_rowStarts.at(row + 1);
    const auto it = std::lower_bound(
        begin, end, column, [](const StoredCell& stored, int c) { return stored.column() < c; });
    if (it == end || it->column() != column)
        return std::nullopt;
    Cell cell;
    cell.row = it->row;
    cell.column = column;
    cell.style = it->style;
    cell.kind = Kind(it->columnAndKind >> 14);
    if (cell.kind == Kind::Text)
        cell.text = qint32(it->value);
    else
        cell.number = it->value;
    return cell;
}

int SheetTable::lastRow() const {
    return m_cells.isEmpty() ? 0 : m_cells.constLast().row;
}
