#pragma once

// The smallest covers (blocks of k points holding every t-subset of v points, on the points
// 0..v-1) that known constructions give without a long search: Steiner systems, the shipped
// wheels, one block or a partition in the trivial cases, and the point recursions over them
// (add a point: C(v,k,t) <= C(v-1,k,t) + C(v-1,k-1,t-1), growing a Steiner system or the
// largest shipped wheel; delete a point from a larger one),
// each recursion taking the best cover known for its parts. Small parts without a construction
// are built greedily, and every cover can be polished by a local search of a given length.

#include "wheels/Combinatorics.h"

#include <QString>

#include <atomic>
#include <map>
#include <tuple>
#include <vector>

namespace Wheels {

struct KnownCover {
    std::vector<Mask> blocks; // empty: none known
    QString origin;           // how it was made, for the user
    bool structured = false;  // made from a Steiner system or a shipped wheel
    bool grown = false;       // by adding points to one
};

struct CatalogOptions {
    bool useReadyWheels = true;
    // Parts with at most this many t-subsets are also built greedily (0: never).
    std::uint64_t greedyTargets = 20000;
    std::uint64_t partMoves = 0; // local-search moves for every cover made (0: none)
    std::uint64_t seed = 1;
    const std::atomic<bool>* stop = nullptr;
};

class CoverCatalog {
public:
    explicit CoverCatalog(CatalogOptions options = {}) : options_(options) {}

    // The smallest cover known for v <= 64 points, 1 <= k <= 7, t <= k. A block holds fewer
    // than k points only when v < k (it is then every point).
    const KnownCover& best(int v, int k, int t);

private:
    KnownCover construction(int v, int k, int t);
    // Whether a cover of v points grows from a Steiner system or the largest shipped wheel on
    // at most kGrownPoints fewer points, one point at a time: only such covers are grown.
    bool growable(int v, int k, int t) const;

    CatalogOptions options_;
    std::map<std::tuple<int, int, int>, KnownCover> known_;
};

// "C(v,k,t)" as the origin texts write a cover.
QString coverName(int v, int k, int t);

} // namespace Wheels
