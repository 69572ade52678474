#include "wheels/WheelCheck.h"

#include "wheels/Combinatorics.h"
#include "wheels/WheelInput.h"

#include "game/BallSet.h"

#include <algorithm>

namespace Wheels {

namespace {

// Walks the M-sets in lexicographic order, one chosen number per level, keeping how many of
// the set's numbers each ticket holds. As soon as a ticket reaches its threshold every
// completion of the current prefix is covered, so they are counted at once and skipped.
class SetWalker {
public:
    SetWalker(std::vector<int> freeNumbers, std::vector<int> keys, int setSize,
              const std::vector<Ticket>& tickets, int threshold, int shown,
              const std::atomic<bool>* stop, int highest)
        : free_(std::move(freeNumbers)), keys_(std::move(keys)), size_(setSize), shown_(shown),
          stop_(stop), holders_(free_.size()) {
        std::vector<int> indexOf(std::size_t(highest) + 1, -1);
        for (int i = 0; i < int(free_.size()); ++i)
            indexOf[free_[i]] = i;
        for (const Ticket& ticket : tickets) {
            int keysHeld = 0;
            for (int ball : ticket)
                keysHeld += std::count(keys_.begin(), keys_.end(), ball) > 0;
            const int need = threshold - keysHeld;
            if (need <= 0)
                coversAll_ = true;
            const int id = int(need_.size());
            need_.push_back(need);
            for (int ball : ticket)
                if (indexOf[ball] >= 0)
                    holders_[indexOf[ball]].push_back(id);
        }
        held_.assign(need_.size(), 0);
    }

    CheckResult run() {
        result_.totalSets = binomial(int(free_.size()), size_);
        if (coversAll_) {
            result_.coveredSets = result_.totalSets;
        } else if (size_ == 0) {
            record();
        } else {
            walk(0, 0);
        }
        return result_;
    }

private:
    void record() {
        if (int(result_.firstUncovered.size()) >= shown_)
            return;
        std::vector<int> set = keys_;
        for (int i = 0; i < int(prefix_.size()); ++i)
            set.push_back(free_[prefix_[i]]);
        std::sort(set.begin(), set.end());
        result_.firstUncovered.push_back(set);
    }

    void walk(int depth, int from) {
        const int n = int(free_.size());
        if (depth + 2 <= size_ && stop_ && stop_->load(std::memory_order_relaxed))
            result_.finished = false;
        for (int x = from; x <= n - (size_ - depth) && result_.finished; ++x) {
            bool covered = false;
            for (int id : holders_[x])
                covered |= ++held_[id] >= need_[id];
            prefix_.push_back(x);
            if (covered)
                result_.coveredSets += binomial(n - 1 - x, size_ - depth - 1);
            else if (depth + 1 == size_)
                record();
            else
                walk(depth + 1, x + 1);
            prefix_.pop_back();
            for (int id : holders_[x])
                --held_[id];
        }
    }

