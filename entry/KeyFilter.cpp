#include "entry/KeyFilter.h"

namespace KeyFilter {

Outcome apply(const QString& fieldText, QChar key) {
    Outcome out;
    out.key = key;
    if (key.unicode() == kBackspace || key == QLatin1Char('.')) {
        out.clearField = true;
        out.key = QLatin1Char('0');
        return out;
    }
    if (fieldText.trimmed() == QLatin1String("0"))
        out.clearField = true;
    if (key < QLatin1Char('0') || key > QLatin1Char('9'))
        out.key = QLatin1Char('0');
    return out;
}

} // namespace KeyFilter
