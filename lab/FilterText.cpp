#include "lab/FilterText.h"

#include <QRegularExpression>

namespace Lab {

namespace {

bool number(QStringView text, int& value, int least = 0, int most = kMaxCount) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok && text.trimmed().size() <= 8 && value >= least && value <= most;
}

// "expected" names what was expected with its verb: «ожидался диапазон…».
bool malformed(const QString& option, QStringView text, const QString& expected, QString& error) {
    error = QStringLiteral("%1: «%2» — %3").arg(option, text.left(40).toString(), expected);
    return false;
}

} // namespace

bool parseSpan(QStringView text, const QString& option, Span& span, QString& error) {
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    const QStringView low = dash < 0 ? text : text.left(dash);
    const QStringView high = dash < 0 ? text : text.mid(dash + 1);
    if (!number(low, span.low) || !number(high, span.high))
        return malformed(option, text, QStringLiteral("ожидался диапазон вида A-B"), error);
    return true;
}

bool parseBallList(QStringView text, const QString& option, std::vector<int>& balls, QString& error,
                   const Lottery::Game& game) {
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    balls.clear();
    for (const QStringView item : text.split(separators)) {
        if (item.isEmpty())
            continue;
        int ball = 0;
        if (!number(item, ball) || ball < 1 || ball > game.n() || balls.size() >= size_t(game.n()))
            return malformed(option, text,
                             QStringLiteral("ожидался список чисел от 1 до %1").arg(game.n()),
                             error);
        balls.push_back(ball);
    }
    return true;
}

bool parseHotCold(QStringView text, const QString& option, HotColdRule& rule, QString& error) {
    const QList<QStringView> fields = text.split(QLatin1Char(':'));
    if (fields.size() != 3 || !number(fields[0], rule.count) || !number(fields[1], rule.window) ||
        !number(fields[2], rule.atLeast))
        return malformed(option, text, QStringLiteral("ожидалась запись вида N:W:H"), error);
    return true;
}

bool parseCount(QStringView text, const QString& option, int& value, QString& error, int least,
                int most) {
    if (!number(text, value, least, most))
        return malformed(option, text,
                         QStringLiteral("ожидалось целое число от %1 до %2").arg(least).arg(most),
                         error);
    return true;
}

} // namespace Lab
