#include "lab/Backtest.h"

#include "analysis/Fairness.h"
#include "game/Odds.h"
#include "lab/FilterEngine.h"
#include "lab/HistoryFacts.h"
#include "lab/MatchCounter.h"
#include "lab/RelabelledPlay.h"
#include "runtime/AppError.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace Lab {

using Analysis::BallSet;

namespace {

Filter historyConditionsOf(const Filter& filter) {
    Filter conditions;
    conditions.notDrawn = filter.notDrawn;
    conditions.sharedWithLastMax = filter.sharedWithLastMax;
    conditions.hot = filter.hot;
    conditions.cold = filter.cold;
    return conditions;
}

Filter fixedConditionsOf(Filter filter) {
    filter.notDrawn = false;
    filter.sharedWithLastMax.reset();
    filter.hot.reset();
    filter.cold.reset();
    return filter;
}

// The draws [begin, end) of the history that the request names.
std::pair<qint64, qint64> rangeOf(const Draws::History& history, const BacktestRequest& request) {
    const qint64 begin = request.fromTir ? history.firstAtOrAfter(*request.fromTir) : 0;
    qint64 end = history.size();
    if (request.toTir && *request.toTir < std::numeric_limits<qint64>::max())
        end = history.firstAtOrAfter(*request.toTir + 1);
    return {begin, std::max(begin, end)};
}

// The tickets of the set that are played on one draw, kept in a
// MatchCounter that follows the changes from draw to draw.
class TicketSelection {
public:
    TicketSelection(const Draws::History& history, const BacktestRequest& request)
        : m_counter(request.tickets.size()) {
        const std::optional<Filter>& filter = request.walkForward;
        for (const Ticket& ticket : request.tickets)
            if (!filter || passes(fixedConditionsOf(*filter), HistoryFacts{}, ticket))
                m_candidates.push_back(ballsOf(ticket));
        if (filter && filter->usesHistory()) {
            m_history = historyConditionsOf(*filter);
            m_tracker.emplace(m_history, history);
            m_playing.assign(m_candidates.size(), false);
        } else {
            for (BallSet t : m_candidates)
                m_counter.add(t);
        }
    }

    // The tickets played on draw index n: they see the draws before n alone.
    const MatchCounter& forDraw(qint64 n) {
        if (!m_tracker)
            return m_counter;
        m_tracker->advanceTo(n);
        const HistoryFacts& facts = m_tracker->facts();
        // Before the first well-formed draw nothing is known that could rule a ticket out.
        const bool known = facts.draws > 0;
        const int sharedMax = m_history.sharedWithLastMax.value_or(6);
        const int hotAtLeast = m_history.hot ? m_history.hot->atLeast : 0;
        const int coldAtLeast = m_history.cold ? m_history.cold->atLeast : 0;
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            const BallSet t = m_candidates[i];
            const bool play = !known || (Analysis::ballCount(t & facts.newest) <= sharedMax &&
                                         Analysis::ballCount(t & facts.hot) >= hotAtLeast &&
                                         Analysis::ballCount(t & facts.cold) >= coldAtLeast &&
                                         !(m_history.notDrawn && facts.drawn->contains(t)));
            if (play == bool(m_playing[i]))
                continue;
            m_playing[i] = play;
            if (play)
                m_counter.add(t);
            else
                m_counter.remove(t);
        }
        return m_counter;
    }

private:
    std::vector<BallSet> m_candidates;
    std::vector<char> m_playing;
    MatchCounter m_counter;
    Filter m_history;
    std::optional<HistoryTracker> m_tracker;
};

QString relabellingMethod(const BacktestRequest& request) {
    return QStringLiteral("перестановка шаров: доля из %1 случайных перестановок чисел 1–49 "
                          "(зерно %2), при которых %3 выиграли бы не меньше; структура набора "
                          "(какие числа билеты делят) сохраняется")
        .arg(request.pValueReplicates)
        .arg(request.seed)
        .arg(request.walkForward
                 ? QStringLiteral("билеты, сыгранные на каждом тираже, с переставленными числами,")
                 : QStringLiteral("те же билеты с переставленными числами"));
}

// A total reported in 64 bits, or the reason it cannot be.
qint64 reported(Money value, const QString& whatOverflows) {
    if (!fitsInt64(value))
        throw AppError(whatOverflows + QStringLiteral(" больше 9 223 372 036 854 775 807: такие "
                                                      "суммы не считаются"));
    return qint64(value);
}

} // namespace

QString backtestDrawsText(const BacktestResult& result) {
    QString text = QStringLiteral("Тиражей: %1").arg(result.draws);
    if (result.drawsWithoutPrizes > 0)
        text += QStringLiteral(" (без сумм выигрышей: %1)").arg(result.drawsWithoutPrizes);
    if (result.irregularDraws > 0)
        text += QStringLiteral("; неправильных, пропущено: %1").arg(result.irregularDraws);
    return text;
}

QString backtestPValueText(const BacktestResult& result) {
    if (std::isnan(result.pValue))
        return QStringLiteral("p ") + result.pValueMethod;
    const QString p = Analysis::formatPValue(result.pValue);
    return (p.startsWith(u'<') ? QStringLiteral("p ") : QStringLiteral("p = ")) + p +
           QStringLiteral(" (") + result.pValueMethod + u')';
}

Draws::Request backtestRequest() {
    Draws::Request request;
    request.prizes = true;
    return request;
}

