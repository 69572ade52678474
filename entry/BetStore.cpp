#include "entry/BetStore.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

namespace BetStore {

void addBets(Connection& connection, int tir, const std::vector<Ticket>& tickets) {
    connection.beginBatch();
    try {
        for (const Ticket& ticket : tickets) {
            Statement insert(connection,
                             QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) "
                                            "VALUES (?, ?, ?, ?, ?, ?, ?)"));
            insert.bindInt64(1, tir);
            for (int i = 0; i < 6; ++i)
                insert.bindInt64(i + 2, ticket[size_t(i)]);
            insert.run();
        }
        connection.commitBatch();
    } catch (...) {
        connection.rollbackBatch();
        throw;
    }
}

} // namespace BetStore
