#include "wheels/PointRecursions.h"

#include <algorithm>

namespace Wheels {

std::vector<Mask> deletePoint(const std::vector<Mask>& cover, int v, int point) {
    const Mask bit = Mask(1) << point;
    const Mask below = bit - 1;
    const Mask kept = (Mask(1) << (v - 1)) - 1;
    std::vector<Mask> blocks;
    for (Mask b : cover) {
        Mask moved = (b & below) | ((b & ~below & ~bit) >> 1);
        if (b & bit) {
            const Mask lacking = kept & ~moved;
            if (lacking)
                moved |= lacking & (~lacking + 1);
        }
        blocks.push_back(moved);
    }
    std::sort(blocks.begin(), blocks.end());
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    return blocks;
}

std::vector<Mask> addPoint(const std::vector<Mask>& cover, const std::vector<Mask>& smaller,
                           int v) {
    std::vector<Mask> blocks = cover;
    for (Mask b : smaller)
        blocks.push_back(b | Mask(1) << v);
    return blocks;
}

} // namespace Wheels
