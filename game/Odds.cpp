#include "game/Odds.h"

#include <limits>

namespace Lottery {

std::optional<quint64> binomial(int n, int k) {
    if (n < 0 || k < 0 || k > n)
        return quint64(0);
    k = std::min(k, n - k);
    // C(n, i + 1) = C(n, i) · (n − i) / (i + 1) is whole at every step; the
    // product is taken in 128 bits, and the values grow with i up to n / 2, so
    // the first one beyond 64 bits ends it.
    unsigned __int128 value = 1;
    for (int i = 0; i < k; ++i) {
        value = value * unsigned(n - i) / unsigned(i + 1);
        if (value > std::numeric_limits<quint64>::max())
            return std::nullopt;
    }
    return quint64(value);
}

quint64 binomialOf(int n, int k) {
    const std::optional<quint64> value = binomial(n, k);
    if (!value)
        throw GameError(QStringLiteral("C(%1, %2) не помещается в 64 бита").arg(n).arg(k));
    return *value;
}

quint64 matchWays(int n, int k, int m) {
    // Both factors are at most C(n, k), and so is their product.
    return binomialOf(k, m) * binomialOf(n - k, k - m);
}

double matchChance(int n, int k, int m) {
    return double(matchWays(n, k, m)) / double(binomialOf(n, k));
}

double categoryChance(const Game& game, const Category& category) {
    double chance = matchChance(game.n(), game.k(), category.main);
    if (game.hasSecondDrum())
        chance *= matchChance(game.n2(), game.k2(), category.second);
    return chance;
}

quint64 combinations(const Game& game) {
    return binomialOf(game.n(), game.k());
}

} // namespace Lottery
