#include "entry/NumberPad.h"

#include <utility>

namespace NumberPad {

void collect(const Lit& lit, Slots& balls) {
    for (int i = 1; i <= 6; ++i)
        balls[i] = 0;
    int k = 0;
    for (int n = 1; n <= 49; ++n)
        if (lit[n])
            balls[++k] = n;
}

void sortFirstSix(Slots& balls) {
    for (int pass = 0; pass < 5; ++pass)
        for (int i = 1; i <= 5; ++i)
            if (balls[i + 1] < balls[i])
                std::swap(balls[i], balls[i + 1]);
}

} // namespace NumberPad
