#include "lab/StoredBets.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

namespace Lab {

StoredBets readStoredBets(Connection& connection, qint64 tir) {
    Statement query(connection, QStringLiteral("SELECT s1, s2, s3, s4, s5, s6 FROM Rate "
                                               "WHERE tir = ?1 ORDER BY rowid"));
    query.bindInt64(1, tir);
    StoredBets bets;
    while (query.step()) {
        const Analysis::BallSet set = Analysis::ballSetFromColumns(query.raw(), 0);
        if (!Analysis::isRegularDraw(set)) {
            ++bets.irregular;
            continue;
        }
        Ticket ticket;
        size_t i = 0;
        Analysis::forEachBall(set, [&](int ball) { ticket[i++] = ball; });
        bets.tickets.push_back(ticket);
    }
    return bets;
}

} // namespace Lab
