#include "wheels/KramerMesner.h"

namespace Wheels {

namespace {

using RowSet = std::vector<std::uint64_t>; // a bit per t-subset orbit

bool meets(const RowSet& a, const RowSet& b) {
    for (std::size_t w = 0; w < a.size(); ++w)
        if (a[w] & b[w])
            return true;
    return false;
}

// Algorithm X over the columns (k-subset orbits), each the set of rows (t-subset orbits) it
// holds once; every row must be held by exactly one chosen column.
class ExactCover {
public:
    ExactCover(std::size_t rows, std::vector<RowSet> columns, std::uint64_t maxNodes,
               const std::atomic<bool>* stop)
        : rows_(rows), columns_(std::move(columns)), maxNodes_(maxNodes), stop_(stop),
          covered_((rows + 63) / 64, 0), byRow_(rows) {
        for (std::size_t c = 0; c < columns_.size(); ++c)
            for (std::size_t r = 0; r < rows; ++r)
                if (columns_[c][r / 64] >> (r % 64) & 1)
                    byRow_[r].push_back(c);
    }

    bool solve() {
        if (++nodes_ > maxNodes_ || (stop_ && (nodes_ & 1023) == 0 && stop_->load()))
            return false;
        // The uncovered row with the fewest columns that still fit.
        std::size_t bestRow = rows_, fewest = ~std::size_t(0);
        for (std::size_t r = 0; r < rows_; ++r) {
            if (covered_[r / 64] >> (r % 64) & 1)
                continue;
            std::size_t fitting = 0;
            for (std::size_t c : byRow_[r])
                fitting += !meets(columns_[c], covered_);
            if (fitting < fewest) {
                fewest = fitting;
                bestRow = r;
            }
        }
        if (bestRow == rows_)
            return true; // every row covered
        for (std::size_t c : byRow_[bestRow]) {
            if (meets(columns_[c], covered_))
                continue;
            for (std::size_t w = 0; w < covered_.size(); ++w)
                covered_[w] |= columns_[c][w];
            chosen_.push_back(c);
            if (solve())
                return true;
            chosen_.pop_back();
            for (std::size_t w = 0; w < covered_.size(); ++w)
                covered_[w] &= ~columns_[c][w];
        }
        return false;
    }

    const std::vector<std::size_t>& chosen() const { return chosen_; }

private:
    std::size_t rows_;
    std::vector<RowSet> columns_;
    std::uint64_t maxNodes_, nodes_ = 0;
    const std::atomic<bool>* stop_;
    RowSet covered_;
    std::vector<std::vector<std::size_t>> byRow_;
    std::vector<std::size_t> chosen_;
};

} // namespace

std::vector<Mask> kramerMesnerSteiner(int v, int t, int k,
                                      const std::vector<Permutation>& generators,
                                      std::uint64_t maxNodes, const std::atomic<bool>* stop) {
    const SubsetOrbits tOrbits = subsetOrbits(v, t, generators);
    const SubsetOrbits kOrbits = subsetOrbits(v, k, generators);
    const std::size_t rows = tOrbits.representative.size();
    // A block orbit is usable when it holds each t-subset at most once: the blocks of orbit j
    // through a fixed t-subset of orbit i number count_i * |orbit j| / |orbit i|.
    std::vector<RowSet> columns;
    std::vector<Mask> columnBlock;
    std::vector<std::uint64_t> count(rows);
    for (std::size_t j = 0; j < kOrbits.representative.size(); ++j) {
        std::fill(count.begin(), count.end(), 0);
        forEachSubset(kOrbits.representative[j], t,
                      [&](Mask s) { ++count[tOrbits.orbitOfRank[colexRank(s)]]; });
        RowSet column((rows + 63) / 64, 0);
        bool usable = true;
        for (std::size_t i = 0; i < rows && usable; ++i) {
            if (count[i] == 0)
                continue;
            usable = count[i] * kOrbits.length[j] == tOrbits.length[i];
            column[i / 64] |= std::uint64_t(1) << (i % 64);
        }
        if (usable) {
            columns.push_back(std::move(column));
            columnBlock.push_back(kOrbits.representative[j]);
        }
    }
    ExactCover cover(rows, std::move(columns), maxNodes, stop);
    if (!cover.solve())
        return {};
    std::vector<Mask> blocks;
    for (std::size_t c : cover.chosen())
        for (Mask b : orbit(columnBlock[c], generators))
            blocks.push_back(b);
    return blocks;
}

} // namespace Wheels
