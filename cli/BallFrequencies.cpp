#include "cli/BallFrequencies.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <QString>

namespace BallFrequencies {

Counts count(Connection& connection, std::optional<qint64> last) {
    const QString draws =
        last ? QStringLiteral("(SELECT s1, s2, s3, s4, s5, s6 FROM razyg WHERE tir IS NOT NULL "
                              "ORDER BY tir DESC, rowid DESC LIMIT ?1)")
             : QStringLiteral("razyg WHERE tir IS NOT NULL");
    Statement query(connection.handle(),
                    QStringLiteral("SELECT key, value FROM json_each((SELECT ball_hits(s1, s2, "
                                   "s3, s4, s5, s6) FROM ") +
                        draws + QStringLiteral("))"));
    if (last)
        query.bind(1, qlonglong(*last));
    Counts counts{};
    while (query.step()) {
        const qint64 index = query.value(0).toLongLong();
        if (index >= 0 && index < qint64(counts.size()))
            counts[size_t(index)] = query.value(1).toLongLong();
    }
    return counts;
}

} // namespace BallFrequencies
