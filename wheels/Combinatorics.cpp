#include "wheels/Combinatorics.h"

#include <algorithm>

namespace Wheels {

namespace {

struct BinomialTable {
    std::uint64_t value[kMaxPoints + 1][9] = {};
    constexpr BinomialTable() {
        for (int n = 0; n <= kMaxPoints; ++n) {
            value[n][0] = 1;
            for (int r = 1; r <= 8; ++r)
                value[n][r] = n == 0 ? 0 : value[n - 1][r - 1] + value[n - 1][r];
        }
    }
};

constexpr BinomialTable table;

} // namespace

extern const std::uint64_t kBinomial[kMaxPoints + 1][9];

const std::uint64_t kBinomial[kMaxPoints + 1][9] = {
#define ROW(n)                                                                                     \
    {                                                                                              \
        table.value[n][0], table.value[n][1], table.value[n][2], table.value[n][3],                \
            table.value[n][4], table.value[n][5], table.value[n][6], table.value[n][7],            \
            table.value[n][8]                                                                      \
    }
    ROW(0),  ROW(1),  ROW(2),  ROW(3),  ROW(4),  ROW(5),  ROW(6),  ROW(7),  ROW(8),  ROW(9),
    ROW(10), ROW(11), ROW(12), ROW(13), ROW(14), ROW(15), ROW(16), ROW(17), ROW(18), ROW(19),
    ROW(20), ROW(21), ROW(22), ROW(23), ROW(24), ROW(25), ROW(26), ROW(27), ROW(28), ROW(29),
    ROW(30), ROW(31), ROW(32), ROW(33), ROW(34), ROW(35), ROW(36), ROW(37), ROW(38), ROW(39),
    ROW(40), ROW(41), ROW(42), ROW(43), ROW(44), ROW(45), ROW(46), ROW(47), ROW(48), ROW(49),
    ROW(50), ROW(51), ROW(52), ROW(53), ROW(54), ROW(55), ROW(56), ROW(57), ROW(58), ROW(59),
    ROW(60), ROW(61), ROW(62), ROW(63), ROW(64)};
#undef ROW

namespace {

// Whether some m-subset meets every block of a pair in fewer than t points, when the blocks
// share `common` points, hold `only` points each that the other lacks, and `outside` points lie
// in neither.
bool pairMisses(int common, int only, int outside, int t, int m) {
    for (int z = 0; z <= std::min(common, t - 1); ++z)
        for (int x = 0; x <= std::min(only, t - 1 - z); ++x)
            for (int y = 0; y <= std::min(only, t - 1 - z); ++y) {
                const int w = m - x - y - z;
                if (w >= 0 && w <= outside)
                    return true;
            }
    return false;
}

} // namespace

std::uint64_t coverLowerBound(int n, int k, int t, int m) {
    if (t <= 0)
        return 0;
    if (t == m)
        return schonheimBound(n, k, t);
    const int held = std::min(k, n);
    if (std::max(0, m - (n - held)) >= t)
        return 1; // one block meets every m-subset in t points
    for (int common = std::max(0, 2 * k - n); common < k; ++common)
        if (!pairMisses(common, k - common, n - (2 * k - common), t, m))
            return 2;
    return 3;
}

std::uint64_t schonheimBound(int v, int k, int t) {
    if (t <= 0 || k <= 0)
        return t <= 0 ? 0 : 1;
    const std::uint64_t inner = t == 1 ? 1 : schonheimBound(v - 1, k - 1, t - 1);
    return (std::uint64_t(v) * inner + std::uint64_t(k) - 1) / std::uint64_t(k);
}

} // namespace Wheels
