#include "wheels/WheelGenerator.h"

#include "wheels/CoverCatalog.h"
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
// The wheel's bookkeeping takes about 16 bytes a target (an M-set of the free numbers): past
// every six of 49 numbers it would take more memory than a desktop can spare.
constexpr std::uint64_t kMaxTargets = 14000000;
// Of the time budget, the share kept for turning the wheel into tickets and checking it.
constexpr double kCheckShare = 0.03;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool stopRequested(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

struct StartWheel {
    std::vector<Mask> blocks;
    QString method;

    void offer(std::vector<Mask> candidate, const QString& how) {
        if (!candidate.empty() && (blocks.empty() || candidate.size() < blocks.size())) {
            blocks = std::move(candidate);
            method = how;
        }
    }
};

// The smallest starting wheel available for the reduced problem: a shipped wheel, a split into
// groups of them, a cover built from known designs by the point recursions (for "t if t", keys
// or not), or else a greedy one. The shipped wheels hold blocks of six points: they serve the
// reduced problems with such blocks. With `known` false only the greedy one. Empty when `stop`
// was set before any wheel was complete.
StartWheel startingWheel(const CoverProblem& p, bool known, const std::atomic<bool>* stop) {
    StartWheel start;
    const bool ready6 = known && p.k == kReadyBlockSize;
    const ReadyWheel* ready = ready6 ? findReadyWheel(p.n, p.t, p.m) : nullptr;
    if (ready)
        start.offer(ready->blocks, QStringLiteral("готовая система"));
    if (ready6 && p.m > p.t) {
        SplitWheel split = splitWheel(p.n, p.t, p.m);
        start.offer(std::move(split.blocks), QStringLiteral("разбиение на группы: ") + split.plan);
    }
    bool grown = false;
    if (known && p.t == p.m) {
        CatalogOptions options;
        options.stop = stop;
        CoverCatalog catalog(options);
        const KnownCover& cover = catalog.best(p.n, p.k, p.t);
        grown = cover.grown;
        if (!stopRequested(stop))
            start.offer(cover.blocks, cover.origin);
    }
    if (start.blocks.empty() || grown)
        start.offer(greedyCover(p, {}, stop), QStringLiteral("жадное построение"));
    if (ready6 && p.t == 3 && p.m == 3 && p.n > 26 && !ready)
        start.offer(greedyCover(p, steinerSystem3626(), stop),
                    QStringLiteral("система Штейнера S(3,6,26), дополненная жадно"));
    if (stopRequested(stop))
        start.blocks.clear();
    return start;
}

// The tickets of the blocks: each block's balls (keys and the free numbers it holds) in
// ascending order, the tickets sorted.
std::vector<Ticket> toTickets(const std::vector<Mask>& blocks, const std::vector<int>& freeNumbers,
                              const std::vector<int>& keys, int size) {
    std::vector<Ticket> tickets(blocks.size(), Ticket::ofSize(size));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        Ticket& ticket = tickets[i];
        std::size_t filled = 0, key = 0;
        for (Mask b = blocks[i]; b; b &= b - 1) {
            const int ball = freeNumbers[std::size_t(lowestBit(b))];
            while (key < keys.size() && keys[key] < ball)
                ticket[filled++] = keys[key++];
            ticket[filled++] = ball;
        }
        while (key < keys.size())
            ticket[filled++] = keys[key++];
    }
    std::sort(tickets.begin(), tickets.end());
    return tickets;
}

// The proven lower bound of the reduced problem: the published one (keyless), the Schönheim
// bound for "t if t", and whether one or two blocks can do it.
std::uint64_t lowerBound(const CoverProblem& p, bool keyless) {
    std::uint64_t bound = coverLowerBound(p.n, p.k, p.t, p.m);
    if (keyless)
        if (const auto record = findRecord(p.n, p.t, p.m, p.k))
            bound = std::max(bound, std::uint64_t(record->lowerBound));
    return bound;
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
    // "T-h if M-h" with tickets of K-h numbers on the other numbers.
    const int h = int(keys.size());
    const int size = request.ticketSize();
    const CoverProblem problem{
        int(freeNumbers.size()), size - h, request.guarantee.t - h, request.guarantee.m - h, {}};
    if (problem.t > 0 && binomial(problem.n, problem.m) > kMaxTargets)
        throw WheelError(
            QStringLiteral("Система на %1 числах с гарантией «%2 из %3» слишком велика "
                           "для построения; выберите меньше чисел.")
                .arg(request.numbers.size())
                .arg(request.guarantee.t)
                .arg(request.guarantee.m));
    GenerateResult result;
    std::vector<Mask> best;
    if (problem.t <= 0) {
        best.push_back((Mask(1) << problem.k) - 1); // the keys alone already give T
        result.method = QStringLiteral("один билет: ключевые числа дают гарантию");
    } else {
        StartWheel start = startingWheel(problem, options.useReadyWheels, options.stop);
        if (start.blocks.empty())
            throw WheelError(QStringLiteral(
                "Поиск остановлен раньше, чем была построена первая система: систем нет."));
        best = std::move(start.blocks);
        result.method = start.method;
    }
    result.startSize = int(best.size());
    result.lowerBound = problem.t > 0 ? lowerBound(problem, h == 0) : 1;
    auto report = [&](int blocks, std::uint64_t moves) {
        options.report(GenerateProgress{blocks, secondsSince(began), moves});
    };
    report(int(best.size()), 0);

    // Past a few million targets each move costs too much to gain anything in a budget of
    // seconds; the starting wheel (a split or a greedy one) is the answer there.
    const double searchSeconds =
        options.seconds > 0 ? options.seconds * (1 - kCheckShare) - secondsSince(began) : 0;
    const bool timeLeft = options.seconds <= 0 || searchSeconds > 0;
    const bool searching = problem.t > 0 && (options.seconds > 0 || options.maxMoves > 0) &&
                           timeLeft && binomial(problem.n, problem.m) <= kSearchTargetLimit;
    result.end = best.size() <= result.lowerBound ? SearchEnd::LowerBound : SearchEnd::Budget;
    if (stopRequested(options.stop))
        result.end = SearchEnd::Stopped;
    std::vector<Mask> searched;
    if (searching && result.end == SearchEnd::Budget) {
        SearchBudget budget;
        budget.seconds = options.seconds > 0 ? searchSeconds : 0;
        budget.maxMoves = options.maxMoves;
        budget.stop = options.stop;
        budget.goodEnough = std::size_t(result.lowerBound);
        budget.progress = report;
        SearchOutcome outcome = shrinkCover(problem, best, options.seed, budget);
        result.moves = outcome.moves;
        result.end = outcome.end;
        if (outcome.blocks.size() < best.size()) {
            searched = std::move(outcome.blocks);
            result.method += QStringLiteral(", затем локальный поиск");
        }
    }
    result.stopped = result.end == SearchEnd::Stopped;
    // Only a wheel that passes the exact check leaves here.
    for (const std::vector<Mask>* candidate : {&searched, &best}) {
        if (candidate->empty())
            continue;
        std::vector<Ticket> tickets = toTickets(*candidate, freeNumbers, keys, size);
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
