#include "lab/Backtest.h"

#include "analysis/Fairness.h"
#include "game/Odds.h"
#include "lab/FilterEngine.h"
#include "lab/HistoryFacts.h"
#include "lab/PlayedTickets.h"
#include "lab/RelabelledPlay.h"
#include "runtime/AppError.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace Lab {

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
// PlayedTickets that follows the changes from draw to draw.
class TicketSelection {
public:
    TicketSelection(const Draws::History& history, const BacktestRequest& request)
        : m_played(history.game, candidatesOf(history, request)) {
        if (m_filter && m_filter->usesHistory()) {
            m_history = historyConditionsOf(*m_filter);
            m_tracker.emplace(m_history, history);
            m_playing.assign(m_candidates.size(), false);
        } else {
            for (size_t i = 0; i < m_candidates.size(); ++i)
                m_played.add(i);
        }
    }

    // The tickets played on draw index n: they see the draws before n alone.
    const PlayedTickets& forDraw(qint64 n) {
        if (!m_tracker)
            return m_played;
        m_tracker->advanceTo(n);
        const HistoryFacts& facts = m_tracker->facts();
        // Before the first well-formed draw nothing is known that could rule a ticket out.
        const bool known = facts.draws > 0;
        const int k = m_history.game.k();
        const int sharedMax = m_history.sharedWithLastMax.value_or(k);
        const int hotAtLeast = m_history.hot ? m_history.hot->atLeast : 0;
        const int coldAtLeast = m_history.cold ? m_history.cold->atLeast : 0;
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            const BallBits t = m_candidates[i];
            const bool play = !known || (bitCount(t & facts.newest) <= sharedMax &&
                                         bitCount(t & facts.hot) >= hotAtLeast &&
                                         bitCount(t & facts.cold) >= coldAtLeast &&
                                         !(m_history.notDrawn && facts.drawn->contains(t)));
            if (play == bool(m_playing[i]))
                continue;
            m_playing[i] = play;
            if (play)
                m_played.add(i);
            else
                m_played.remove(i);
        }
        return m_played;
    }

private:
    // The tickets that pass the filter's fixed conditions (all without a filter).
    std::vector<Ticket> candidatesOf(const Draws::History& history,
                                     const BacktestRequest& request) {
        if (request.walkForward) {
            m_filter = *request.walkForward;
            m_filter->game = history.game;
        }
        std::vector<Ticket> candidates;
        const Filter fixed = m_filter ? fixedConditionsOf(*m_filter) : Filter{};
        for (const Ticket& ticket : request.tickets)
            if (!m_filter || passes(fixed, HistoryFacts{}, ticket)) {
                candidates.push_back(ticket);
                m_candidates.push_back(ballsOf(ticket));
            }
        return candidates;
    }

    // Set by candidatesOf while m_played is made: declared before it.
    std::optional<Filter> m_filter;
    std::vector<BallBits> m_candidates; // their main drums
    std::vector<char> m_playing;
    PlayedTickets m_played;
    Filter m_history;
    std::optional<HistoryTracker> m_tracker;
};

QString relabellingMethod(const BacktestRequest& request, const Lottery::Game& game) {
    return QStringLiteral("перестановка шаров: доля из %1 случайных перестановок чисел 1–%2%3 "
                          "(зерно %4%5), при которых %6 выиграли бы не меньше; структура набора "
                          "(какие числа билеты делят) сохраняется")
        .arg(request.pValueReplicates)
        .arg(game.n())
        .arg(game.hasSecondDrum() ? QStringLiteral(" основного барабана") : QString())
        .arg(request.seed)
        .arg(game.hasSecondDrum() ? QStringLiteral("; числа второго барабана остаются свои")
                                  : QString())
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
        Filter filter = *request.walkForward;
        filter.game = history.game;
        const QString problem = filterProblem(filter);
        if (!problem.isEmpty())
            return problem;
    }
    for (const Ticket& ticket : request.tickets) {
        const Lottery::Ticket t = toGameTicket(ticket);
        const QString problem = Lottery::ticketProblem(history.game, t.main, t.second);
        if (!problem.isEmpty())
            return QStringLiteral("Билет %1 не подходит для игры «%2»: %3")
                .arg(ticketText(ticket, QLatin1Char(' ')), history.game.displayName(), problem);
    }
    const auto [begin, end] = rangeOf(history, request);
    if (begin >= end)
        return QStringLiteral("В выбранном диапазоне нет ни одного тиража");
    bool anyWellFormed = false;
    for (qint64 n = begin; n < end && !anyWellFormed; ++n)
        anyWellFormed = history.wellFormed(n);
    if (!anyWellFormed)
        return QStringLiteral("В выбранном диапазоне нет ни одного правильного тиража (%1)")
            .arg(wellFormedDrawText(history.game, true));
    return {};
}

