#include "views/ViewQueries.h"

#include "dataset/SqlTexts.h"

#include <QStringList>

namespace ViewQueries {

QString byDrawDesc() {
    return SqlTexts::drawList();
}

QString byCombination() {
    return QStringLiteral("SELECT * FROM razyg order by s1,s2,s3,s4,s5,s6");
}

QString drawnOrder() {
    return QStringLiteral("SELECT ss1 as s1, ss2 as s2, ss3 as s3, ss4 as s4, ss5 as s5, ss6 as "
                          "s6, ch6, chv6,ch5, chv5, ch4, chv4, ch3, chv3, djp, tirdate, tir  FROM "
                          "razyg order by tir desc");
}

QString sixWinners() {
    return QStringLiteral("SELECT * FROM razyg where ch6>0 order by tir desc");
}

QString fiveWinners() {
    return QStringLiteral("SELECT * FROM razyg where ch5>0 order by tir desc");
}

QString ballParam(int i) {
    return QStringLiteral("v%1").arg(i);
}

namespace {

// One row per ball with its count, from the ball_hits aggregate (see BallHits):
// a draw counts once for each ball it holds; rows without a draw number are
// not counted.
const char* const kBallCounts =
    " FROM json_each((SELECT ball_hits(s1, s2, s3, s4, s5, s6) FROM razyg WHERE tir IS NOT "
    "NULL)) ORDER BY 1, 2";

} // namespace

QString frequencyByBall() {
    return QStringLiteral("SELECT key + 1 AS \"'Шар'\", value AS \"'Выпал, раз'\"") +
           QLatin1String(kBallCounts);
}

QString frequencyByCount() {
    return QStringLiteral("SELECT value AS \"'Выпал, раз'\", CAST(key + 1 AS TEXT) AS \"'Шар'\"") +
           QLatin1String(kBallCounts);
}

QString chartFrequency() {
    return frequencyByBall();
}

namespace {

// "sk IN (:v1, ..., :v6)": position k holds one of the six numbers.
QString positionMatches(int k) {
    QStringList values;
    for (int i = 1; i <= 6; ++i)
        values.append(QLatin1Char(':') + ballParam(i));
    return QStringLiteral("s%1 IN (%2)").arg(k).arg(values.join(QLatin1String(", ")));
}

QString matchCount() {
    QStringList terms;
    for (int k = 1; k <= 6; ++k)
        terms.append(QStringLiteral("IIF(%1, 1, 0)").arg(positionMatches(k)));
    return QLatin1Char('(') + terms.join(QLatin1String(" + ")) + QLatin1Char(')');
}

} // namespace

QString betCheck() {
    QStringList matched;
    for (int k = 1; k <= 6; ++k)
        matched.append(QStringLiteral("IIF(%1, ' ' || s%2, '')").arg(positionMatches(k)).arg(k));
    return QLatin1String("SELECT s1, s2, s3, s4, s5, s6, ch3, ch4, ch5, ch6, chv3, chv4, chv5, "
                         "chv6, tir, pfond, djp, id, tirdate, ss1, ss2, ss3, ss4, ss5, ss6, ") +
           matchCount() + QStringLiteral(" AS \"'Шар'\", TRIM(") +
           matched.join(QLatin1String(" || ")) +
           QStringLiteral(") AS \"'Выпал, раз'\" FROM razyg WHERE ") + matchCount() +
           QStringLiteral(" >= 3 ORDER BY \"'Шар'\" DESC, tir DESC");
}

QString sixNumberSearch() {
    QStringList tests;
    for (int k = 1; k <= 6; ++k)
        tests.append(QStringLiteral("s%1=:%2").arg(k).arg(ballParam(k)));
    return QLatin1String("select * from razyg where ") + tests.join(QLatin1String(" and "));
}

} // namespace ViewQueries
