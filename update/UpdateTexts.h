#pragma once

#include <QString>

// Texts of the online update's message boxes and progress label.
namespace UpdateTexts {

inline QString caption() {
    return QStringLiteral("Обновление данных");
}
inline QString requesting(const QString& site) {
    return QStringLiteral("Осуществляется запрос к сайту лотереи - ") + site;
}
inline QString downloadFailed(const QString& url) {
    return QStringLiteral("Ошибка получения данных:") + QLatin1Char('\r') + url;
}
inline QString updated() {
    return QStringLiteral("База данных обновлена.");
}
inline QString nothingNew() {
    return QStringLiteral("Источник не содежит обновлений.");
}
inline QString progress(int percent) {
    return QStringLiteral("Загружено: %1%").arg(percent);
}
inline QString progressAtRest() {
    return QStringLiteral("Загружено:0%");
}

} // namespace UpdateTexts
