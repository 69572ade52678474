#include "lab/PrizeHistory.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace Lab {

namespace {

// A stored amount: a whole number, a real rounded to the nearest whole, or
// text holding a whole number; anything else is no amount.
bool amountFrom(sqlite3_stmt* statement, int column, qint64& amount) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        amount = sqlite3_column_int64(statement, column);
        return true;
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(statement, column);
        if (!std::isfinite(value) || std::fabs(value) > 9.0e18)
            return false;
        amount = qint64(std::llround(value));
        return true;
    }
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const int length = sqlite3_column_bytes(statement, column);
        bool ok = false;
        amount = QByteArray(text, std::min(length, 32)).trimmed().toLongLong(&ok);
        return ok && length <= 32;
    }
    default:
        return false;
    }
}

} // namespace

qint64 PrizeHistory::firstAtOrAfter(qint64 tir) const {
    const auto at = std::lower_bound(prizes.begin(), prizes.end(), tir,
                                     [](const DrawPrizes& d, qint64 t) { return d.tir < t; });
    return qint64(at - prizes.begin());
}

PrizeHistory readPrizeHistory(Connection& connection) {
    Statement query(connection,
                    QStringLiteral("SELECT s1, s2, s3, s4, s5, s6, tir, chv3, chv4, chv5, chv6 "
                                   "FROM razyg WHERE tir IS NOT NULL ORDER BY tir, rowid"));
    PrizeHistory history;
    sqlite3_stmt* row = query.raw();
    while (query.step()) {
        const Analysis::BallSet set = Analysis::ballSetFromColumns(row, 0);
        history.balls.draws.push_back(set);
        if (!Analysis::isRegularDraw(set))
            ++history.balls.irregularDraws;
        DrawPrizes prizes;
        prizes.tir = sqlite3_column_int64(row, 6);
        for (int k = 0; k < 4; ++k)
            if (amountFrom(row, 7 + k, prizes.amount[size_t(k)]))
                prizes.stored = true;
            else
                prizes.amount[size_t(k)] = 0;
        history.prizes.push_back(prizes);
    }
    return history;
}

} // namespace Lab
