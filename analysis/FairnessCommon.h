#pragma once

#include "analysis/Fairness.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <type_traits>
#include <utility>

// Pieces the fairness tests share.
namespace Analysis::FairnessCommon {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Pearson's Σ (O - E)² / E over a chart's bars; bars expecting nothing are skipped.
inline double pearson(const FairnessChart& chart) {
    double sum = 0;
    for (size_t i = 0; i < chart.observed.size(); ++i)
        if (chart.expected[i] > 0) {
            const double d = chart.observed[i] - chart.expected[i];
            sum += d * d / chart.expected[i];
        }
    return sum;
}

// A test that cannot run, with the reason as its method.
inline FairnessTest unavailable(const QString& name, qint64 draws, const QString& reason) {
    FairnessTest test;
    test.name = name;
    test.draws = draws;
    test.statistic = test.pValue = test.adjustedPValue = kNaN;
    test.method = reason;
    return test;
}

// Fewer draws than any test needs: one draw says nothing of fairness.
inline std::optional<FairnessTest> tooFewDraws(const QString& name, qint64 draws) {
    if (draws >= kFairnessMinDraws)
        return std::nullopt;
    return unavailable(
        name, draws,
        draws == 0 ? QStringLiteral("Нет тиражей для проверки.")
                   : QStringLiteral("Мало тиражей: нужно не меньше %1.").arg(kFairnessMinDraws));
}

// Σ c² over counts: with the total fixed, Pearson's statistic grows with it,
// so fair histories are compared with the observed one by this whole number
// and ties are exact (the statistic in floating point would break them by
// its rounding).
inline qint64 sumOfSquares(const std::vector<qint64>& counts) {
    qint64 sum = 0;
    for (qint64 c : counts)
        sum += c * c;
    return sum;
}

// x % d for a divisor fixed in advance, by a multiplication instead of a
// division (Granlund and Montgomery's invariant-divisor method, as the
// compiler does it for a constant): exact for every 64-bit x and d >= 1. The
// simulations draw millions of balls, each by a remainder of the random
// source.
class FixedModulo {
public:
    explicit FixedModulo(quint64 d) : m_d(d), m_shift(63 - qCountLeadingZeroBits(d)) {
        if ((d & (d - 1)) == 0)
            return; // a power of two: a shift
        // m = 2^(64 + shift) / d, rounded up to 64 bits where that is exact
        // enough, else to 65 bits (the top bit added back in of()).
        const Wide power = Wide(1) << (64 + m_shift);
        quint64 m = quint64(power / d);
        const quint64 rest = quint64(power % d);
        m_kind = Multiply;
        if (d - rest >= quint64(1) << m_shift) {
            const quint64 twice = rest + rest;
            m += m + (twice >= d || twice < rest ? 1 : 0);
            m_kind = MultiplyAdd;
        }
        m_magic = m + 1;
    }
    quint64 of(quint64 x) const {
        quint64 quotient = x >> m_shift;
        if (m_kind != Shift) {
            const auto high = quint64((Wide(x) * m_magic) >> 64);
            quotient = m_kind == Multiply ? high >> m_shift : (((x - high) >> 1) + high) >> m_shift;
        }
        return x - quotient * m_d;
    }

private:
    using Wide = unsigned __int128;
    enum Kind { Shift, Multiply, MultiplyAdd };
    quint64 m_d;
    int m_shift;
    Kind m_kind = Shift;
    quint64 m_magic = 0;
};

// Fair draws of K balls out of a drum of N: a partial Fisher-Yates shuffle
// of the balls, which stay in the order the last draw left them.
class DrumShuffle {
public:
    explicit DrumShuffle(const Drum& drum) : m_balls(size_t(drum.n)) {
        for (int i = 0; i < drum.n; ++i)
            m_balls[size_t(i)] = i + 1;
        for (int i = 0; i < drum.k; ++i)
            m_choices.emplace_back(quint64(drum.n - i));
    }
    // Draws the K balls (k of withFixedK, or K), calling f(ball) for each;
    // balls() then starts with them.
    template <typename Count, typename F> void draw(std::mt19937_64& random, Count k, F&& f) {
        for (size_t i = 0; i < size_t(k); ++i) {
            const size_t j = i + size_t(m_choices[i].of(random()));
            std::swap(m_balls[i], m_balls[j]);
            f(m_balls[i]);
        }
    }
    const std::vector<int>& balls() const { return m_balls; }

private:
    std::vector<int> m_balls;
    std::vector<FixedModulo> m_choices; // the remainder by N, N - 1, ... N - K + 1
};

// f(k) with k a std::integral_constant<int, K> for K from 2 to kMaxBalls, so
// that the loops over the K balls of a draw have a length the compiler knows
// and unrolls; f(K) as an int for any other K.
template <typename F, int... K> bool withFixedKOf(int k, F& f, std::integer_sequence<int, K...>) {
    return ((k == K + 2 ? (f(std::integral_constant<int, K + 2>()), true) : false) || ...);
}
template <typename F> void withFixedK(int k, F&& f) {
    if (!withFixedKOf(k, f, std::make_integer_sequence<int, Lottery::kMaxBalls - 1>()))
        f(k);
}

// The salt of a test's simulation on a drum, so that no two tests share a
// stream: the main drum's as given, the second drum's beyond them.
inline quint64 saltOf(const Drum& drum, quint64 salt) {
    return salt + quint64(drum.number - 1) * 16;
}

// The sums of squares of options.simulations fair histories, each made by
// `history` from the random source (seeded with options.seed + salt), sorted;
// nothing when the stop flag was set (*cancelled is then set). With
// `reportProgress`, options.control hears of the histories done.
std::optional<std::vector<qint64>>
simulatedSums(const FairnessOptions& options, quint64 salt, bool reportProgress,
              const std::function<qint64(std::mt19937_64&)>& history, bool* cancelled);

// (1 + simulated sums at or above observed) / (1 + simulations): never 0.
double shareAtLeast(const std::vector<qint64>& sortedSums, qint64 observed);

// Labels 1 .. N and the same expected count for every ball.
inline FairnessChart uniformBallChart(const Drum& drum, double expected) {
    FairnessChart chart;
    for (int ball = 1; ball <= drum.n; ++ball)
        chart.labels.append(QString::number(ball));
    chart.observed.assign(size_t(drum.n), 0.0);
    chart.expected.assign(size_t(drum.n), expected);
    return chart;
}

// "шести", "пяти": K in words, as in «выбор шести шаров».
QString genitiveCount(int k);
// "Второй барабан. " before a second drum's method, nothing for the main one.
inline QString drumPrefix(const Drum& drum) {
    return drum.number == 1 ? QString() : QStringLiteral("Второй барабан. ");
}

// "7", "4–5", "≥ 18": a class of whole numbers from low to high (high < 0: no upper end).
inline QString classLabel(qint64 low, qint64 high) {
    if (high < 0)
        return u"≥ " + QString::number(low);
    if (low == high)
        return QString::number(low);
    return QString::number(low) + u'–' + QString::number(high);
}

} // namespace Analysis::FairnessCommon
