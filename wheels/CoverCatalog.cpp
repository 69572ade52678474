#include "wheels/CoverCatalog.h"

#include "wheels/CoverSearch.h"
#include "wheels/PointRecursions.h"
#include "wheels/ReadyWheels.h"
#include "wheels/SteinerSystems.h"

namespace Wheels {

namespace {

// Steiner systems are built once per process.
const KnownCover* steinerSystem(int v, int k, int t) {
    struct Design {
        int v, k, t;
        KnownCover cover;
    };
    static const std::vector<Design> designs = [] {
        std::string group;
        std::vector<Mask> s4627 = steinerSystem4627(&group);
        std::vector<Design> all;
        all.push_back({22, 6, 3, {steinerSystem3622(), QStringLiteral("S(3,6,22) из кода Голея")}});
        all.push_back(
            {26,
             6,
             3,
             {steinerSystem3626(), QStringLiteral("S(3,6,26), инверсная плоскость порядка 5")}});
        all.push_back(
            {26,
             5,
             3,
             {derivedDesign(s4627, 0), QStringLiteral("S(3,5,26), производная S(4,6,27)")}});
        all.push_back({27,
                       6,
                       4,
                       {s4627, QStringLiteral("S(4,6,27) методом Крамера — Меснера, группа %1")
                                   .arg(QString::fromStdString(group))}});
        return all;
    }();
    for (const Design& d : designs)
        if (d.v == v && d.k == k && d.t == t && !d.cover.blocks.empty())
            return &d.cover;
    return nullptr;
}

// Covers are cut down from Steiner systems and shipped wheels on up to this many more points.
constexpr int kDeletedPoints = 8;

// Covers are grown point by point from Steiner systems and the largest shipped wheels by at
// most this many points: further on, a greedy cover does better.
constexpr int kGrownPoints = 4;

// An origin quoted inside another one; the derivation of a long chain is cut short.
QString quoted(const QString& origin) {
    constexpr qsizetype kLongest = 240;
    return origin.size() <= kLongest ? origin : origin.left(kLongest) + QStringLiteral("…");
}

Mask firstPoints(int count) {
    return count >= 64 ? ~Mask(0) : (Mask(1) << count) - 1;
}

} // namespace

QString coverName(int v, int k, int t) {
    return QStringLiteral("C(%1,%2,%3)").arg(v).arg(k).arg(t);
}

bool CoverCatalog::growable(int v, int k, int t) const {
    for (int u = v; u > k && u >= v - kGrownPoints; --u) {
        if (steinerSystem(u, k, t))
            return true;
        const bool shipped = k == kReadyBlockSize && options_.useReadyWheels;
        if (shipped && findReadyWheel(u, t, t) && !findReadyWheel(u + 1, t, t))
            return true;
    }
    return false;
}

const KnownCover& CoverCatalog::best(int v, int k, int t) {
    const auto key = std::make_tuple(v, k, t);
    const auto found = known_.find(key);
    if (found != known_.end())
        return found->second;
    KnownCover made = construction(v, k, t);
    return known_[key] = std::move(made);
}

KnownCover CoverCatalog::construction(int v, int k, int t) {
    KnownCover chosen;
    auto offer = [&](std::vector<Mask> blocks, const QString& origin, bool structured,
                     bool grown = false) {
        if (!blocks.empty() && (chosen.blocks.empty() || blocks.size() < chosen.blocks.size()))
            chosen = KnownCover{std::move(blocks), origin, structured, grown};
    };
    if (t <= 0 || v <= k) {
        offer({firstPoints(std::min(v, k))}, QStringLiteral("один билет"), false);
        return chosen;
    }
    if (t == 1) {
        std::vector<Mask> parts;
        for (int first = 0; first < v; first += k)
            parts.push_back(first + k <= v ? firstPoints(k) << first
                                           : firstPoints(v) & ~firstPoints(v - k));
        offer(parts, QStringLiteral("разбиение чисел по билетам"), false);
        return chosen;
    }
    if (const KnownCover* design = steinerSystem(v, k, t))
        offer(design->blocks, design->origin, true);
    const ReadyWheel* ready =
        k == kReadyBlockSize && options_.useReadyWheels ? findReadyWheel(v, t, t) : nullptr;
    if (ready)
        offer(ready->blocks, QStringLiteral("готовая система"), true);
    // Fewer points than a Steiner system or a shipped wheel.
    for (int w = v + 1; w <= v + kDeletedPoints && w <= kMaxPoints; ++w) {
        const KnownCover* design = steinerSystem(w, k, t);
        const ReadyWheel* larger =
            k == kReadyBlockSize && options_.useReadyWheels ? findReadyWheel(w, t, t) : nullptr;
        if (!design && !larger)
            continue;
        std::vector<Mask> blocks = design ? design->blocks : larger->blocks;
        for (int u = w; u > v; --u)
            blocks = deletePoint(blocks, u, u - 1);
        offer(blocks,
              QStringLiteral("удаление %1 точ. из %2 [%3]")
                  .arg(w - v)
                  .arg(coverName(w, k, t),
                       design ? design->origin : QStringLiteral("готовая система")),
              true);
    }
    if (v - 1 > k && growable(v - 1, k, t) && !(options_.stop && options_.stop->load())) {
        const KnownCover& rest = best(v - 1, k, t);
        const KnownCover& part = best(v - 1, k - 1, t - 1);
        if (!rest.blocks.empty() && !part.blocks.empty())
            offer(addPoint(rest.blocks, part.blocks, v - 1),
                  QStringLiteral("добавление точки: %1 [%2] + %3 [%4]")
                      .arg(coverName(v - 1, k, t), quoted(rest.origin),
                           coverName(v - 1, k - 1, t - 1), quoted(part.origin)),
                  true, true);
    }
    const CoverProblem problem{v, k, t, t, {}};
    if (chosen.blocks.empty() || (!chosen.structured && binomial(v, t) <= options_.greedyTargets))
        offer(greedyCover(problem, {}, options_.stop), QStringLiteral("жадное построение"), false);
    if (options_.partMoves > 0 && !chosen.blocks.empty()) {
        SearchBudget budget;
        budget.seconds = 0;
        budget.maxMoves = options_.partMoves;
        budget.stop = options_.stop;
        budget.goodEnough = std::size_t(schonheimBound(v, k, t));
        const SearchOutcome searched = shrinkCover(problem, chosen.blocks, options_.seed, budget);
        if (searched.blocks.size() < chosen.blocks.size()) {
            chosen.blocks = searched.blocks;
            chosen.origin += QStringLiteral(", затем поиск (%1 шагов, семя %2)")
                                 .arg(searched.moves)
                                 .arg(options_.seed);
        }
    }
    return chosen;
}

} // namespace Wheels
