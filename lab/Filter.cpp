#include "lab/Filter.h"

namespace Lab {

namespace {

QString spanProblem(const std::optional<Span>& span, const QString& name, int most) {
    if (!span)
        return {};
    if (span->low > span->high)
        return QStringLiteral("%1: диапазон %2-%3 задан в обратном порядке")
            .arg(name)
            .arg(span->low)
            .arg(span->high);
    if (span->low < 0 || span->high > most)
        return QStringLiteral("%1: диапазон должен лежать в пределах 0-%2").arg(name).arg(most);
    return {};
}

QString ballsProblem(const std::vector<int>& balls, const QString& name) {
    if (balls.size() > 49)
        return QStringLiteral("%1: больше 49 чисел").arg(name);
    for (int ball : balls)
        if (ball < 1 || ball > 49)
            return QStringLiteral("%1: число %2 вне 1-49").arg(name).arg(ball);
    return {};
}

QString ruleProblem(const std::optional<HotColdRule>& rule, const QString& name) {
    if (!rule)
        return {};
    if (rule->count < 1 || rule->count > 24)
        return QStringLiteral("%1: число шаров должно быть от 1 до 24").arg(name);
    if (rule->window < 1)
        return QStringLiteral("%1: окно должно быть не меньше одного тиража").arg(name);
    if (rule->atLeast < 0 || rule->atLeast > 6)
        return QStringLiteral("%1: требуемое количество должно быть от 0 до 6").arg(name);
    return {};
}

} // namespace

QString filterProblem(const Filter& filter) {
    for (const QString& problem : {spanProblem(filter.sum, QStringLiteral("Сумма"), 279),
                                   spanProblem(filter.odd, QStringLiteral("Нечётные"), 6),
                                   spanProblem(filter.low, QStringLiteral("Малые (1-24)"), 6),
                                   ballsProblem(filter.include, QStringLiteral("Включить")),
                                   ballsProblem(filter.exclude, QStringLiteral("Исключить")),
                                   ruleProblem(filter.hot, QStringLiteral("Горячие")),
                                   ruleProblem(filter.cold, QStringLiteral("Холодные"))})
        if (!problem.isEmpty())
            return problem;
    if (filter.maxRun && (*filter.maxRun < 1 || *filter.maxRun > 6))
        return QStringLiteral("Наибольшая серия подряд должна быть от 1 до 6");
    if (filter.decadeMax && (*filter.decadeMax < 0 || *filter.decadeMax > 6))
        return QStringLiteral("Наибольшее число в десятке должно быть от 0 до 6");
    if (filter.sharedWithLastMax &&
        (*filter.sharedWithLastMax < 0 || *filter.sharedWithLastMax > 6))
        return QStringLiteral("Общих с последним тиражом должно быть от 0 до 6");
    if (filter.include.size() > 6)
        return QStringLiteral("Включить можно не больше шести чисел");
    return {};
}

} // namespace Lab
