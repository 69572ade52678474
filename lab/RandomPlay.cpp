#include "lab/RandomPlay.h"

#include <QtGlobal>

namespace Lab {

namespace {

qint64 choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    qint64 r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

} // namespace

double matchProbability(int k) {
    return double(choose(6, k) * choose(43, 6 - k)) / double(choose(49, 6));
}

} // namespace Lab
