#include "wheels/FiniteField.h"

namespace Wheels {

namespace {

std::vector<int> digits(int a, int p, int n) {
    std::vector<int> d(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i, a /= p)
        d[std::size_t(i)] = a % p;
    return d;
}

int number(const std::vector<int>& d, int p) {
    int a = 0;
    for (std::size_t i = d.size(); i-- > 0;)
        a = a * p + d[i];
    return a;
}

} // namespace

FiniteField::FiniteField(int p, int n, const std::vector<int>& modulus) : p_(p), q_(1) {
    for (int i = 0; i < n; ++i)
        q_ *= p;
    const std::size_t cells = std::size_t(q_) * std::size_t(q_);
    sum_.resize(cells);
    product_.resize(cells);
    neg_.resize(std::size_t(q_));
    inverse_.assign(std::size_t(q_), 0);
    for (int a = 0; a < q_; ++a) {
        const std::vector<int> da = digits(a, p, n);
        std::vector<int> negated(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            negated[std::size_t(i)] = (p - da[std::size_t(i)]) % p;
        neg_[std::size_t(a)] = number(negated, p);
        for (int b = 0; b < q_; ++b) {
            const std::vector<int> db = digits(b, p, n);
            std::vector<int> s(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                s[std::size_t(i)] = (da[std::size_t(i)] + db[std::size_t(i)]) % p;
            sum_[std::size_t(a * q_ + b)] = number(s, p);
            // The product of the polynomials, then x^j for j >= n folded back by the modulus.
            std::vector<int> full(std::size_t(2 * n - 1), 0);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    full[std::size_t(i + j)] += da[std::size_t(i)] * db[std::size_t(j)];
            for (int j = 2 * n - 2; j >= n; --j) {
                const int c = full[std::size_t(j)] % p;
                full[std::size_t(j)] = 0;
                for (int i = 0; i < n; ++i)
                    full[std::size_t(j - n + i)] += c * modulus[std::size_t(i)];
            }
            std::vector<int> r(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                r[std::size_t(i)] = full[std::size_t(i)] % p;
            product_[std::size_t(a * q_ + b)] = number(r, p);
        }
    }
    for (int a = 1; a < q_; ++a)
        for (int b = 1; b < q_; ++b)
            if (multiply(a, b) == 1)
                inverse_[std::size_t(a)] = b;
}

int FiniteField::power(int a, int e) const {
    int r = 1;
    for (int i = 0; i < e; ++i)
        r = multiply(r, a);
    return r;
}

int FiniteField::primitiveElement() const {
    for (int g = 2; g < q_; ++g) {
        int x = g, order = 1;
        while (x != 1) {
            x = multiply(x, g);
            ++order;
        }
        if (order == q_ - 1)
            return g;
    }
    return 1; // GF(2)
}

} // namespace Wheels
