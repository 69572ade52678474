#pragma once

#include <QString>

// Texts of the entry commands' message boxes.
namespace EntryTexts {

inline QString inputErrorCaption() {
    return QStringLiteral("Загрузка данных");
}
inline QString questionCaption() {
    return QStringLiteral("Нумерон");
}
inline QString inputError() {
    return QStringLiteral("Ошибка внесения данных!");
}

// The add's refusal: the draw number is empty, "0" or stored already.
inline QString drawRefused(const QString& drawField) {
    return inputError() + QLatin1Char('\r') +
           QStringLiteral("Поле \"Тираж\" не заполнено или данные по тиражу ") + drawField +
           QStringLiteral(" внесены ранее");
}

inline QString overwriteQuestion() {
    return QStringLiteral("Внести изменения в строку?");
}
inline QString deleteDrawQuestion() {
    return QStringLiteral("Удалить выбранную строку из тиража?");
}
inline QString deleteBetQuestion() {
    return QStringLiteral("Удалить выранную строку из ставок?");
}

} // namespace EntryTexts
