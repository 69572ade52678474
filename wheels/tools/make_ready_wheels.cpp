// Computes the shipped wheels with long budgets and merges them into data/ready_wheels.txt: a
// case is replaced only by a smaller wheel that passes the exact check, and the line keeps how
// the wheel was made (the start, the search's seconds, seed and moves, the date).
//
//   numeron_make_ready_wheels FILE SECONDS SEED [--orbits] [--part-moves N] v:t:m [v:t:m ...]
//
// The starts of each case: the wheel already in FILE, the covers the constructions give
// (Steiner systems, point recursions over them and over the compiled-in wheels, each part
// searched for --part-moves moves, 2,000,000 by default), a split into groups of the
// compiled-in wheels, the Steiner systems S(3,6,22) and S(3,6,26) cut down to v or completed
// greedily for "3 if 3", the Turán construction for "3 if 4", a greedy wheel, and with --orbits
// the covers invariant under each candidate group (see OrbitCover.h), each polished briefly.
// The smallest start then gets the rest of the budget.

#include "wheels/CoverCatalog.h"
#include "wheels/CoverSearch.h"
#include "wheels/OrbitCover.h"
#include "wheels/ReadyWheels.h"
#include "wheels/SplitConstruction.h"
#include "wheels/SteinerSystems.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelRecords.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

using namespace Wheels;

namespace {

using Clock = std::chrono::steady_clock;

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
            ticket[std::size_t(i++)] = lowestBit(b) + 1;
        tickets.push_back(ticket);
    }
    return checkWheel(request, tickets, 1).guaranteed();
}

struct Start {
    std::vector<Mask> blocks;
    QString origin;
};

struct Options {
    double seconds = 60;
    std::uint64_t seed = 1;
    bool orbits = false;
    std::uint64_t partMoves = 2000000;
};

std::vector<Start> startsFor(int v, int t, int m, const std::vector<ReadyWheel>& wheels,
                             const Options& o, CoverCatalog& catalog) {
    const CoverProblem problem{v, 6, t, m, {}};
    std::vector<Start> starts;
    for (const ReadyWheel& w : wheels)
        if (w.v == v && w.t == t && w.m == m)
            starts.push_back({w.blocks, QString::fromUtf8(w.origin)});
    if (t == m) {
        const KnownCover& known = catalog.best(v, 6, t);
        starts.push_back({known.blocks, known.origin});
    }
    if (m > t) {
        SplitWheel split = splitWheel(v, t, m);
        starts.push_back({split.blocks, QStringLiteral("разбиение на группы: ") + split.plan});
    }
    if (t == 3 && m == 3) {
        if (v <= 22)
            starts.push_back({restrictedDesign(steinerSystem3622(), v),
                              QStringLiteral("S(3,6,22), сокращённая до %1 чисел").arg(v)});
        if (v <= 26)
            starts.push_back({restrictedDesign(steinerSystem3626(), v),
                              QStringLiteral("S(3,6,26), сокращённая до %1 чисел").arg(v)});
        if (v > 22)
            starts.push_back(
                {greedyCover(problem, v > 26 ? steinerSystem3626() : steinerSystem3622()),
                 QStringLiteral("S(3,6,%1), дополненная жадно").arg(v > 26 ? 26 : 22)});
    }
    if (t == 3 && m == 4) {
        SearchBudget quarter;
        quarter.seconds = o.seconds / 4;
        starts.push_back({turanThreeIfFour(v, o.seed, quarter),
                          QStringLiteral("конструкция Турана и поиск %1 с").arg(o.seconds / 4)});
    }
    if (binomial(v, m) <= 2000000)
        starts.push_back({greedyCover(problem), QStringLiteral("жадное построение")});
    if (o.orbits) {
        for (const NamedGroup& group : candidateGroups(v)) {
            SearchBudget brief;
            brief.seconds = 5;
            OrbitCover orbits = orbitCover(problem, group.generators, o.seed, brief);
            if (orbits.blocks.empty())
                continue;
            const std::size_t unpolished = orbits.blocks.size();
            brief.seconds = 10;
            std::vector<Mask> polished = shrinkCover(problem, orbits.blocks, o.seed, brief).blocks;
            std::printf("   group %-36s %5zu%s, polished %zu\n", group.name.c_str(), unpolished,
                        orbits.optimal ? " (optimal)" : "", polished.size());
            std::fflush(stdout);
            starts.push_back({polished, QStringLiteral("орбиты группы %1 (%2 билетов), затем 10 с "
                                                       "поиска")
                                            .arg(QString::fromStdString(group.name))
                                            .arg(unpolished)});
        }
    }
    starts.erase(std::remove_if(starts.begin(), starts.end(),
                                [](const Start& s) { return s.blocks.empty(); }),
                 starts.end());
    return starts;
}

