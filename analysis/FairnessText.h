#pragma once

#include "analysis/Fairness.h"
#include "analysis/TextTable.h"

#include <QByteArray>

namespace Analysis {

// The fairness report in its exported forms. The table: one row per test under
// the header name,statistic,df,p_value,method. JSON: {"draws": N, "tests":
// [{"name", "statistic", "df", "p_value", "method"}, ...]}. A test that could
// not be run has empty fields (null in JSON) for its figures.
TextTable fairnessTable(const FairnessReport& report);
QByteArray fairnessJson(const FairnessReport& report);

} // namespace Analysis
