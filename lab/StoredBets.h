#pragma once

#include "lab/Ticket.h"

#include <vector>

class Connection;

namespace Lab {

// The bets stored for one draw (table Rate) of a 6 из 49 database, in the
// order they were stored.
// A bet whose columns do not hold six distinct numbers from 1 to 49 is no
// ticket: it is left out and counted.
struct StoredBets {
    std::vector<Ticket> tickets;
    qint64 irregular = 0;
};

StoredBets readStoredBets(Connection& connection, qint64 tir);

} // namespace Lab
