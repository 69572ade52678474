#pragma once

#include <QString>

// Messages numeron-cli shares with the window.
namespace CliTexts {

inline QString noConfiguration() {
    return QStringLiteral("Не найден файл конфигурации!");
}
inline QString noDatabase() {
    return QStringLiteral("Не найдет файл базы данных MS Access!");
}
// The database stayed locked by another program past the busy timeout.
inline QString databaseBusy(const QString& engineText) {
    return QStringLiteral("база данных занята другой программой (%1); повторите позже")
        .arg(engineText);
}

} // namespace CliTexts
