#include "entry/BetStore.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "schema/GameSchema.h"

#include <algorithm>
#include <set>

namespace BetStore {

namespace {

// Runs insert(ticket) for every ticket in one batch: all of them are stored or none.
template <typename T, typename F>
void storeAll(Connection& connection, const std::vector<T>& tickets, F&& insert) {
    connection.beginBatch();
    try {
        for (const T& ticket : tickets)
            insert(ticket);
        connection.commitBatch();
    } catch (...) {
        connection.rollbackBatch();
        throw;
    }
}

} // namespace

void addBets(Connection& connection, int tir, const std::vector<Ticket>& tickets) {
    storeAll(connection, tickets, [&](const Ticket& ticket) {
        Statement insert(connection,
                         QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        insert.bindInt64(1, tir);
        for (int i = 0; i < 6; ++i)
            insert.bindInt64(i + 2, ticket[size_t(i)]);
        insert.run();
    });
}

void addBets(Connection& connection, int tir, const Lottery::Game& game,
             const std::vector<Lottery::Ticket>& tickets) {
    const QStringList columns = GameSchema::betColumns(game);
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString sql =
        QStringLiteral("INSERT INTO Rate (%1) VALUES (%2)")
            .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    storeAll(connection, tickets, [&](const Lottery::Ticket& ticket) {
        Statement insert(connection, sql);
        int column = 1;
        insert.bindInt64(column++, tir);
        for (const int ball : ticket.main)
            insert.bindInt64(column++, ball);
        for (const int ball : ticket.second)
            insert.bindInt64(column++, ball);
        insert.run();
    });
}

qsizetype storedAlready(Connection& connection, int tir, const Lottery::Game& game,
                        const std::vector<Lottery::Ticket>& tickets) {
    QStringList columns = GameSchema::betColumns(game);
    columns.removeFirst(); // tir
    Statement select(connection, QStringLiteral("SELECT %1 FROM Rate WHERE tir = ?")
                                     .arg(columns.join(QStringLiteral(", "))));
    select.bindInt64(1, tir);
    std::set<Lottery::Ticket> stored;
    while (select.step()) {
        Lottery::Ticket ticket;
        for (int i = 0; i < game.k() + game.k2(); ++i)
            (i < game.k() ? ticket.main : ticket.second).append(select.value(i).toInt());
        ticket.main = ticket.main.sorted();
        ticket.second = ticket.second.sorted();
        stored.insert(ticket);
    }
    return std::count_if(tickets.begin(), tickets.end(),
                         [&](const Lottery::Ticket& t) { return stored.count(t) > 0; });
}

} // namespace BetStore
