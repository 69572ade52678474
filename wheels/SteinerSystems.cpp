#include "wheels/SteinerSystems.h"

#include "wheels/FiniteField.h"
#include "wheels/KramerMesner.h"

#include <algorithm>

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

std::vector<Mask> steinerSystem3626() {
    const FiniteField f(5, 2, {2, 0}); // s^2 = 2; a + b*s is the number a + 5b
    constexpr int infinity = 25;
    // The image of z under z -> (az + b) / (cz + d).
    auto image = [&](int a, int b, int c, int d, int z) {
        if (z == infinity)
            return c == 0 ? infinity : f.multiply(a, f.inverse(c));
        const int denominator = f.add(f.multiply(c, z), d);
        return denominator == 0 ? infinity
                                : f.multiply(f.add(f.multiply(a, z), b), f.inverse(denominator));
    };
    std::vector<Mask> blocks;
    for (int a = 0; a < 25; ++a)
        for (int b = 0; b < 25; ++b)
            for (int c = 0; c < 25; ++c)
                for (int d = 0; d < 25; ++d) {
                    if (f.multiply(a, d) == f.multiply(b, c))
                        continue; // not invertible
                    Mask block = 0;
                    for (int z : {0, 1, 2, 3, 4, infinity})
                        block |= Mask(1) << image(a, b, c, d, z);
                    if (std::find(blocks.begin(), blocks.end(), block) == blocks.end())
                        blocks.push_back(block);
                }
    return blocks;
}

std::vector<Mask> steinerSystem4627(std::string* group) {
    const FiniteField f(3, 3, {1, 1, 0}); // x^3 = x + 1
    const int w = f.primitiveElement();
    Permutation shift(27), times(27), timesSquare(27), frobenius(27);
    for (int x = 0; x < 27; ++x) {
        shift[std::size_t(x)] = f.add(x, 1);
        times[std::size_t(x)] = f.multiply(w, x);
        timesSquare[std::size_t(x)] = f.multiply(f.multiply(w, w), x);
        frobenius[std::size_t(x)] = f.frobenius(x);
    }
    const struct {
        const char* name;
        std::vector<Permutation> generators;
    } groups[] = {
        {"AΓL(1,27)", {shift, times, frobenius}},
        {"x -> a^2 x^σ + b", {shift, timesSquare, frobenius}},
        {"AGL(1,27)", {shift, times}},
        {"x -> a^2 x + b", {shift, timesSquare}},
    };
    for (const auto& g : groups) {
        std::vector<Mask> blocks = kramerMesnerSteiner(27, 4, 6, g.generators);
        if (!blocks.empty()) {
            if (group)
                *group = g.name;
            return blocks;
        }
    }
    return {};
}

std::vector<Mask> derivedDesign(const std::vector<Mask>& blocks, int point) {
    const Mask bit = Mask(1) << point;
    const Mask below = bit - 1;
    std::vector<Mask> derived;
    for (Mask b : blocks)
        if (b & bit)
            derived.push_back((b & below) | ((b & ~below & ~bit) >> 1));
    return derived;
}

std::vector<Mask> steinerSystem3526() {
    return derivedDesign(steinerSystem4627(), 0);
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
