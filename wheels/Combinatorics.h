#pragma once

// Small combinatorial helpers shared by the wheel check and the wheel search: binomial
// coefficients, colex ranks of sets held as 64-bit masks, and enumeration of subsets.

#include <cstdint>

namespace Wheels {

using Mask = std::uint64_t;

constexpr int kMaxPoints = 64;

// C(n, r) for 0 <= n <= 64 and 0 <= r <= 8 (the wheel sizes never need more).
extern const std::uint64_t kBinomial[kMaxPoints + 1][9];

inline std::uint64_t binomial(int n, int r) {
    if (n < 0 || r < 0 || r > 8 || n > kMaxPoints)
        return 0;
    return kBinomial[n][r];
}

inline int popcount(Mask m) {
    return __builtin_popcountll(m);
}
inline int lowestBit(Mask m) {
    return __builtin_ctzll(m);
}

// The Schönheim lower bound on the blocks of k points needed to hold every t of v points:
// L(v,k,1) = ceil(v/k), L(v,k,t) = ceil(v/k * L(v-1,k-1,t-1)).
std::uint64_t schonheimBound(int v, int k, int t);

// A lower bound on the blocks of k points needed on n points so that every m-subset meets some
// block in at least t points: the Schönheim bound when t = m; otherwise 1, 2 or 3, after the
// exact answer to whether one block, or two, can do it.
std::uint64_t coverLowerBound(int n, int k, int t, int m);

// Colex rank of an r-set among all r-subsets of {0, 1, ...}: sum of C(x_i, i + 1) over the
// elements in ascending order.
inline std::uint64_t colexRank(Mask set) {
    std::uint64_t rank = 0;
    int i = 1;
    while (set) {
        rank += kBinomial[lowestBit(set)][i++];
        set &= set - 1;
    }
    return rank;
}

// The r-set of colex rank `rank`.
inline Mask colexUnrank(std::uint64_t rank, int r) {
    Mask set = 0;
    for (int i = r; i >= 1; --i) {
        int x = i - 1;
        while (binomial(x + 1, i) <= rank)
            ++x;
        rank -= binomial(x, i);
        set |= Mask(1) << x;
    }
    return set;
}

// Calls f(subsetMask) for every `size`-subset of `from` (a mask), in colex order.
template <typename F> void forEachSubset(Mask from, int size, F&& f) {
    if (size == 0) {
        f(Mask(0));
        return;
    }
    int points[kMaxPoints];
    int count = 0;
    for (Mask m = from; m; m &= m - 1)
        points[count++] = lowestBit(m);
    if (size > count)
        return;
    int index[8];
    for (int i = 0; i < size; ++i)
        index[i] = i;
    while (true) {
        Mask subset = 0;
        for (int i = 0; i < size; ++i)
            subset |= Mask(1) << points[index[i]];
        f(subset);
        int i = size - 1;
        while (i >= 0 && index[i] == count - size + i)
            --i;
        if (i < 0)
            return;
        ++index[i];
        for (int j = i + 1; j < size; ++j)
            index[j] = index[j - 1] + 1;
    }
}

// Deterministic generator (SplitMix64): the same seed gives the same sequence everywhere,
// unlike the standard distributions, whose algorithms differ between libraries.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound), bound > 0.
    std::uint32_t below(std::uint32_t bound) {
        return std::uint32_t((std::uint64_t(std::uint32_t(next() >> 32)) * bound) >> 32);
    }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // A uniformly chosen set bit of a non-empty mask.
    int pointOf(Mask m) {
        int skip = int(below(std::uint32_t(popcount(m))));
        while (skip--)
            m &= m - 1;
        return lowestBit(m);
    }

private:
    std::uint64_t state_;
};

} // namespace Wheels
