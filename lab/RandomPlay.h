#pragma once

namespace Lab {

// The chance that one ticket chosen at random matches exactly k of the six
// drawn numbers: C(6,k)·C(43,6-k)/C(49,6), computed exactly in integers.
double matchProbability(int k);

} // namespace Lab
