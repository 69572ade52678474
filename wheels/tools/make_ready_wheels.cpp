// Computes the shipped wheels with long budgets and merges them into data/ready_wheels.txt: a
// case is replaced only by a smaller wheel that passes the exact check.
//
//   numeron_make_ready_wheels FILE SECONDS SEED [--anneal] v:t:m [v:t:m ...]
//
// --anneal searches "t if t" by annealing instead of tabu search.
// Each case is searched from each of: the wheel already in FILE, a split into groups of the
// compiled-in wheels, the Steiner systems S(3,6,22) and S(3,6,26) for "3 if 3" (cut down to v, or
// completed greedily), the Turán construction for "3 if 4", and a greedy wheel; the smallest result
// is kept.

#include "wheels/CoverSearch.h"
#include "wheels/ReadyWheels.h"
#include "wheels/SplitConstruction.h"
#include "wheels/SteinerSystems.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelRecords.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace Wheels;

namespace {

bool passesCheck(const ReadyWheel& wheel) {
    WheelRequest request;
    for (int i = 1; i <= wheel.v; ++i)
        request.numbers.push_back(i);
    request.guarantee = Guarantee{wheel.t, wheel.m};
    std::vector<Ticket> tickets;
    for (Mask b : wheel.blocks) {
        Ticket ticket{};
        int i = 0;
        for (; b; b &= b - 1)
            ticket[i++] = lowestBit(b) + 1;
        tickets.push_back(ticket);
    }
    return checkWheel(request, tickets).guaranteed();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FILE SECONDS SEED [--anneal] v:t:m...\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const double seconds = std::atof(argv[2]);
    const std::uint64_t seed = std::strtoull(argv[3], nullptr, 10);
    QFile in(path);
    std::vector<ReadyWheel> wheels;
    if (in.open(QIODevice::ReadOnly))
        wheels = parseReadyWheels(in.readAll());
    in.close();

    const bool anneal = argc > 4 && std::strcmp(argv[4], "--anneal") == 0;
    for (int a = anneal ? 5 : 4; a < argc; ++a) {
        int v = 0, t = 0, m = 0;
        if (std::sscanf(argv[a], "%d:%d:%d", &v, &t, &m) != 3 || v < 7 || v > 49 || t < 1 ||
            t > m || m > 6)
            continue;
        const CoverProblem problem{v, 6, t, m, {}};
        auto existing = std::find_if(wheels.begin(), wheels.end(), [&](const ReadyWheel& w) {
            return w.v == v && w.t == t && w.m == m;
        });
        std::vector<std::vector<Mask>> starts;
        if (existing != wheels.end())
            starts.push_back(existing->blocks);
        if (m > t)
            starts.push_back(splitWheel(v, t, m).blocks);
        if (v <= 22 && t == 3 && m == 3)
            starts.push_back(restrictedDesign(steinerSystem3622(), v));
        if (v <= 26 && t == 3 && m == 3)
            starts.push_back(restrictedDesign(steinerSystem3626(), v));
        if (v > 22 && t == 3 && m == 3) // a design on 22 or 26 points, completed greedily
            starts.push_back(
                greedyCover(problem, v > 26 ? steinerSystem3626() : steinerSystem3622()));
        if (starts.empty() || binomial(v, m) <= 2000000)
            starts.push_back(greedyCover(problem));
        if (t == 3 && m == 4) {
            SearchBudget half;
            half.seconds = seconds / 2;
            starts.push_back(turanThreeIfFour(v, seed, half));
        }
        // Each start gets an equal share of the budget; the smallest result is kept.
        starts.erase(std::remove_if(starts.begin(), starts.end(),
                                    [](const std::vector<Mask>& s) { return s.empty(); }),
                     starts.end());
        if (starts.empty())
            continue;
        SearchBudget budget;
        budget.seconds = seconds / double(starts.size());
        budget.annealPlainCovers = anneal;
        if (const auto record = findRecord(v, t, m))
            budget.goodEnough = std::size_t(record->lowerBound);
        std::vector<Mask> start, best;
        for (const auto& s : starts) {
            std::vector<Mask> shrunk = shrinkCover(problem, s, seed, budget).blocks;
            if (best.empty() || shrunk.size() < best.size()) {
                best = std::move(shrunk);
                start = s;
            }
        }
        ReadyWheel found{v, t, m, best};
        const bool checked = passesCheck(found);
        const bool better =
            existing == wheels.end() || found.blocks.size() < existing->blocks.size();
        std::printf("%2d %d/%d start %zu -> %zu%s%s\n", v, t, m, start.size(), found.blocks.size(),
                    checked ? "" : " FAILED CHECK", better && checked ? " (stored)" : "");
        std::fflush(stdout);
        if (!checked || !better)
            continue;
        if (existing != wheels.end())
            *existing = found;
        else
            wheels.push_back(found);
        std::sort(wheels.begin(), wheels.end(), [](const ReadyWheel& x, const ReadyWheel& y) {
            return std::make_tuple(x.t, x.m, x.v) < std::make_tuple(y.t, y.m, y.v);
        });
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        out.write("# Wheels on the numbers 1..v, one a line: \"v t m|\" then the tickets, each six "
                  "symbols\n# (1-9 for 1-9, A-Z for 10-35, a-n for 36-49). Computed by "
                  "numeron_make_ready_wheels.\n");
        for (const ReadyWheel& w : wheels)
            out.write(formatReadyWheel(w) + '\n');
    }
    return 0;
}
