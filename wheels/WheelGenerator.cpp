#include "wheels/WheelGenerator.h"

#include "wheels/CoverSearch.h"
#include "wheels/ReadyWheels.h"
#include "wheels/SplitConstruction.h"
#include "wheels/SteinerSystems.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelInput.h"
#include "wheels/WheelRecords.h"

#include <algorithm>
#include <chrono>

namespace Wheels {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kSearchTargetLimit = 4000000;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct StartWheel {
    std::vector<Mask> blocks;
    QString method;
};

// The smallest starting wheel available for the reduced problem.
// Empty when `stop` was set before any wheel was complete.
StartWheel startingWheel(const CoverProblem& p, bool keyless, bool useReady,
                         const std::atomic<bool>* stop) {
    StartWheel start;
    if (keyless && useReady) {
        if (const ReadyWheel* ready = findReadyWheel(p.n, p.t, p.m)) {
            start.blocks = ready->blocks;
            start.method = QStringLiteral("готовая система");
        }
        if (p.m > p.t) {
            SplitWheel split = splitWheel(p.n, p.t, p.m);
            if (!split.blocks.empty() &&
                (start.blocks.empty() || split.blocks.size() < start.blocks.size())) {
                start.blocks = std::move(split.blocks);
                start.method = QStringLiteral("разбиение на группы: ") + split.plan;
            }
        }
    }
    if (start.blocks.empty()) {
        start.blocks = greedyCover(p, {}, stop);
        start.method = QStringLiteral("жадное построение");
    }
    if (keyless && p.t == 3 && p.m == 3 && p.n > 26 &&
        start.method != QLatin1String("готовая система")) {
        // The Steiner system S(3,6,26) on the first 26 numbers, completed greedily.
        std::vector<Mask> completed = greedyCover(p, steinerSystem3626(), stop);
        if (!completed.empty() && completed.size() < start.blocks.size()) {
            start.blocks = std::move(completed);
            start.method = QStringLiteral("система Штейнера S(3,6,26), дополненная жадно");
        }
    }
    return start;
}

std::vector<Ticket> toTickets(const std::vector<Mask>& blocks, const std::vector<int>& freeNumbers,
                              const std::vector<int>& keys) {
    std::vector<Ticket> tickets;
    tickets.reserve(blocks.size());
    for (Mask block : blocks) {
        std::vector<int> balls = keys;
        for (Mask b = block; b; b &= b - 1)
            balls.push_back(freeNumbers[lowestBit(b)]);
        std::sort(balls.begin(), balls.end());
        Ticket ticket{};
        std::copy_n(balls.begin(), kTicketSize, ticket.begin());
        tickets.push_back(ticket);
    }
    std::sort(tickets.begin(), tickets.end());
    return tickets;
}

} // namespace

GenerateResult generateWheel(const WheelRequest& request, const GenerateOptions& options) {
    requireValidRequest(request);
    const auto began = Clock::now();
    std::vector<int> keys = request.keys;
    std::sort(keys.begin(), keys.end());
    std::vector<int> freeNumbers;
    for (int n : request.numbers)
        if (!std::binary_search(keys.begin(), keys.end(), n))
            freeNumbers.push_back(n);
    std::sort(freeNumbers.begin(), freeNumbers.end());

    // With h keys in every ticket, the rest of the tickets form the wheel
    // "T-h if M-h" with tickets of 6-h numbers on the other numbers.
    const int h = int(keys.size());
    const CoverProblem problem{int(freeNumbers.size()),
                               kTicketSize - h,
                               request.guarantee.t - h,
                               request.guarantee.m - h,
                               {}};
    GenerateResult result;
    std::vector<Mask> best;
    if (problem.t <= 0) {
        best.push_back((Mask(1) << problem.k) - 1); // the keys alone already give T
        result.method = QStringLiteral("один билет: ключевые числа дают гарантию");
    } else {
        StartWheel start = startingWheel(problem, h == 0, options.useReadyWheels, options.stop);
        if (start.blocks.empty())
            throw WheelError(QStringLiteral(
                "Поиск остановлен раньше, чем была построена первая система: систем нет."));
        best = std::move(start.blocks);
        result.method = start.method;
    }
    result.startSize = int(best.size());
    auto report = [&](int size, std::uint64_t moves) {
        if (options.progress)
            options.progress(GenerateProgress{size, secondsSince(began), moves});
    };
    report(int(best.size()), 0);

    // Past a few million targets each move costs too much to gain anything in a budget of
    // seconds; the starting wheel (a split or a greedy one) is the answer there.
    const bool searching = problem.t > 0 && (options.seconds > 0 || options.maxMoves > 0) &&
                           binomial(problem.n, problem.m) <= kSearchTargetLimit;
    std::vector<Mask> searched;
    if (searching) {
        SearchBudget budget;
        budget.seconds =
            options.seconds > 0 ? std::max(options.seconds - secondsSince(began), 1e-3) : 0;
        budget.maxMoves = options.maxMoves;
        budget.stop = options.stop;
        if (problem.t == problem.m)
            budget.goodEnough = std::size_t(schonheimBound(problem.n, problem.k, problem.t));
        if (h == 0)
            if (const auto record = findRecord(problem.n, problem.t, problem.m))
                budget.goodEnough = std::max(budget.goodEnough, std::size_t(record->lowerBound));
        budget.improved = report;
        SearchOutcome outcome = shrinkCover(problem, best, options.seed, budget);
        result.moves = outcome.moves;
        result.stopped = outcome.stopped;
        if (outcome.blocks.size() < best.size()) {
            searched = std::move(outcome.blocks);
            result.method += QStringLiteral(", затем локальный поиск");
        }
    }
    // Only a wheel that passes the exact check leaves here.
    for (const std::vector<Mask>* candidate : {&searched, &best}) {
        if (candidate->empty())
            continue;
        std::vector<Ticket> tickets = toTickets(*candidate, freeNumbers, keys);
        CheckResult check = checkWheel(request, tickets);
        if (check.guaranteed()) {
            result.tickets = std::move(tickets);
            result.check = std::move(check);
            break;
        }
    }
    if (result.tickets.empty())
        throw WheelError(QStringLiteral("Не удалось построить систему с проверенной гарантией."));
    result.seconds = secondsSince(began);
    return result;
}

} // namespace Wheels
