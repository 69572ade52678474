#pragma once

// For each point, the set of blocks holding it, as bit rows over the block indices, so that
// the local search finds the blocks holding a given set of points (and avoiding another) with
// a few word operations per 64 blocks instead of a scan of every block.

#include "wheels/Combinatorics.h"

#include <vector>

namespace Wheels {

class BlockIncidence {
public:
    void rebuild(int points, const std::vector<Mask>& blocks) {
        count_ = blocks.size();
        words_ = (count_ + 63) / 64;
        rows_.assign(std::size_t(points) * words_, 0);
        scratch_.assign(words_, 0);
        for (std::size_t i = 0; i < count_; ++i)
            for (Mask b = blocks[i]; b; b &= b - 1)
                row(lowestBit(b))[i / 64] |= std::uint64_t(1) << (i % 64);
    }

    void move(std::size_t block, int out, int in) {
        row(out)[block / 64] &= ~(std::uint64_t(1) << (block % 64));
        row(in)[block / 64] |= std::uint64_t(1) << (block % 64);
    }

    // A uniformly chosen block holding every point of `inside` and none of `outside`, or -1.
    int pick(Mask inside, Mask outside, Random& random) {
        std::uint64_t total = 0;
        for (std::size_t w = 0; w < words_; ++w) {
            const std::uint64_t x = matching(w, inside, outside);
            scratch_[w] = x;
            total += std::uint64_t(popcount(x));
        }
        if (total == 0)
            return -1;
        std::uint32_t skip = random.below(std::uint32_t(total));
        for (std::size_t w = 0;; ++w) {
            const std::uint32_t here = std::uint32_t(popcount(scratch_[w]));
            if (skip < here) {
                std::uint64_t x = scratch_[w];
                while (skip--)
                    x &= x - 1;
                return int(w * 64 + std::size_t(lowestBit(x)));
            }
            skip -= here;
        }
    }

    // Appends every block holding all of `inside` and none of `outside`.
    void collect(Mask inside, Mask outside, std::vector<int>& found) {
        for (std::size_t w = 0; w < words_; ++w)
            for (std::uint64_t x = matching(w, inside, outside); x; x &= x - 1)
                found.push_back(int(w * 64 + std::size_t(lowestBit(x))));
    }

private:
    std::uint64_t* row(int point) { return rows_.data() + std::size_t(point) * words_; }

    // Word w of the bit row of blocks holding all of `inside` and none of `outside`.
    std::uint64_t matching(std::size_t w, Mask inside, Mask outside) {
        std::uint64_t x = w + 1 < words_ || count_ % 64 == 0
                              ? ~std::uint64_t(0)
                              : (std::uint64_t(1) << (count_ % 64)) - 1;
        for (Mask p = inside; p && x; p &= p - 1)
            x &= row(lowestBit(p))[w];
        for (Mask p = outside; p && x; p &= p - 1)
            x &= ~row(lowestBit(p))[w];
        return x;
    }

    std::size_t count_ = 0, words_ = 0;
    std::vector<std::uint64_t> rows_, scratch_;
};

} // namespace Wheels
