#pragma once

#include "gui/analysis/AnalysisModel.h"

#include <QStringList>
#include <vector>

namespace Analysis {
struct BallTable;
struct BetTable;
struct BetTotals;
struct PairTable;
} // namespace Analysis

// The analysis tables as the window shows them: Russian titles and number
// forms, marks and colours. Each function's rows follow the exported table's
// rows one to one (see AnalysisTables.h), so the shown order can be exported.
namespace AnalysisRows {

// The marks of the hottest and the coldest balls, and their row colours.
extern const QString kHotMark;
extern const QString kColdMark;
extern const QColor kHotColour;
extern const QColor kColdColour;
extern const QColor kWinColour;
extern const QColor kMissingColour;

// Shown in the prize column of a bet whose draw is not stored.
extern const QString kDrawNotFound;

QStringList betHeader();
std::vector<AnalysisRow> betRows(const Analysis::BetTable& bets);
// The totals under the bets; priceKopecks > 0 adds what was spent and the net.
QString betTotalsText(const Analysis::BetTotals& totals, qint64 priceKopecks);

QStringList ballHeader(qint64 lastN, bool all);
std::vector<AnalysisRow> ballRows(const Analysis::BallTable& balls);
QString ballSummaryText(const Analysis::BallTable& balls, bool all);

QStringList pairHeader();
std::vector<AnalysisRow> pairRows(const Analysis::PairTable& pairs);

// "1 234 руб." or "1 234,50 руб."; with a sign when asked ("+34 руб.").
QString money(qint64 kopecks, bool withSign = false);
// A number with two decimals, as the window writes them ("12,24").
QString twoDecimals(double value);

} // namespace AnalysisRows