QString backtestProblem(const Draws::History& history, const BacktestRequest& request) {
    if (history.size() == 0)
        return QStringLiteral("В базе нет ни одного тиража");
    if (request.tickets.empty())
        return QStringLiteral("Нет ни одного билета");
    if (request.fromTir && request.toTir && *request.fromTir > *request.toTir)
        return QStringLiteral("Диапазон тиражей %1-%2 задан в обратном порядке")
            .arg(*request.fromTir)
            .arg(*request.toTir);
    if (request.ticketPrice < 0)
        return QStringLiteral("Цена билета не может быть отрицательной");
    if (request.walkForward) {
        const QString problem = filterProblem(*request.walkForward);
        if (!problem.isEmpty())
            return problem;
    }
    const auto [begin, end] = rangeOf(history, request);
    if (begin >= end)
        return QStringLiteral("В выбранном диапазоне нет ни одного тиража");
    bool anyWellFormed = false;
    for (qint64 n = begin; n < end && !anyWellFormed; ++n)
        anyWellFormed = history.wellFormed(n);
    if (!anyWellFormed)
        return QStringLiteral("В выбранном диапазоне нет ни одного правильного тиража (шести "
                              "разных чисел от 1 до 49)");
    return {};
}

BacktestResult runBacktest(const Draws::History& history, const BacktestRequest& request,
                           const Lottery::Control<>& control) {
    BacktestResult result;
    result.tickets = qint64(request.tickets.size());
    const auto [begin, end] = rangeOf(history, request);
    TicketSelection selection(history, request);
    RelabelledPlay relabelled(request.pValueReplicates, request.seed);
    // Per count of matches, 3 to 6: its chance, and its category among the game's.
    std::array<double, 4> chance{};
    std::array<int, 4> categoryIndex{};
    for (int k = 0; k < 4; ++k) {
        chance[size_t(k)] = Lottery::matchChance(history.game.n(), history.game.k(), k + 3);
        categoryIndex[size_t(k)] = history.game.categoryIndex({k + 3, 0});
    }
    std::array<Money, 4> categoryPrize{};
    Money totalPrize = 0;
    qint64 drawsCompared = 0; // draws with prizes and tickets, for the p-value
    result.perDraw.reserve(size_t(end - begin));

    for (qint64 n = begin; n < end; ++n) {
        if (control.stopRequested()) {
            result.stopped = true;
            break;
        }
        if (control.progress && (n - begin) % 16 == 0)
            control.report({n - begin, end - begin});
        const Draws::StoredDraw& stored = history.draws[size_t(n)];
        if (!history.wellFormed(n)) {
            ++result.irregularDraws;
            continue;
        }
        const BallSet draw = Analysis::ballSetOf(stored.main);
        const MatchCounter& played = selection.forDraw(n);
        // A category left empty in a draw with prizes paid nothing.
        const bool prizesStored = history.prizesStored(n);
        std::array<qint64, 4> amount{};
        for (size_t k = 0; k < 4; ++k)
            amount[k] = history.prize(n, categoryIndex[k]).value_or(0);
        const MatchHits hits = played.hits(draw);

        DrawOutcome outcome;
        outcome.tir = stored.tir;
        outcome.tickets = played.size();
        outcome.prizesStored = prizesStored;
        Money drawPrize = 0;
        for (size_t k = 0; k < 4; ++k) {
            CategoryResult& category = result.categories[k];
            const double expectedHits = double(outcome.tickets) * chance[k];
            outcome.hits[k] = hits[k];
            category.hits += hits[k];
            category.expectedHits += expectedHits;
            if (prizesStored) {
                const Money prize = Money(hits[k]) * amount[k];
                categoryPrize[k] += prize;
                drawPrize += prize;
                category.expectedPrize += expectedHits * double(amount[k]);
                outcome.expectedPrize += expectedHits * double(amount[k]);
            } else {
                category.hitsWithoutPrizes += hits[k];
            }
        }
        outcome.prize = reported(drawPrize, QStringLiteral("Выигрыш тиража %1").arg(stored.tir));
        ++result.draws;
        if (prizesStored && outcome.tickets > 0) {
            relabelled.addDraw(played, draw, amount);
            ++drawsCompared;
        }
        result.drawsWithoutPrizes += !prizesStored;
        result.ticketsPlayed += outcome.tickets;
        totalPrize += drawPrize;
        result.expectedTotalPrize += outcome.expectedPrize;
        result.perDraw.push_back(outcome);
    }

    for (size_t k = 0; k < 4; ++k)
        result.categories[k].prize = reported(
            categoryPrize[k], QStringLiteral("Сумма выигрышей (совпадений: %1)").arg(k + 3));
    result.totalPrize = reported(totalPrize, QStringLiteral("Сумма выигрышей"));
    const Money cost = Money(result.ticketsPlayed) * request.ticketPrice;
    const QLocale locale;
    result.cost = reported(cost, QStringLiteral("Стоимость %1 сыгранных билетов по цене %2")
                                     .arg(locale.toString(result.ticketsPlayed),
                                          locale.toString(request.ticketPrice)));
    result.net = reported(totalPrize - cost, QStringLiteral("Итог"));
    result.expectedNet = result.expectedTotalPrize - double(result.cost);
    if (result.stopped)
        result.pValueMethod = QStringLiteral("не вычислялось: проверка остановлена");
    else if (drawsCompared == 0 || relabelled.replicates() == 0)
        result.pValueMethod =
            QStringLiteral("не вычислялось: нет сыгранных билетов на тиражах с суммами выигрышей");
    else {
        result.pValue = relabelled.pValue(totalPrize);
        result.pValueMethod = relabellingMethod(request);
    }
    if (!result.stopped) {
        const qint64 total = std::max<qint64>(1, end - begin);
        control.report({total, total});
    }
    return result;
}

} // namespace Lab
