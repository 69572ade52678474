#pragma once

#include "analysis/Fairness.h"
#include "analysis/TextTable.h"

#include <QByteArray>

namespace Analysis {

// The fairness report in its exported forms. The table: one row per test under
// the header name,statistic,df,p_value,method,p_value_adjusted,law,draws,
// malformed_draws (p_value the test's alone, p_value_adjusted with Holm's
// correction for all the tests; df empty unless the law is χ²(df); law
// "chi2(48)", "4.574*chi2(48)+0.835*chi2(1127)" or "simulation"). JSON:
// {"draws", "malformed_draws", "duplicate_draws", "ordered_draws", "overall":
// {"p_value", "rejected", "tests", "alpha", "verdict"}, "tests": [{"name",
// "statistic", "df", "law", "p_value", "p_value_adjusted", "draws",
// "malformed_draws", "simulations", "method", "verdict"}, ...]}; a second
// drum's tests are named drum2_balls and so on, in JSON with "drum": 2. A test that
// could not be run has empty fields (null in JSON) for its figures.
TextTable fairnessTable(const FairnessReport& report);
QByteArray fairnessJson(const FairnessReport& report);

} // namespace Analysis
