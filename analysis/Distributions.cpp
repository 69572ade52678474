#include "analysis/Distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;
constexpr double kEpsilon = 1e-15;
constexpr int kMaxIterations = 100000;

// ln of x^a e^-x / Γ(a), the common factor of both incomplete gamma forms.
double logPrefactor(double a, double x) {
    return a * std::log(x) - x - logGamma(a);
}

// P(a, x) by its power series; converges fast for x < a + 1.
double gammaSeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon)
            break;
    }
    return std::exp(logPrefactor(a, x)) * sum;
}

// Q(a, x) by its continued fraction (modified Lentz); converges fast for x >= a + 1.
double gammaContinuedFraction(double a, double x) {
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon)
            break;
    }
    return std::exp(logPrefactor(a, x)) * h;
}

bool validGammaArguments(double a, double x) {
    return a > 0 && x >= 0 && std::isfinite(a) && !std::isnan(x);
}

} // namespace

double logGamma(double x) {
    if (!(x > 0))
        return kNaN;
    // Lanczos, g = 7, nine coefficients.
    static const double c[] = {0.99999999999980993,  676.5203681218851,     -1259.1392167224028,
                               771.32342877765313,   -176.61502916214059,   12.507343278686905,
                               -0.13857109526572012, 9.9843695780195716e-6, 1.5056327351493116e-7};
    if (x < 0.5) // reflection keeps the series in its accurate range
        return std::log(kPi / std::sin(kPi * x)) - logGamma(1.0 - x);
    const double z = x - 1.0;
    double sum = c[0];
    for (int i = 1; i < 9; ++i)
        sum += c[i] / (z + i);
    const double t = z + 7.5;
    return 0.5 * std::log(2 * kPi) + (z + 0.5) * std::log(t) - t + std::log(sum);
}

double regularizedGammaP(double a, double x) {
    if (!validGammaArguments(a, x))
        return kNaN;
    if (x == 0)
        return 0;
    if (std::isinf(x))
        return 1;
    return x < a + 1 ? gammaSeries(a, x) : 1.0 - gammaContinuedFraction(a, x);
}

double regularizedGammaQ(double a, double x) {
    if (!validGammaArguments(a, x))
        return kNaN;
    if (x == 0)
        return 1;
    if (std::isinf(x))
        return 0;
    return x < a + 1 ? 1.0 - gammaSeries(a, x) : gammaContinuedFraction(a, x);
}

double chiSquareUpperTail(double x, double df) {
    if (std::isnan(x) || !(df > 0))
        return kNaN;
    return regularizedGammaQ(df / 2, std::max(0.0, x) / 2);
}

double weightedChiSquareUpperTail(double w1, double df1, double w2, double df2, double x) {
    if (!(w1 > 0 && w2 > 0 && df1 >= 2 && df2 > 0) || std::isnan(x))
        return kNaN;
    if (x <= 0)
        return 1;
    // P = P(A >= x/w1) + the integral over a from 0 to x/w1 of f_A(a) Q_B((x - w1 a)/w2).
    // A's density beyond its mean + 40 sd adds less than the rounding error,
    // so the range is cut there.
    const double upper = std::min(x / w1, df1 + 40 * std::sqrt(2 * df1));
    const double k = df1 / 2;
    const double logNorm = -k * std::log(2.0) - logGamma(k);
    const auto integrand = [&](double a) {
        const double density =
            a > 0 ? std::exp(logNorm + (k - 1) * std::log(a) - a / 2) : (df1 == 2 ? 0.5 : 0.0);
        return density * chiSquareUpperTail((x - w1 * a) / w2, df2);
    };
    constexpr int intervals = 2000; // even, for Simpson's rule
    const double h = upper / intervals;
    double sum = integrand(0) + integrand(upper);
    for (int i = 1; i < intervals; ++i)
        sum += (i % 2 ? 4 : 2) * integrand(i * h);
    return std::clamp(chiSquareUpperTail(x / w1, df1) + sum * h / 3, 0.0, 1.0);
}

double logBinomialProbability(double n, double k, double p) {
    if (!(k >= 0 && k <= n && p > 0 && p < 1))
        return -std::numeric_limits<double>::infinity();
    return logGamma(n + 1) - logGamma(k + 1) - logGamma(n - k + 1) + k * std::log(p) +
           (n - k) * std::log1p(-p);
}

} // namespace Analysis
