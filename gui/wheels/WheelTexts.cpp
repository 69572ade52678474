#include "gui/wheels/WheelTexts.h"

#include "game/TicketFile.h"
#include "wheels/GameTickets.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelRecords.h"

#include <QLocale>

namespace WheelTexts {

QString guaranteeText(const Wheels::Guarantee& guarantee) {
    return QStringLiteral("%1 из %2").arg(guarantee.t).arg(guarantee.m);
}

QString ballsText(const std::vector<int>& balls) {
    QStringList parts;
    for (const int ball : balls)
        parts << QString::number(ball);
    return parts.join(QLatin1Char(' '));
}

QString ticketsText(qsizetype count) {
    const qsizetype tens = count % 100;
    const qsizetype ones = count % 10;
    const char16_t* word = tens >= 11 && tens <= 14 ? u"билетов"
                           : ones == 1              ? u"билет"
                           : ones >= 2 && ones <= 4 ? u"билета"
                                                    : u"билетов";
    return QLocale().toString(qlonglong(count)) + QLatin1Char(' ') + QString::fromUtf16(word);
}

QString requestText(const Wheels::WheelRequest& request) {
    QString text = QStringLiteral("Числа (%1): %2; гарантия «%3»")
                       .arg(request.numbers.size())
                       .arg(ballsText(request.numbers), guaranteeText(request.guarantee));
    if (!request.keys.empty())
        text += QStringLiteral("; ключевые числа: ") + ballsText(request.keys);
    return text;
}

QString checkText(const Wheels::CheckResult& check, int size, const Wheels::WheelRequest& request) {
    const QLocale locale;
    QString text =
        QStringLiteral("Билетов: %1. Покрыто наборов: %2 из %3 (%4%)")
            .arg(locale.toString(size))
            .arg(locale.toString(qulonglong(check.coveredSets)),
                 locale.toString(qulonglong(check.totalSets)),
                 locale.toString(check.share() * 100.0, 'f', check.guaranteed() ? 0 : 2));
    if (!check.guaranteed())
        return text;
    const QString condition = Wheels::guaranteeCondition(request);
    return text + QStringLiteral(" — гарантия проверена") +
           (condition.isEmpty() ? QString() : QLatin1Char(' ') + condition);
}

QString recordText(const Wheels::WheelRequest& request) {
    if (!request.keys.empty())
        return {};
    const auto record =
        Wheels::findRecord(int(request.numbers.size()), request.guarantee.t, request.guarantee.m);
    if (!record)
        return {};
    const QLocale locale;
    QString text =
        QStringLiteral("Лучший опубликованный размер: %1").arg(locale.toString(record->best));
    if (record->lowerBound > 0)
        text += record->proven() ? QStringLiteral(" (доказано, что меньше нельзя)")
                                 : QStringLiteral("; доказанная нижняя граница: %1")
                                       .arg(locale.toString(record->lowerBound));
    return text;
}

QByteArray ticketsCsv(const std::vector<Wheels::Ticket>& tickets) {
    return Lottery::ticketsText(Wheels::gameTickets(tickets), Lottery::Game(),
                                Lottery::TicketWriter::Format::Csv);
}

} // namespace WheelTexts
