#include "analysis/FairnessHistory.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "views/BallValue.h"

#include <sqlite3.h>

namespace Analysis {

namespace {

int orNoBall(int ball) {
    return ball ? ball : -1;
}

// 0 for an empty column, the ball for a whole number 1..49, -1 for anything else.
int orderValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return orNoBall(ballFromInteger(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return orNoBall(ballFromReal(sqlite3_column_double(statement, column)));
    default:
        return -1;
    }
}

} // namespace

OrderKind classifyOrder(BallSet balls, const std::array<int, 6>& values) {
    BallSet seen = 0;
    int empty = 0;
    for (int v : values) {
        if (v == 0)
            ++empty;
        else if (v > 0)
            seen |= BallSet(1) << v;
    }
    if (empty == 6)
        return OrderKind::None;
    return isRegularDraw(balls) && seen == balls ? OrderKind::Valid : OrderKind::Malformed;
}

FairnessHistory readFairnessHistory(Connection& connection) {
    // The last column tells a row that repeats the draw number before it.
    Statement query(connection,
                    QStringLiteral("SELECT s1, s2, s3, s4, s5, s6, ss1, ss2, ss3, ss4, ss5, ss6, "
                                   "coalesce(tir = lag(tir) OVER (ORDER BY tir, rowid), 0) "
                                   "FROM razyg WHERE tir IS NOT NULL ORDER BY tir, rowid"));
    FairnessHistory history;
    while (query.step()) {
        if (sqlite3_column_int(query.raw(), 12) != 0) {
            ++history.duplicates;
            continue;
        }
        FairnessDraw draw;
        draw.balls = ballSetFromColumns(query.raw(), 0);
        std::array<int, 6> values{};
        for (int i = 0; i < 6; ++i)
            values[size_t(i)] = orderValue(query.raw(), 6 + i);
        draw.orderKind = classifyOrder(draw.balls, values);
        if (draw.orderKind == OrderKind::Valid)
            for (int i = 0; i < 6; ++i)
                draw.order[size_t(i)] = quint8(values[size_t(i)]);
        history.draws.push_back(draw);
    }
    return history;
}

FairnessSample fairnessSample(const FairnessHistory& history, qint64 lastN) {
    FairnessSample sample;
    sample.duplicates = history.duplicates;
    for (size_t i = size_t(history.windowStart(lastN)); i < history.draws.size(); ++i) {
        const FairnessDraw& draw = history.draws[i];
        if (!isRegularDraw(draw.balls)) {
            ++sample.irregular;
            continue;
        }
        sample.draws.push_back(draw.balls);
        if (draw.orderKind == OrderKind::Valid)
            sample.orders.push_back(draw.order);
        else if (draw.orderKind == OrderKind::Malformed)
            ++sample.orderMalformed;
    }
    return sample;
}

} // namespace Analysis
