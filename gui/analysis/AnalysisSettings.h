#pragma once

// What the analysis window remembers between runs, in the user's own settings
// (the desktop's per-user configuration, organisation and application
// "Numeron"), never in razyg.ini beside the program.
namespace AnalysisSettings {

double betPrice(); // rubles; 0 when never set
void setBetPrice(double rubles);

} // namespace AnalysisSettings
