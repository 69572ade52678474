#pragma once

#include <QByteArray>

// What the analysis window remembers between runs, in the user's own settings
// (the desktop's per-user configuration, organisation and application
// "Numeron"), never in razyg.ini beside the program.
namespace AnalysisSettings {

double betPrice(); // rubles; 0 when never set
void setBetPrice(double rubles);

// The window's place and size (QWidget::saveGeometry); empty when never saved.
QByteArray windowGeometry();
void setWindowGeometry(const QByteArray& geometry);

} // namespace AnalysisSettings
