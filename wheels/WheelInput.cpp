#include "wheels/WheelInput.h"

#include "game/NumberWords.h"

#include <algorithm>

namespace Wheels {

namespace {

constexpr qsizetype kMaxListChars = 4096;

bool isSeparator(QChar c) {
    return c == u',' || c == u';' || c.isSpace();
}

// A whole number of at most three digits, or -1.
int smallNumber(QStringView text) {
    if (text.isEmpty() || text.size() > 3)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString rangeError(QStringView part, int highest) {
    return QStringLiteral("Не удалось разобрать «%1»: ожидаются числа от 1 до %2 или "
                          "диапазоны вида 11-15.")
        .arg(part.left(20).toString())
        .arg(highest);
}

} // namespace

QString validateRequest(const WheelRequest& r) {
    const int balls = r.game.n();
    const int size = r.ticketSize();
    std::vector<bool> seen(std::size_t(balls) + 1);
    for (int n : r.numbers) {
        if (n < 1 || n > balls)
            return QStringLiteral("Число %1 вне диапазона 1–%2.").arg(n).arg(balls);
        if (seen[std::size_t(n)])
            return QStringLiteral("Число %1 выбрано дважды.").arg(n);
        seen[std::size_t(n)] = true;
    }
    if (int(r.numbers.size()) <= size)
        return QStringLiteral("Нужно выбрать не меньше %1 чисел, выбрано %2.")
            .arg(size + 1)
            .arg(r.numbers.size());
    if (int(r.numbers.size()) > kMaxChosen)
        return QStringLiteral("Система строится не больше чем на %1 числах, выбрано %2.")
            .arg(kMaxChosen)
            .arg(r.numbers.size());
    const Guarantee g = r.guarantee;
    if (g.t > g.m)
        return QStringLiteral("Гарантия «%1 из %2» невозможна: угаданных в билете (%1) не может "
                              "быть больше, чем выпавших среди выбранных (%2).")
            .arg(g.t)
            .arg(g.m);
    if (g.t < 2 || g.t >= size || g.m > size)
        return QStringLiteral("Гарантия «%1 из %2» не поддерживается: допустимы от «2 из 2» до "
                              "«%3 из %4».")
            .arg(g.t)
            .arg(g.m)
            .arg(size - 1)
            .arg(size);
    if (int(r.keys.size()) > kMaxKeys)
        return QStringLiteral("Ключевых чисел может быть не больше трёх, задано %1.")
            .arg(r.keys.size());
    std::vector<bool> key(std::size_t(balls) + 1);
    for (int k : r.keys) {
        if (k < 1 || k > balls || !seen[std::size_t(k)])
            return QStringLiteral("Ключевое число %1 не входит в выбранные числа.").arg(k);
        if (key[std::size_t(k)])
            return QStringLiteral("Ключевое число %1 указано дважды.").arg(k);
        key[std::size_t(k)] = true;
    }
    if (int(r.keys.size()) > g.m)
        return QStringLiteral("Ключевых чисел (%1) больше, чем выпавших в гарантии (%2).")
            .arg(r.keys.size())
            .arg(g.m);
    return {};
}

void requireValidRequest(const WheelRequest& request) {
    const QString error = validateRequest(request);
    if (!error.isEmpty())
        throw WheelError(error);
}

QString parseNumberList(QStringView text, std::vector<int>* numbers, int highest) {
    numbers->clear();
    if (text.size() > kMaxListChars)
        return QStringLiteral("Список чисел слишком длинный.");
    std::vector<bool> seen(std::size_t(highest) + 1);
    qsizetype i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const QStringView part = text.mid(i, end - i);
        i = end;
        const qsizetype dash = part.indexOf(u'-');
        const int from = smallNumber(dash < 0 ? part : part.left(dash));
        const int to = dash < 0 ? from : smallNumber(part.mid(dash + 1));
        if (from < 1 || to < 1 || from > highest || to > highest || from > to)
            return rangeError(part, highest);
        for (int n = from; n <= to; ++n) {
            if (seen[std::size_t(n)])
                return QStringLiteral("Число %1 указано дважды.").arg(n);
            seen[std::size_t(n)] = true;
        }
    }
    for (int n = 1; n <= highest; ++n)
        if (seen[std::size_t(n)])
            numbers->push_back(n);
    if (numbers->empty())
        return QStringLiteral("Не указано ни одного числа.");
    return {};
}

QString parseGuarantee(QStringView text, Guarantee* guarantee) {
    QString plain = text.trimmed().toString();
    plain.replace(QStringLiteral(" из "), QStringLiteral("/")).replace(u':', u'/');
    const qsizetype slash = plain.indexOf(u'/');
    const int t = slash < 0 ? -1 : smallNumber(QStringView(plain).left(slash).trimmed());
    const int m = slash < 0 ? -1 : smallNumber(QStringView(plain).mid(slash + 1).trimmed());
    if (t < 0 || m < 0)
        return QStringLiteral("Гарантия записывается как T/M, например 3/6.");
    *guarantee = Guarantee{t, m};
    return {};
}

QString validateTicket(const std::vector<int>& balls, int line, const Lottery::Game& game) {
    const QString where = line > 0 ? QStringLiteral("Строка %1: ").arg(line) : QString();
    if (balls.size() != std::size_t(game.k()))
        return where % QStringLiteral("в билете должно быть %1, а их %2.")
                           .arg(Lottery::numbersInWords(game.k()))
                           .arg(balls.size());
    std::vector<bool> seen(std::size_t(game.n()) + 1);
    for (int b : balls) {
        if (b < 1 || b > game.n())
            return where % QStringLiteral("число %1 вне диапазона 1–%2.").arg(b).arg(game.n());
        if (seen[std::size_t(b)])
            return where % QStringLiteral("число %1 повторяется в билете.").arg(b);
        seen[std::size_t(b)] = true;
    }
    return {};
}

} // namespace Wheels
