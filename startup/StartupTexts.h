#pragma once

#include "game/Game.h"

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
// The game as a message names it: «5 из 36», or «Гослото» (5 из 36) for a
// game with a name of its own.
inline QString gameTitle(const Lottery::Game& game) {
    if (!game.hasOwnName() || game.name() == game.displayName())
        return QStringLiteral("«%1»").arg(game.displayName());
    return QStringLiteral("«%1» (%2)").arg(game.name(), game.displayName());
}
// The program's database of another game, which the window cannot show yet.
inline QString otherGame(const QString& path, const QString& gameTitle) {
    return QStringLiteral("База данных «%1» — игры %2. Окно программы пока работает только с "
                          "играми «6 из 49»; эту базу ведите командой numeron-cli (справка: "
                          "numeron-cli help). Файл оставлен без изменений.")
        .arg(path, gameTitle);
}
// The table game is there but does not describe a game of the program.
inline QString damagedGameRecord(const QString& path, const QString& reason) {
    return QStringLiteral("Файл «%1» не открыт как база данных программы: %2. Файл оставлен без "
                          "изменений.")
        .arg(path, reason);
}
inline QString noDatabaseCaption() {
    return QStringLiteral("Подключение в БД");
}

} // namespace StartupTexts
