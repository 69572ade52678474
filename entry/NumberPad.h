#pragma once

#include <array>

// The number pad's bookkeeping: which balls are lit, collected in ball order
// into the picked-ball slots, and the first six slots sorted ascending.
namespace NumberPad {

using Slots = std::array<int, 50>; // slots 1..49 are used
using Lit = std::array<bool, 50>;  // lit[n] for ball n = 1..49

// Clears slots 1..6, then writes every lit ball, ascending, into slots 1, 2, ...
void collect(const Lit& lit, Slots& balls);

// Five full bubble passes over slots 1..6 (empty slots hold 0 and sort first).
void sortFirstSix(Slots& balls);

} // namespace NumberPad
