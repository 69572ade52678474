#pragma once

// The wheel's tickets as a read-only table (the ticket's number, then its six
// balls) computed from the tickets on demand: a wheel on 49 numbers can hold
// hundreds of thousands of tickets, far too many for a cell object each.

#include "wheels/WheelTypes.h"

#include <QAbstractTableModel>

#include <vector>

class TicketTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTickets(std::vector<Wheels::Ticket> tickets);
    const std::vector<Wheels::Ticket>& tickets() const { return m_tickets; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Wheels::Ticket> m_tickets;
};
