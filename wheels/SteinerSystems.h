#pragma once

// Steiner systems S(t,k,v), every t points together in exactly one block: the best possible
// "t if t" wheels and the parts the point recursions build on. S(3,6,22) (77 blocks) is also one
// half of the split "3 if 6" wheel on 49.

#include "wheels/Combinatorics.h"

#include <string>
#include <vector>

namespace Wheels {

// S(3,6,22) from the extended binary Golay code: its 759 words of weight 8 are the blocks of
// S(5,8,24); those through two fixed coordinates, with the two removed, are the 77 blocks.
std::vector<Mask> steinerSystem3622();

// S(3,6,26), the inversive plane of order 5: the points are GF(25) and infinity, the blocks
// the 130 images of the subline GF(5) and infinity under the maps z -> (az + b) / (cz + d).
std::vector<Mask> steinerSystem3626();

// S(4,6,27) (1,170 blocks) on GF(27) = GF(3)[x] / (x^3 - x - 1) by the Kramer-Mesner method,
// trying as prescribed automorphism group AΓL(1,27) and then smaller groups; `group` names the
// one that gave it. It is the derived design, at infinity, of Denniston's S(5,7,28).
std::vector<Mask> steinerSystem4627(std::string* group = nullptr);

// S(3,5,26) (260 blocks): the derived design of S(4,6,27) at the point 0, on its other points.
std::vector<Mask> steinerSystem3526();

// The blocks through `point`, without it, on the other points renumbered 0..v-2.
std::vector<Mask> derivedDesign(const std::vector<Mask>& blocks, int point);

// A "3 if 3" wheel on the first v points of a design: the other points are dropped from every
// block and the blocks refilled with the lowest points they lack (duplicates removed).
std::vector<Mask> restrictedDesign(const std::vector<Mask>& blocks, int v);

} // namespace Wheels
