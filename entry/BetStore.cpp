#include "entry/BetStore.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "schema/GameSchema.h"

#include <algorithm>
#include <set>

namespace BetStore {

void addBets(Connection& connection, int tir, const std::vector<Ticket>& tickets) {
    std::vector<Lottery::Ticket> numbers(tickets.size());
    for (std::size_t i = 0; i < tickets.size(); ++i)
        for (const int ball : tickets[i])
            numbers[i].main.append(ball);
    addBets(connection, tir, Lottery::Game(), numbers);
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
    connection.beginBatch();
    try {
        for (const Lottery::Ticket& ticket : tickets) {
            Statement insert(connection, sql);
            int column = 1;
            insert.bindInt64(column++, tir);
            for (const int ball : ticket.main)
                insert.bindInt64(column++, ball);
            for (const int ball : ticket.second)
                insert.bindInt64(column++, ball);
            insert.run();
        }
        connection.commitBatch();
    } catch (...) {
        connection.rollbackBatch();
        throw;
    }
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
