#pragma once
// Exact decimal numbers for the amounts, quantities and prices that live as text in fixed-width
// fields. Every product, sum and rounding gives the result of exact decimal arithmetic, so that a
// value printed at a given precision is rounded as a person doing the sum by hand would round it
// (ties away from zero), not as a binary double happens to.
#include <compare>
#include <stdexcept>
#include <string>

namespace kiv::text {

class Decimal {
public:
    // Digits kept after the point; results of division and long products are rounded here.
    static constexpr int kMaxScale = 18;

    constexpr Decimal() = default;
    Decimal(long long v) : m_(v) {}          // NOLINT: integers convert implicitly
    Decimal(int v) : m_(v) {}                // NOLINT
    // mantissa x 10^-scale, 0 <= scale <= kMaxScale
    static Decimal fromScaled(long long mantissa, int scale);
    static Decimal fromScaled128(__int128 mantissa, int scale);

    Decimal operator-() const;
    // Sums and products with zero, frequent in a row's mostly blank breakdown, are had here;
    // every value is kept without trailing zeros and zero as 0, so they are the exact results.
    Decimal operator+(const Decimal& o) const { return o.m_ == 0 ? *this : m_ == 0 ? o : add(o); }
    Decimal operator-(const Decimal& o) const;
    Decimal operator*(const Decimal& o) const { return m_ == 0 || o.m_ == 0 ? Decimal() : multiply(o); }
    // Rounded at kMaxScale digits, ties away from zero. Division by zero throws std::domain_error.
    Decimal operator/(const Decimal& o) const;
    Decimal& operator+=(const Decimal& o) { return *this = *this + o; }
    Decimal& operator-=(const Decimal& o) { return *this = *this - o; }
    Decimal& operator*=(const Decimal& o) { return *this = *this * o; }
    Decimal& operator/=(const Decimal& o) { return *this = *this / o; }

    std::strong_ordering operator<=>(const Decimal& o) const;
    bool operator==(const Decimal& o) const { return (*this <=> o) == 0; }

    // Rounded to `places` digits after the point (negative: to tens, hundreds...), ties away from zero.
    Decimal rounded(int places) const;
    // Cut to `places` digits after the point, toward zero.
    Decimal truncated(int places) const;

    bool isZero() const { return m_ == 0; }
    bool isNegative() const { return m_ < 0; }
    int scale() const { return scale_; }
    // The integer part, toward zero, saturated to the range of long long (as a cast of the value).
    long long toLong() const;
    double toDouble() const;
    // Plain text: "-12.5", "0", "3" (no exponent, no trailing zeros).
    std::string toString() const;

    // Internal form, for the formatter.
    __int128 mantissa() const { return m_; }

private:
    static Decimal make(__int128 m, int scale);
    Decimal add(const Decimal& o) const;
    Decimal multiply(const Decimal& o) const;
    Decimal withScale(int scale) const;   // only raises the scale (exact)

    __int128 m_ = 0;
    int scale_ = 0;
};

} // namespace kiv::text
