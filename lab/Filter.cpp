#include "lab/Filter.h"

#include "lab/Ticket.h"

namespace Lab {

namespace {

// openEnded: an upper end beyond `most` does not bind (a sum of 120-180 asks
// for at least 120 when no ticket of the game adds up to more than 170).
QString spanProblem(const std::optional<Span>& span, const QString& name, int most,
                    bool openEnded = false) {
    if (!span)
        return {};
    if (span->low > span->high)
        return QStringLiteral("%1: диапазон %2-%3 задан в обратном порядке")
            .arg(name)
            .arg(span->low)
            .arg(span->high);
    if (span->low < 0 || (openEnded ? span->low : span->high) > most)
        return QStringLiteral("%1: диапазон должен лежать в пределах 0-%2").arg(name).arg(most);
    return {};
}

QString ballsProblem(const std::vector<int>& balls, const QString& name, int n) {
    if (balls.size() > size_t(n))
        return QStringLiteral("%1: больше %2 чисел").arg(name).arg(n);
    for (int ball : balls)
        if (ball < 1 || ball > n)
            return QStringLiteral("%1: число %2 вне 1-%3").arg(name).arg(ball).arg(n);
    return {};
}

QString ruleProblem(const std::optional<HotColdRule>& rule, const QString& name,
                    const Lottery::Game& game) {
    if (!rule)
        return {};
    if (rule->count < 1 || rule->count > game.n() / 2)
        return QStringLiteral("%1: число шаров должно быть от 1 до %2").arg(name).arg(game.n() / 2);
    if (rule->window < 1)
        return QStringLiteral("%1: окно должно быть не меньше одного тиража").arg(name);
    if (rule->atLeast < 0 || rule->atLeast > game.k())
        return QStringLiteral("%1: требуемое количество должно быть от 0 до %2")
            .arg(name)
            .arg(game.k());
    return {};
}

} // namespace

QString filterProblem(const Filter& filter) {
    const Lottery::Game& game = filter.game;
    const int k = game.k();
    const int n = game.n();
    const int largestSum = k * n - k * (k - 1) / 2;
    for (const QString& problem :
         {spanProblem(filter.sum, QStringLiteral("Сумма"), largestSum, true),
          spanProblem(filter.odd, QStringLiteral("Нечётные"), k),
          spanProblem(filter.low, QStringLiteral("Малые (1-%1)").arg(n / 2), k),
          ballsProblem(filter.include, QStringLiteral("Включить"), n),
          ballsProblem(filter.exclude, QStringLiteral("Исключить"), n),
          ruleProblem(filter.hot, QStringLiteral("Горячие"), game),
          ruleProblem(filter.cold, QStringLiteral("Холодные"), game)})
        if (!problem.isEmpty())
            return problem;
    if (filter.maxRun && (*filter.maxRun < 1 || *filter.maxRun > k))
        return QStringLiteral("Наибольшая серия подряд должна быть от 1 до %1").arg(k);
    if (filter.decadeMax && (*filter.decadeMax < 0 || *filter.decadeMax > k))
        return QStringLiteral("Наибольшее число в десятке должно быть от 0 до %1").arg(k);
    if (filter.sharedWithLastMax &&
        (*filter.sharedWithLastMax < 0 || *filter.sharedWithLastMax > k))
        return QStringLiteral("Общих с последним тиражом должно быть от 0 до %1").arg(k);
    if (filter.include.size() > size_t(k))
        return QStringLiteral("Включить можно не больше %1 чисел").arg(countGenitive(k));
    return {};
}

} // namespace Lab
