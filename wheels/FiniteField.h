#pragma once

// Small finite fields GF(p^n) (at most 64 elements) for the design constructions. An element
// a0 + a1 x + ... + a(n-1) x^(n-1) of GF(p)[x] / (the modulus) is the number
// a0 + a1 p + ... + a(n-1) p^(n-1), so 0 and 1 are the field's zero and one.

#include <vector>

namespace Wheels {

class FiniteField {
public:
    // `modulus`: the coefficients c0..c(n-1) of the monic irreducible x^n - (c0 + c1 x + ...),
    // that is x^n = c0 + c1 x + ... + c(n-1) x^(n-1).
    FiniteField(int p, int n, const std::vector<int>& modulus);

    int size() const { return q_; }
    int characteristic() const { return p_; }
    int add(int a, int b) const { return sum_[std::size_t(a * q_ + b)]; }
    int negate(int a) const { return neg_[std::size_t(a)]; }
    int multiply(int a, int b) const { return product_[std::size_t(a * q_ + b)]; }
    int inverse(int a) const { return inverse_[std::size_t(a)]; } // a != 0
    int frobenius(int a) const { return power(a, p_); }           // a^p
    int power(int a, int e) const;
    // An element whose powers are every non-zero element.
    int primitiveElement() const;

private:
    int p_, q_;
    std::vector<int> sum_, product_, neg_, inverse_;
};

} // namespace Wheels