BacktestResult runBacktest(const Draws::History& history, const BacktestRequest& request,
                           const Lottery::Control<>& control) {
    const Lottery::Game& game = history.game;
    BacktestResult result;
    result.tickets = qint64(request.tickets.size());
    const auto [begin, end] = rangeOf(history, request);
    TicketSelection selection(history, request);
    RelabelledPlay relabelled(request.pValueReplicates, request.seed, game.n());
    // The game's categories (best first) and their chances; the result lists
    // them worst first.
    const size_t categories = game.categories().size();
    std::vector<double> chance(categories);
    for (size_t c = 0; c < categories; ++c) {
        chance[c] = Lottery::categoryChance(game, game.categories()[c]);
        CategoryResult category;
        category.category = game.categories()[categories - 1 - c];
        result.categories.push_back(category);
    }
    std::vector<Money> categoryPrize(categories, 0);
    Money totalPrize = 0;
    qint64 drawsCompared = 0; // draws with prizes and tickets, for the p-value
    result.perDraw.reserve(size_t(end - begin));
    std::vector<qint64> amount(categories), hits(categories);

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
        const BallBits drawMain = bitsOf(stored.main);
        const BallBits drawSecond = bitsOf(history.secondOf(n));
        const PlayedTickets& played = selection.forDraw(n);
        // A category left empty in a draw with prizes paid nothing.
        const bool prizesStored = history.prizesStored(n);
        for (size_t c = 0; c < categories; ++c)
            amount[c] = history.prize(n, int(c)).value_or(0);
        played.hits(drawMain, drawSecond, hits);

        DrawOutcome outcome;
        outcome.tir = stored.tir;
        outcome.tickets = played.size();
        outcome.prizesStored = prizesStored;
        outcome.hits.resize(categories);
        Money drawPrize = 0;
        for (size_t c = 0; c < categories; ++c) {
            const size_t r = categories - 1 - c; // its place in the result
            CategoryResult& category = result.categories[r];
            const double expectedHits = double(outcome.tickets) * chance[c];
            outcome.hits[r] = hits[c];
            category.hits += hits[c];
            category.expectedHits += expectedHits;
            if (prizesStored) {
                const Money prize = Money(hits[c]) * amount[c];
                categoryPrize[r] += prize;
                drawPrize += prize;
                category.expectedPrize += expectedHits * double(amount[c]);
                outcome.expectedPrize += expectedHits * double(amount[c]);
            } else {
                category.hitsWithoutPrizes += hits[c];
            }
        }
        outcome.prize = reported(drawPrize, QStringLiteral("Выигрыш тиража %1").arg(stored.tir));
        ++result.draws;
        if (prizesStored && outcome.tickets > 0) {
            relabelled.addDraw(played, drawMain, drawSecond, amount);
            ++drawsCompared;
        }
        result.drawsWithoutPrizes += !prizesStored;
        result.ticketsPlayed += outcome.tickets;
        totalPrize += drawPrize;
        result.expectedTotalPrize += outcome.expectedPrize;
        result.perDraw.push_back(std::move(outcome));
    }

    for (size_t r = 0; r < categories; ++r)
        result.categories[r].prize =
            reported(categoryPrize[r], QStringLiteral("Сумма выигрышей (совпадений: %1)")
                                           .arg(result.categories[r].category.key()));
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
        result.pValueMethod = relabellingMethod(request, game);
    }
    if (!result.stopped) {
        const qint64 total = std::max<qint64>(1, end - begin);
        control.report({total, total});
    }
    return result;
}

} // namespace Lab
