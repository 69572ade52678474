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

// Why the online update got no workbook (numeron-cli says it after
// downloadFailed's first line; the window's box keeps its own text).
inline QString noConnection(const QString& address, const QString& networkText) {
    return QStringLiteral("не удалось соединиться с %1 (%2)").arg(address, networkText);
}
inline QString siteSilent(const QString& address) {
    return QStringLiteral("%1 не отвечает: передача прервана по времени").arg(address);
}
inline QString answerTooLarge(const QString& address) {
    return QStringLiteral("ответ %1 слишком велик, передача прервана").arg(address);
}
inline QString httpStatus(const QString& address, int status) {
    return QStringLiteral("сайт ответил на запрос %1 кодом HTTP %2").arg(address).arg(status);
}
inline QString transferCut(const QString& address, const QString& networkText) {
    return networkText.isEmpty()
               ? QStringLiteral("передача %1 не удалась").arg(address)
               : QStringLiteral("передача %1 не удалась (%2)").arg(address, networkText);
}
inline QString emptyPage(const QString& address) {
    return QStringLiteral("страница %1 пуста").arg(address);
}
inline QString noWorkbookLink(const QString& address) {
    return QStringLiteral("на странице %1 нет ссылок на книги результатов (.xls, .xlsx)")
        .arg(address);
}
inline QString noStampedLink(const QString& address) {
    return QStringLiteral("на странице %1 нет ссылки на книгу с отметкой даты "
                          "«(дд.мм.гггг чч:мм:сс)»")
        .arg(address);
}
inline QString csvDownloadFailure(const QString& reason) {
    return QStringLiteral("файл CSV скачать не удалось: ") + reason;
}
inline QString downloadFailure(const QString& reason) {
    return QStringLiteral("книгу скачать не удалось: ") + reason;
}

} // namespace UpdateTexts
