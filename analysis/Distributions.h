#pragma once

namespace Analysis {

// Tail probabilities for the goodness-of-fit tests. Each returns a value in
// [0, 1]; an argument outside the domain gives NaN.

// ln Γ(x) for x > 0 (Lanczos approximation, relative error below 1e-14).
double logGamma(double x);

// The regularized incomplete gamma functions P(a, x) = γ(a, x) / Γ(a) and
// Q(a, x) = 1 - P(a, x), for a > 0 and x >= 0. Each is computed directly (by
// its series or its continued fraction, whichever converges fast), so a tiny
// Q keeps its relative precision instead of being 1 - P rounded.
double regularizedGammaP(double a, double x);
double regularizedGammaQ(double a, double x);

// P(X >= x) for X ~ χ² with df > 0 degrees of freedom.
double chiSquareUpperTail(double x, double df);

// P(w1·A + w2·B >= x) for independent A ~ χ²(df1) and B ~ χ²(df2), with w1, w2 > 0
// and df1 >= 2: the integral of A's density times B's tail, by Simpson's rule.
double weightedChiSquareUpperTail(double w1, double df1, double w2, double df2, double x);

// ln P(K = k) for K ~ Binomial(n, p), 0 <= k <= n, 0 < p < 1.
double logBinomialProbability(double n, double k, double p);

} // namespace Analysis
