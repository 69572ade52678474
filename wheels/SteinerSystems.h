#pragma once

// Steiner systems S(3,6,v), every three points together in exactly one block: the best possible
// "3 if 3" wheels. S(3,6,22) (77 blocks) is also one half of the split "3 if 6" wheel on 49.

#include "wheels/Combinatorics.h"

#include <vector>

namespace Wheels {

// S(3,6,22) from the extended binary Golay code: its 759 words of weight 8 are the blocks of
// S(5,8,24); those through two fixed coordinates, with the two removed, are the 77 blocks.
std::vector<Mask> steinerSystem3622();

// S(3,6,26), the inversive plane of order 5: the points are GF(25) and infinity, the blocks
// the 130 images of the subline GF(5) and infinity under the maps z -> (az + b) / (cz + d).
std::vector<Mask> steinerSystem3626();

// A "3 if 3" wheel on the first v points of a design: the other points are dropped from every
// block and the blocks refilled with the lowest points they lack (duplicates removed).
std::vector<Mask> restrictedDesign(const std::vector<Mask>& blocks, int v);

} // namespace Wheels
