#include "analysis/DrawHistory.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

namespace Analysis {

DrawHistory readDrawHistory(Connection& connection) {
    // The balls are read straight from the engine: one pass, no value objects.
    Statement query(connection,
                    QStringLiteral("SELECT s1, s2, s3, s4, s5, s6 FROM razyg WHERE tir IS NOT NULL "
                                   "ORDER BY tir, rowid"));
    DrawHistory history;
    while (query.step()) {
        const BallSet set = ballSetFromColumns(query.raw(), 0);
        history.draws.push_back(set);
        if (!isRegularDraw(set))
            ++history.irregularDraws;
    }
    return history;
}

} // namespace Analysis
