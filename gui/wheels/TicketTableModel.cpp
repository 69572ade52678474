#include "gui/wheels/TicketTableModel.h"

#include "game/Game.h"

void TicketTableModel::setTickets(std::vector<Wheels::Ticket> tickets) {
    beginResetModel();
    m_tickets = std::move(tickets);
    endResetModel();
}

int TicketTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_tickets.size());
}

int TicketTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + Lottery::Game().k();
}

QVariant TicketTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_tickets.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return index.row() + 1;
    return m_tickets[size_t(index.row())][size_t(index.column() - 1)];
}

QVariant TicketTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("Билет") : QString::number(section);
}
