#include "wheels/SplitConstruction.h"

#include "wheels/ReadyWheels.h"

#include <climits>

namespace Wheels {

namespace {

constexpr int kNoTickets = 0; // a group's level when it gets no tickets

struct Step {
    int size = 0, level = 0, cost = INT_MAX;
};

// Tickets of the wheel "t if level" on a group of `size` numbers, or INT_MAX.
int groupCost(int size, int t, int level) {
    if (level == kNoTickets)
        return 0;
    if (size <= kReadyBlockSize)
        return 1; // one ticket holds the whole group
    const ReadyWheel* ready = findReadyWheel(size, t, level);
    return ready ? int(ready->blocks.size()) : INT_MAX;
}

} // namespace

SplitWheel splitWheel(int n, int t, int m) {
    SplitWheel result;
    if (n > kMaxPoints || m > kReadyBlockSize || t < 1)
        return result;
    const int slackLimit = m - 1;
    // best[i][s]: fewest tickets for the first i numbers with slack s; how[i][s]: last group.
    std::vector<std::vector<Step>> how(n + 1, std::vector<Step>(slackLimit + 1));
    how[0][0].cost = 0;
    for (int i = 0; i < n; ++i)
        for (int s = 0; s <= slackLimit; ++s) {
            if (how[i][s].cost == INT_MAX)
                continue;
            for (int size = 1; i + size <= n; ++size)
                for (int level = kNoTickets; level <= m; ++level) {
                    if (level != kNoTickets && (level < t || level > size))
                        continue;
                    const int slack = level == kNoTickets ? size : level - 1;
                    const int cost = groupCost(size, t, level);
                    if (s + slack > slackLimit || cost == INT_MAX)
                        continue;
                    Step& next = how[i + size][s + slack];
                    if (how[i][s].cost + cost < next.cost)
                        next = Step{size, level, how[i][s].cost + cost};
                }
        }
    int bestSlack = -1;
    for (int s = 0; s <= slackLimit; ++s)
        if (how[n][s].cost != INT_MAX && (bestSlack < 0 || how[n][s].cost < how[n][bestSlack].cost))
            bestSlack = s;
    if (bestSlack < 0 || how[n][bestSlack].size == n)
        return result; // no split, or a single group: the shipped wheel itself
    const Mask all = (Mask(1) << n) - 1;
    for (int i = n, s = bestSlack; i > 0;) {
        const Step step = how[i][s];
        const int first = i - step.size;
        const Mask group = ((Mask(1) << step.size) - 1) << first;
        if (step.level != kNoTickets) {
            if (step.size <= kReadyBlockSize) {
                Mask block = group;
                for (Mask other = all & ~group; popcount(block) < kReadyBlockSize;
                     other &= other - 1)
                    block |= other & (~other + 1);
                result.blocks.push_back(block);
            } else {
                for (Mask b : findReadyWheel(step.size, t, step.level)->blocks)
                    result.blocks.push_back(b << first);
            }
        }
        const QString part =
            step.level == kNoTickets
                ? QStringLiteral("%1 (без билетов)").arg(step.size)
                : QStringLiteral("%1 (%2 из %3)").arg(step.size).arg(t).arg(step.level);
        result.plan = result.plan.isEmpty() ? part : part % QStringLiteral(" + ") % result.plan;
        s -= step.level == kNoTickets ? step.size : step.level - 1;
        i = first;
    }
    return result;
}

} // namespace Wheels