    std::vector<int> free_, keys_;
    int size_, shown_;
    const std::atomic<bool>* stop_;
    std::vector<std::vector<int>> holders_; // for each free number, the tickets holding it
    std::vector<int> need_, held_, prefix_;
    bool coversAll_ = false;
    CheckResult result_;
};

// For wheels of many tickets: every ticket marks the sets of chosen numbers it would complete
// (each size a ticket needs), and each M-set looks its subsets of those sizes up.
CheckResult checkByMarks(const std::vector<int>& freeNumbers, const std::vector<int>& keys,
                         int setSize, const std::vector<Ticket>& tickets, int threshold, int shown,
                         const std::atomic<bool>* stop, int highest) {
    CheckResult result;
    const int n = int(freeNumbers.size());
    result.totalSets = binomial(n, setSize);
    std::vector<int> indexOf(std::size_t(highest) + 1, -1);
    for (int i = 0; i < n; ++i)
        indexOf[freeNumbers[std::size_t(i)]] = i;
    std::vector<std::vector<bool>> marked(std::size_t(setSize) + 1);
    for (const Ticket& ticket : tickets) {
        Mask held = 0;
        int keysHeld = 0;
        for (int ball : ticket) {
            keysHeld += std::count(keys.begin(), keys.end(), ball) > 0;
            if (indexOf[ball] >= 0)
                held |= Mask(1) << indexOf[ball];
        }
        const int need = std::max(threshold - keysHeld, 0);
        if (need > setSize)
            continue;
        auto& marks = marked[std::size_t(need)];
        if (marks.empty())
            marks.assign(binomial(n, need), false);
        forEachSubset(held, need, [&](Mask part) { marks[colexRank(part)] = true; });
    }
    auto record = [&](Mask set) {
        if (int(result.firstUncovered.size()) >= shown)
            return;
        std::vector<int> balls = keys;
        for (Mask b = set; b; b &= b - 1)
            balls.push_back(freeNumbers[std::size_t(lowestBit(b))]);
        std::sort(balls.begin(), balls.end());
        result.firstUncovered.push_back(balls);
    };
    // When every ticket needs the whole set ("t if t" without keys), the marks are the answer.
    bool wholeSetsOnly = !marked[std::size_t(setSize)].empty();
    for (int need = 0; need < setSize; ++need)
        wholeSetsOnly = wholeSetsOnly && marked[std::size_t(need)].empty();
    if (wholeSetsOnly) {
        const std::vector<bool>& marks = marked[std::size_t(setSize)];
        for (std::uint64_t rank = 0; rank < marks.size(); ++rank) {
            if ((rank & 0xFFFF) == 0 && stop && stop->load()) {
                result.finished = false;
                break;
            }
            if (marks[rank])
                ++result.coveredSets;
            else
                record(colexUnrank(rank, setSize));
        }
        return result;
    }
    std::uint64_t visited = 0;
    forEachSubset((Mask(1) << n) - 1, setSize, [&](Mask set) {
        if (!result.finished || ((++visited & 0xFFFF) == 0 && stop && stop->load()))
            return void(result.finished = false);
        bool covered = false;
        for (int need = 0; need <= setSize && !covered; ++need)
            if (!marked[std::size_t(need)].empty())
                forEachSubset(set, need, [&](Mask part) {
                    covered = covered || marked[std::size_t(need)][colexRank(part)];
                });
        if (covered)
            ++result.coveredSets;
        else
            record(set);
    });
    return result;
}

// Past this many tickets the walk's per-number ticket lists grow long, and marking wins.
constexpr std::size_t kMarkingTickets = 2000;

} // namespace

QString guaranteeCondition(const WheelRequest& request) {
    return request.keys.empty() ? QString()
                                : QStringLiteral("при условии, что выпали все ключевые числа");
}

CheckResult checkWheel(const WheelRequest& request, const std::vector<Ticket>& tickets,
                       int shownUncovered, const std::atomic<bool>* stop) {
    requireValidRequest(request);
    const int highest = request.game.n();
    for (const Ticket& ticket : tickets) {
        Lottery::BallSet balls;
        for (int ball : ticket)
            if (ball >= 1 && ball <= highest)
                balls.add(ball);
        if (balls.count() == request.ticketSize() && int(ticket.size()) == request.ticketSize())
            continue;
        const QString error =
            validateTicket(std::vector<int>(ticket.begin(), ticket.end()), 0, request.game);
        if (!error.isEmpty())
            throw WheelError(error);
    }
    std::vector<int> freeNumbers;
    for (int n : request.numbers)
        if (std::find(request.keys.begin(), request.keys.end(), n) == request.keys.end())
            freeNumbers.push_back(n);
    std::sort(freeNumbers.begin(), freeNumbers.end());
    std::vector<int> keys = request.keys;
    std::sort(keys.begin(), keys.end());
    const int setSize = request.guarantee.m - int(keys.size());
    if (tickets.size() > kMarkingTickets)
        return checkByMarks(freeNumbers, keys, setSize, tickets, request.guarantee.t,
                            std::max(shownUncovered, 0), stop, highest);
    SetWalker walker(std::move(freeNumbers), std::move(keys), setSize, tickets, request.guarantee.t,
                     std::max(shownUncovered, 0), stop, highest);
    return walker.run();
}

} // namespace Wheels
