#pragma once

#include <QString>

// Texts of the start-up's message boxes; numeron-cli reports the same two
// failures with the same words.
namespace StartupTexts {

inline QString noConfiguration() {
    return QStringLiteral("Не найден файл конфигурации!");
}
inline QString noConfigurationCaption() {
    return QStringLiteral("Внимание!");
}
inline QString noDatabase() {
    return QStringLiteral("Не найдет файл базы данных MS Access!");
}
inline QString noDatabaseCaption() {
    return QStringLiteral("Подключение в БД");
}

} // namespace StartupTexts
