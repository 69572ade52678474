#pragma once

#include "analysis/TextTable.h"
#include "runtime/TableText.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Connection;

namespace Analysis {

struct BallTable;
struct BetTable;
struct PairTable;

// The three tables of the analysis in their exported form. Headers:
//   bets:  tir,date,b1..bK,matches,prize (b1..b6 in 6 из 49), with a second
//          drum tir,date,b1..bK,x1..xK2,matches,second_matches,category,prize
//          (matches empty when the draw is not stored; prize empty unless
//          the matches win a category, and when the draw stores no prize;
//          category the key of the one won, "4+1" or "5")
//   balls: ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n
//          (two decimals; mean_delay empty for a ball never drawn)
//   pairs: ball1,ball2,hits
TextTable betsTable(const BetTable& bets);
TextTable ballsTable(const BallTable& balls);
TextTable pairsTable(const PairTable& pairs);

enum class AnalysisKind { Bets, Balls, Pairs, Fairness };
using TableFormat = TableText::Format;

// "bets", "balls", "pairs" or "fairness"; none for anything else.
std::optional<AnalysisKind> analysisKindNamed(const QString& name);

// The whole road for a command line: reads the database through an open
// connection and writes one table (or the fairness report, see FairnessText.h)
// as UTF-8 text. lastN > 0 limits bets to the newest lastN bets, and balls
// (hits_last_n, hot and cold), pairs and fairness to the newest lastN draws;
// lastN <= 0 means all. Throws AppError with the engine's
// text when the database cannot be read.
QByteArray analysisText(Connection& connection, AnalysisKind kind, qint64 lastN,
                        TableFormat format);

} // namespace Analysis
