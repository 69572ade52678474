#pragma once

#include "lab/Filter.h"

#include <QString>
#include <QStringView>

namespace Lab {

// The filter conditions as the user types them, for the command line and the
// window alike. Each returns false and sets error (in words for the user,
// naming the option) when the text is malformed; the values are checked in
// full by filterProblem.

// "A-B" or "A" (A..A).
bool parseSpan(QStringView text, const QString& option, Span& span, QString& error);
// "N,N,...": numbers of 1..N of the game separated by commas, semicolons or blanks.
bool parseBallList(QStringView text, const QString& option, std::vector<int>& balls, QString& error,
                   const Lottery::Game& game = {});
// "N:W:H": the N hottest (or coldest) of the newest W draws, at least H of them.
bool parseHotCold(QStringView text, const QString& option, HotColdRule& rule, QString& error);
constexpr int kMaxCount = 1000000;

// A whole number from least to most (the message names the range).
bool parseCount(QStringView text, const QString& option, int& value, QString& error, int least = 0,
                int most = kMaxCount);

} // namespace Lab
