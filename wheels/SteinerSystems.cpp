#include "wheels/SteinerSystems.h"

#include <algorithm>
#include <array>

namespace Wheels {

std::vector<Mask> steinerSystem3622() {
    // Generator polynomial of the cyclic [23,12,7] Golay code: x^11+x^10+x^6+x^5+x^4+x^2+1.
    constexpr Mask generator = 0xC75;
    std::vector<Mask> blocks;
    for (Mask message = 0; message < (Mask(1) << 12); ++message) {
        Mask word = 0;
        for (int i = 0; i < 12; ++i)
            if (message >> i & 1)
                word ^= generator << i;
        if (popcount(word) % 2)
            word |= Mask(1) << 23; // the parity coordinate of the extended code
        const Mask fixed = (Mask(1) << 22) | (Mask(1) << 23);
        if (popcount(word) == 8 && (word & fixed) == fixed)
            blocks.push_back(word & ~fixed);
    }
    return blocks;
}

namespace {

// GF(25) as a + b*s with s^2 = 2 over GF(5); element a + b*s is the number a + 5b.
int gfMultiply(int x, int y) {
    const int a = x % 5, b = x / 5, c = y % 5, d = y / 5;
    return (a * c + 2 * b * d) % 5 + 5 * ((a * d + b * c) % 5);
}
int gfAdd(int x, int y) {
    return (x % 5 + y % 5) % 5 + 5 * ((x / 5 + y / 5) % 5);
}
int gfInverse(int x) {
    static const auto inverses = [] {
        std::array<int, 25> table{};
        for (int a = 1; a < 25; ++a)
            for (int b = 1; b < 25; ++b)
                if (gfMultiply(a, b) == 1)
                    table[std::size_t(a)] = b;
        return table;
    }();
    return inverses[std::size_t(x)];
}

} // namespace

std::vector<Mask> steinerSystem3626() {
    constexpr int infinity = 25;
    std::vector<Mask> blocks;
    for (int a = 0; a < 25; ++a)
        for (int b = 0; b < 25; ++b)
            for (int c = 0; c < 25; ++c)
                for (int d = 0; d < 25; ++d) {
                    // a*d - b*c != 0; -x is 4x in characteristic 5.
                    if (gfAdd(gfMultiply(a, d), gfMultiply(4, gfMultiply(b, c))) == 0)
                        continue;
                    Mask block = 0;
                    for (int z : {0, 1, 2, 3, 4, infinity}) {
                        int image;
                        if (z == infinity) {
                            image = c == 0 ? infinity : gfMultiply(a, gfInverse(c));
                        } else {
                            const int denominator = gfAdd(gfMultiply(c, z), d);
                            image = denominator == 0 ? infinity
                                                     : gfMultiply(gfAdd(gfMultiply(a, z), b),
                                                                  gfInverse(denominator));
                        }
                        block |= Mask(1) << image;
                    }
                    if (std::find(blocks.begin(), blocks.end(), block) == blocks.end())
                        blocks.push_back(block);
                }
    return blocks;
}

std::vector<Mask> restrictedDesign(const std::vector<Mask>& design, int v) {
    std::vector<Mask> blocks;
    const Mask kept = (Mask(1) << v) - 1;
    for (Mask block : design) {
        Mask b = block & kept;
        for (Mask free = kept & ~b; popcount(b) < 6 && free; free &= free - 1)
            b |= free & (~free + 1);
        if (std::find(blocks.begin(), blocks.end(), b) == blocks.end())
            blocks.push_back(b);
    }
    return blocks;
}

} // namespace Wheels
