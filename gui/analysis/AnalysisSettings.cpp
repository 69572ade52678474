#include "gui/analysis/AnalysisSettings.h"

#include <QSettings>

namespace AnalysisSettings {

namespace {

const QString kBetPrice = QStringLiteral("analysis/betPrice");
const QString kGeometry = QStringLiteral("analysis/windowGeometry");

QSettings userSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Numeron"),
                     QStringLiteral("Numeron"));
}

} // namespace

double betPrice() {
    bool ok = false;
    const double price = userSettings().value(kBetPrice, 0.0).toDouble(&ok);
    return ok && price >= 0 && price <= 1000000 ? price : 0.0;
}

void setBetPrice(double rubles) {
    userSettings().setValue(kBetPrice, rubles);
}

QByteArray windowGeometry() {
    return userSettings().value(kGeometry).toByteArray();
}

void setWindowGeometry(const QByteArray& geometry) {
    userSettings().setValue(kGeometry, geometry);
}

} // namespace AnalysisSettings
