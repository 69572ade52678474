#include "analysis/AnalysisTables.h"

#include "analysis/BallStats.h"
#include "analysis/Fairness.h"
#include "analysis/FairnessText.h"
#include "analysis/MyBets.h"
#include "analysis/PairStats.h"
#include "draws/StoredDraws.h"

namespace Analysis {

namespace {

TableCell optionalNumber(const std::optional<qint64>& value) {
    return value ? TableCell::number(*value) : TableCell::null();
}

QStringList headerOf(const char* names) {
    return QString::fromLatin1(names).split(QLatin1Char(','));
}

} // namespace

TextTable betsTable(const BetTable& bets) {
    const Lottery::Game& game = bets.game;
    const bool twoDrums = game.hasSecondDrum();
    TextTable table;
    table.header = QStringList{QStringLiteral("tir"), QStringLiteral("date")};
    for (int i = 1; i <= game.k(); ++i)
        table.header.append(QStringLiteral("b%1").arg(i));
    for (int i = 1; i <= game.k2(); ++i)
        table.header.append(QStringLiteral("x%1").arg(i));
    table.header.append(QStringLiteral("matches"));
    if (twoDrums)
        table.header += QStringList{QStringLiteral("second_matches"), QStringLiteral("category")};
    table.header.append(QStringLiteral("prize"));
    for (const BetResult& bet : bets.rows) {
        std::vector<TableCell> row;
        row.reserve(size_t(table.header.size()));
        row.push_back(optionalNumber(bet.tir));
        row.push_back(bet.date.isEmpty() ? TableCell::null() : TableCell::string(bet.date));
        for (const auto& number : bet.numbers)
            row.push_back(optionalNumber(number));
        for (const auto& number : bet.secondNumbers)
            row.push_back(optionalNumber(number));
        // As the window shows it: "*" after the matches of a bet on a draw
        // whose balls are not K distinct numbers from 1 to N.
        if (!bet.drawFound)
            row.push_back(TableCell::null());
        else if (bet.drawIrregular)
            row.push_back(TableCell::string(QString::number(bet.matches) + QStringLiteral(" *")));
        else
            row.push_back(TableCell::number(qint64(bet.matches)));
        if (twoDrums) {
            row.push_back(bet.drawFound ? TableCell::number(qint64(bet.secondMatches))
                                        : TableCell::null());
            row.push_back(bet.wins()
                              ? TableCell::string(game.categories()[size_t(bet.category)].key())
                              : TableCell::null());
        }
        row.push_back(bet.wins() ? optionalNumber(bet.prize) : TableCell::null());
        table.rows.push_back(std::move(row));
    }
    return table;
}

TextTable ballsTable(const BallTable& balls) {
    TextTable table;
    table.header =
        headerOf("ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n");
    for (const BallStat& s : balls.balls) {
        table.rows.push_back({TableCell::number(qint64(s.ball)), TableCell::number(s.hits),
                              TableCell::number(s.per100, 2),
                              TableCell::number(balls.expectedPer100, 2),
                              TableCell::number(s.delay), TableCell::number(s.maxDelay),
                              s.meanDelay ? TableCell::number(*s.meanDelay, 2) : TableCell::null(),
                              TableCell::number(s.hitsLastN)});
    }
    return table;
}

TextTable pairsTable(const PairTable& pairs) {
    TextTable table;
    table.header = headerOf("ball1,ball2,hits");
    for (const PairCount& p : pairs.pairs)
        table.rows.push_back({TableCell::number(qint64(p.ball1)),
                              TableCell::number(qint64(p.ball2)), TableCell::number(p.hits)});
    return table;
}

std::optional<AnalysisKind> analysisKindNamed(const QString& name) {
    if (name == QLatin1String("bets"))
        return AnalysisKind::Bets;
    if (name == QLatin1String("balls"))
        return AnalysisKind::Balls;
    if (name == QLatin1String("pairs"))
        return AnalysisKind::Pairs;
    if (name == QLatin1String("fairness"))
        return AnalysisKind::Fairness;
    return std::nullopt;
}

QByteArray analysisText(Connection& connection, AnalysisKind kind, qint64 lastN,
                        TableFormat format) {
    if (kind == AnalysisKind::Fairness) {
        const FairnessReport report =
            computeFairness(Draws::read(connection, fairnessRequest()), lastN);
        return format == TableFormat::Csv ? toCsv(fairnessTable(report)) : fairnessJson(report);
    }
    TextTable table;
    switch (kind) {
    case AnalysisKind::Bets:
        table = betsTable(readMyBets(connection, lastN));
        break;
    case AnalysisKind::Balls:
        table = ballsTable(computeBallStats(Draws::read(connection), lastN));
        break;
    case AnalysisKind::Pairs:
        table = pairsTable(computeTopPairs(Draws::read(connection), lastN));
        break;
    case AnalysisKind::Fairness:
        break;
    }
    return format == TableFormat::Csv ? toCsv(table) : toJson(table);
}

} // namespace Analysis
