#pragma once

// Wheels computed in advance with long budgets and shipped as data (data/ready_wheels.txt),
// stored on the points 0..v-1. Only six-number tickets without keys.

#include "wheels/Combinatorics.h"

#include <QByteArray>

#include <vector>

namespace Wheels {

// Every shipped wheel has tickets (blocks) of six numbers; the splits into groups build on them.
constexpr int kReadyBlockSize = 6;

struct ReadyWheel {
    int v = 0, t = 0, m = 0;
    std::vector<Mask> blocks;
    QByteArray origin; // how it was made (construction, search, seed, time), UTF-8
};

const std::vector<ReadyWheel>& readyWheels();
const ReadyWheel* findReadyWheel(int v, int t, int m);

// One line of data/ready_wheels.txt: "v t m|", each block as six symbols, then "|" and the
// wheel's origin.
QByteArray formatReadyWheel(const ReadyWheel& wheel);
// The wheels of a ready_wheels.txt text; malformed lines are skipped.
std::vector<ReadyWheel> parseReadyWheels(const QByteArray& text);

} // namespace Wheels
