#include "wheels/SubsetOrbits.h"

#include <unordered_set>

namespace Wheels {

Mask applyPermutation(const Permutation& g, Mask set) {
    Mask image = 0;
    for (; set; set &= set - 1)
        image |= Mask(1) << g[std::size_t(lowestBit(set))];
    return image;
}

SubsetOrbits subsetOrbits(int n, int r, const std::vector<Permutation>& generators) {
    constexpr std::uint32_t unseen = ~std::uint32_t(0);
    SubsetOrbits orbits;
    const std::uint64_t count = binomial(n, r);
    orbits.orbitOfRank.assign(count, unseen);
    std::vector<Mask> queue;
    for (std::uint64_t rank = 0; rank < count; ++rank) {
        if (orbits.orbitOfRank[rank] != unseen)
            continue;
        const auto id = std::uint32_t(orbits.representative.size());
        const Mask first = colexUnrank(rank, r);
        orbits.representative.push_back(first);
        orbits.orbitOfRank[rank] = id;
        queue.assign(1, first);
        for (std::size_t i = 0; i < queue.size(); ++i)
            for (const Permutation& g : generators) {
                const Mask image = applyPermutation(g, queue[i]);
                std::uint32_t& seen = orbits.orbitOfRank[colexRank(image)];
                if (seen == unseen) {
                    seen = id;
                    queue.push_back(image);
                }
            }
        orbits.length.push_back(queue.size());
    }
    return orbits;
}

std::vector<Mask> orbit(Mask set, const std::vector<Permutation>& generators) {
    std::vector<Mask> found{set};
    std::unordered_set<Mask> seen{set};
    for (std::size_t i = 0; i < found.size(); ++i)
        for (const Permutation& g : generators) {
            const Mask image = applyPermutation(g, found[i]);
            if (seen.insert(image).second)
                found.push_back(image);
        }
    return found;
}

} // namespace Wheels
