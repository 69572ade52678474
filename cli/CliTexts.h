#pragma once

#include <QString>

// Messages of numeron-cli of its own (those it shares with the window's
// start-up are StartupTexts).
namespace CliTexts {

// The database stayed locked by another program past the busy timeout.
inline QString databaseBusy(const QString& engineText) {
    return QStringLiteral("база данных занята другой программой (%1); повторите позже")
        .arg(engineText);
}

} // namespace CliTexts
