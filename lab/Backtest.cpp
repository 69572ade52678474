#include "lab/Backtest.h"

#include "lab/FilterEngine.h"
#include "lab/HistoryFacts.h"
#include "lab/RandomPlay.h"

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
std::pair<qint64, qint64> rangeOf(const PrizeHistory& history, const BacktestRequest& request) {
    const qint64 begin = request.fromTir ? history.firstAtOrAfter(*request.fromTir) : 0;
    qint64 end = history.size();
    if (request.toTir && *request.toTir < std::numeric_limits<qint64>::max())
        end = history.firstAtOrAfter(*request.toTir + 1);
    return {begin, std::max(begin, end)};
}

// The tickets of the set that are played on one draw.
class TicketSelection {
public:
    TicketSelection(const PrizeHistory& history, const BacktestRequest& request) {
        const std::optional<Filter>& filter = request.walkForward;
        for (const Ticket& ticket : request.tickets)
            if (!filter || passes(fixedConditionsOf(*filter), HistoryFacts{}, ticket))
                m_candidates.push_back(ballsOf(ticket));
        if (filter && filter->usesHistory()) {
            m_history = historyConditionsOf(*filter);
            m_tracker.emplace(m_history, history.balls);
        }
        m_played.reserve(m_candidates.size());
    }

    // The tickets played on draw index n: they see draws 0..n-1 alone.
    const std::vector<BallSet>& forDraw(qint64 n) {
        if (!m_tracker)
            return m_candidates;
        m_tracker->advanceTo(n);
        const HistoryFacts& facts = m_tracker->facts();
        const int sharedMax = m_history.sharedWithLastMax.value_or(6);
        const int hotAtLeast = m_history.hot ? m_history.hot->atLeast : 0;
        const int coldAtLeast = m_history.cold ? m_history.cold->atLeast : 0;
        m_played.clear();
        for (BallSet t : m_candidates)
            if (Analysis::ballCount(t & facts.newest) <= sharedMax &&
                Analysis::ballCount(t & facts.hot) >= hotAtLeast &&
                Analysis::ballCount(t & facts.cold) >= coldAtLeast &&
                !(m_history.notDrawn && facts.drawn->contains(t)))
                m_played.push_back(t);
        return m_played;
    }

private:
    std::vector<BallSet> m_candidates;
    std::vector<BallSet> m_played;
    Filter m_history;
    std::optional<HistoryTracker> m_tracker;
};

} // namespace

QString backtestDrawsText(const BacktestResult& result) {
    QString text = QStringLiteral("Тиражей: %1").arg(result.draws);
    if (result.drawsWithoutPrizes > 0)
        text += QStringLiteral(" (без сумм выигрышей: %1)").arg(result.drawsWithoutPrizes);
    if (result.irregularDraws > 0)
        text += QStringLiteral("; неправильных, пропущено: %1").arg(result.irregularDraws);
    return text;
}

QString backtestProblem(const PrizeHistory& history, const BacktestRequest& request) {
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
    return {};
}

BacktestResult runBacktest(const PrizeHistory& history, const BacktestRequest& request,
                           const Control& control) {
    BacktestResult result;
    result.tickets = qint64(request.tickets.size());
    const auto [begin, end] = rangeOf(history, request);
    TicketSelection selection(history, request);
    std::array<double, 4> chance{};
    for (int k = 0; k < 4; ++k)
        chance[size_t(k)] = matchProbability(k + 3);
    std::vector<PlayedDraw> played;
    result.perDraw.reserve(size_t(end - begin));

    for (qint64 n = begin; n < end; ++n) {
        if ((n - begin) % 256 == 0) {
            if (control.stopRequested()) {
                result.stopped = true;
                break;
            }
            if (control.progress)
                control.progress(double(n - begin) / double(end - begin));
        }
        const BallSet draw = history.balls.draws[size_t(n)];
        if (!Analysis::isRegularDraw(draw)) {
            ++result.irregularDraws;
            continue;
        }
        const std::vector<BallSet>& tickets = selection.forDraw(n);
        const DrawPrizes& prizes = history.prizes[size_t(n)];
        // Hit counts by matches, 0..6.
        std::array<qint64, 7> byMatches{};
        for (BallSet t : tickets)
            ++byMatches[size_t(Analysis::ballCount(t & draw))];

        DrawOutcome outcome;
        outcome.tir = prizes.tir;
        outcome.tickets = qint64(tickets.size());
        outcome.prizesStored = prizes.stored;
        for (size_t k = 0; k < 4; ++k) {
            CategoryResult& category = result.categories[k];
            const qint64 hits = byMatches[k + 3];
            const double expectedHits = double(outcome.tickets) * chance[k];
            outcome.hits[k] = hits;
            category.hits += hits;
            category.expectedHits += expectedHits;
            if (prizes.stored) {
                category.prize += hits * prizes.amount[k];
                category.expectedPrize += expectedHits * double(prizes.amount[k]);
                outcome.prize += hits * prizes.amount[k];
                outcome.expectedPrize += expectedHits * double(prizes.amount[k]);
            } else {
                category.hitsWithoutPrizes += hits;
            }
        }
        ++result.draws;
        if (prizes.stored)
            played.push_back(PlayedDraw{outcome.tickets, prizes.amount});
        else
            ++result.drawsWithoutPrizes;
        result.ticketsPlayed += outcome.tickets;
        result.totalPrize += outcome.prize;
        result.expectedTotalPrize += outcome.expectedPrize;
        result.perDraw.push_back(outcome);
    }

    result.cost = result.ticketsPlayed * request.ticketPrice;
    result.net = result.totalPrize - result.cost;
    result.expectedNet = result.expectedTotalPrize - double(result.cost);
    const PValue p =
        randomPlayPValue(played, result.totalPrize, request.pValueReplicates, request.seed);
    result.pValue = p.value;
    result.pValueMethod = p.method;
    if (control.progress && !result.stopped)
        control.progress(1.0);
    return result;
}

} // namespace Lab
