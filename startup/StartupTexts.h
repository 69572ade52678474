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
// A file that is no database of this program; the engine's text may follow.
inline QString notProgramDatabase(const QString& path, const QString& engineText = {}) {
    QString text = QStringLiteral("Файл «%1» не является базой данных программы: в нём нет "
                                  "таблиц razyg и Rate. Файл оставлен без изменений.")
                       .arg(path);
    if (!engineText.isEmpty())
        text += QStringLiteral(" (%1)").arg(engineText);
    return text;
}
inline QString noDatabaseCaption() {
    return QStringLiteral("Подключение в БД");
}

} // namespace StartupTexts