bool save(const QString& path, std::vector<ReadyWheel>& wheels) {
    std::sort(wheels.begin(), wheels.end(), [](const ReadyWheel& x, const ReadyWheel& y) {
        return std::make_tuple(x.t, x.m, x.v) < std::make_tuple(y.t, y.m, y.v);
    });
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    out.write(
        "# Wheels on the numbers 1..v, one a line: \"v t m|\", the tickets, each six symbols\n"
        "# (1-9 for 1-9, A-Z for 10-35, a-n for 36-49), then \"|\" and how the wheel was "
        "made.\n# Computed by numeron_make_ready_wheels.\n");
    for (const ReadyWheel& w : wheels)
        out.write(formatReadyWheel(w) + '\n');
    return out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FILE SECONDS SEED [--orbits] [--part-moves N] v:t:m...\n",
                     argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    Options o;
    o.seconds = std::atof(argv[2]);
    o.seed = std::strtoull(argv[3], nullptr, 10);
    QFile in(path);
    std::vector<ReadyWheel> wheels;
    if (in.open(QIODevice::ReadOnly))
        wheels = parseReadyWheels(in.readAll());
    in.close();

    // Options come before the cases; the parts made for one case serve the next ones.
    int a = 4;
    for (; a < argc && argv[a][0] == '-'; ++a) {
        if (std::strcmp(argv[a], "--orbits") == 0)
            o.orbits = true;
        else if (std::strcmp(argv[a], "--part-moves") == 0 && a + 1 < argc)
            o.partMoves = std::strtoull(argv[++a], nullptr, 10);
    }
    CatalogOptions catalogOptions;
    catalogOptions.partMoves = o.partMoves;
    catalogOptions.seed = o.seed;
    CoverCatalog catalog(catalogOptions);
    for (; a < argc; ++a) {
        int v = 0, t = 0, m = 0;
        if (std::sscanf(argv[a], "%d:%d:%d", &v, &t, &m) != 3 || v < 7 || v > 49 || t < 1 ||
            t > m || m > 6)
            continue;
        const auto began = Clock::now();
        const std::vector<Start> starts = startsFor(v, t, m, wheels, o, catalog);
        if (starts.empty())
            continue;
        const Start& start =
            *std::min_element(starts.begin(), starts.end(), [](const Start& x, const Start& y) {
                return x.blocks.size() < y.blocks.size();
            });
        SearchBudget budget;
        budget.seconds =
            std::max(1.0, o.seconds - std::chrono::duration<double>(Clock::now() - began).count());
        if (const auto record = findRecord(v, t, m))
            budget.goodEnough = std::size_t(record->lowerBound);
        const SearchOutcome outcome =
            shrinkCover(CoverProblem{v, 6, t, m, {}}, start.blocks, o.seed, budget);
        QString origin = start.origin;
        if (outcome.blocks.size() < start.blocks.size())
            origin += QStringLiteral("; затем поиск %1 с, семя %2, шагов %3")
                          .arg(budget.seconds, 0, 'f', 0)
                          .arg(o.seed)
                          .arg(outcome.moves);
        origin += QStringLiteral(" (%1)").arg(QDate::currentDate().toString(Qt::ISODate));
        ReadyWheel found{v, t, m, outcome.blocks, origin.toUtf8()};
        const bool checked = passesCheck(found);
        auto existing = std::find_if(wheels.begin(), wheels.end(), [&](const ReadyWheel& w) {
            return w.v == v && w.t == t && w.m == m;
        });
        const bool better =
            existing == wheels.end() || found.blocks.size() < existing->blocks.size();
        std::printf("%2d %d/%d start %zu -> %zu%s%s\n", v, t, m, start.blocks.size(),
                    found.blocks.size(), checked ? "" : " FAILED CHECK",
                    better && checked ? " (stored)" : "");
        std::fflush(stdout);
        if (!checked || !better)
            continue;
        if (existing != wheels.end())
            *existing = found;
        else
            wheels.push_back(found);
        if (!save(path, wheels))
            return 1;
    }
    return 0;
}
