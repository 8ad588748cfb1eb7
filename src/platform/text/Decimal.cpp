#include "platform/text/Decimal.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kiv::text {
namespace {

// Powers of ten up to 10^38, the most a 128-bit mantissa holds.
struct Pow10Table {
    __int128 v[39];
    constexpr Pow10Table() : v() {
        v[0] = 1;
        for (int i = 1; i < 39; ++i)
            v[i] = v[i - 1] * 10;
    }
};
constexpr Pow10Table kPow10;

__int128 pow10(int n) {
    if (n >= 0 && n < 39)
        return kPow10.v[n];
    __int128 r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

__int128 abs128(__int128 v) { return v < 0 ? -v : v; }

// Every value a field holds fits 64 bits: those take 64-bit divisions, far cheaper than 128-bit.
bool fits64(__int128 m) { return m >= INT64_MIN && m <= INT64_MAX; }

// m / 10^n rounded half away from zero.
__int128 divRound(__int128 m, int n) {
    if (n <= 0)
        return m;
    if (n <= 18 && fits64(m)) {
        const long long p = static_cast<long long>(kPow10.v[n]);
        const long long m64 = static_cast<long long>(m);
        long long q = m64 / p;
        long long r = m64 % p;
        if (r < 0)
            r = -r;
        if (r >= p - r)
            q += (m64 < 0 ? -1 : 1);
        return q;
    }
    __int128 p = pow10(n);
    __int128 q = m / p;
    __int128 r = abs128(m % p);
    if (r * 2 >= p)
        q += (m < 0 ? -1 : 1);
    return q;
}

[[noreturn]] void overflow() { throw std::overflow_error("decimal value out of range"); }

} // namespace

Decimal Decimal::make(__int128 m, int scale) {
    while (scale > kMaxScale) {
        m = divRound(m, 1);
        --scale;
    }
    // Trailing zeros go; with a mantissa that fits 64 bits (every field value does) without the
    // slow 128-bit division.
    if (scale > 0 && fits64(m)) {
        long long m64 = static_cast<long long>(m);
        while (scale > 0 && m64 % 10 == 0) {
            m64 /= 10;
            --scale;
        }
        m = m64;
    } else {
        while (scale > 0 && m % 10 == 0) {
            m /= 10;
            --scale;
        }
    }
    Decimal d;
    d.m_ = m;
    d.scale_ = scale;
    return d;
}

Decimal Decimal::fromScaled(long long mantissa, int scale) {
    if (scale < 0) {
        __int128 m = mantissa;
        if (__builtin_mul_overflow(m, pow10(-scale), &m))
            overflow();
        return make(m, 0);
    }
    return make(mantissa, scale);
}

Decimal Decimal::fromScaled128(__int128 mantissa, int scale) {
    if (scale < 0)
        throw std::invalid_argument("negative scale");
    return make(mantissa, scale);
}

Decimal Decimal::withScale(int scale) const {
    Decimal d = *this;
    if (scale <= scale_)
        return d;
    if (__builtin_mul_overflow(m_, pow10(scale - scale_), &d.m_))
        overflow();
    d.scale_ = scale;
    return d;
}

Decimal Decimal::operator-() const { return make(-m_, scale_); }

Decimal Decimal::add(const Decimal& o) const {
    int s = std::max(scale_, o.scale_);
    if (fits64(m_) && fits64(o.m_) && s - std::min(scale_, o.scale_) <= 18) {
        // Field values: below 2^63 each, one raised by at most 10^18 (< 2^60), the sum cannot
        // leave 128 bits, so no overflow check (a library call for 128 bits) is needed.
        if (scale_ == o.scale_)
            return make(m_ + o.m_, s);
        const __int128 a = scale_ == s ? m_ : m_ * kPow10.v[s - scale_];
        const __int128 b = o.scale_ == s ? o.m_ : o.m_ * kPow10.v[s - o.scale_];
        return make(a + b, s);
    }
    Decimal a = withScale(s), b = o.withScale(s);
    __int128 r;
    if (__builtin_add_overflow(a.m_, b.m_, &r))
        overflow();
    return make(r, s);
}

Decimal Decimal::operator-(const Decimal& o) const { return *this + (-o); }

Decimal Decimal::multiply(const Decimal& o) const {
    if (fits64(m_) && fits64(o.m_))
        return make(m_ * o.m_, scale_ + o.scale_);   // below 2^126: no overflow
    __int128 r;
    if (!__builtin_mul_overflow(m_, o.m_, &r))
        return make(r, scale_ + o.scale_);
    // Too many digits for an exact product: drop digits far below any printed precision first.
    Decimal a = rounded(kMaxScale / 2), b = o.rounded(kMaxScale / 2);
    if (__builtin_mul_overflow(a.m_, b.m_, &r))
        overflow();
    return make(r, a.scale_ + b.scale_);
}

Decimal Decimal::operator/(const Decimal& o) const {
    if (o.m_ == 0)
        throw std::domain_error("division by zero");
    // quotient = (m_ / o.m_) x 10^(o.scale_ - scale_); produce it with kMaxScale digits after the
    // point by long division, one digit at a time, so that no intermediate product overflows.
    int k = kMaxScale - scale_ + o.scale_;   // digits to produce after the integer quotient
    __int128 num = abs128(m_), den = abs128(o.m_);
    __int128 q = num / den, r = num % den;
    for (int i = 0; i < k; ++i) {
        if (r > std::numeric_limits<__int128>::max() / 10 || q > std::numeric_limits<__int128>::max() / 10)
            overflow();
        r *= 10;
        q = q * 10 + r / den;
        r %= den;
    }
    if (r * 2 >= den)   // ties away from zero
        ++q;
    bool neg = (m_ < 0) != (o.m_ < 0);
    return make(neg ? -q : q, kMaxScale);
}

std::strong_ordering Decimal::operator<=>(const Decimal& o) const {
    int s = std::max(scale_, o.scale_);
    if (fits64(m_) && fits64(o.m_) && s - std::min(scale_, o.scale_) <= 18) {
        const __int128 a = m_ * kPow10.v[s - scale_], b = o.m_ * kPow10.v[s - o.scale_];
        return a < b ? std::strong_ordering::less : a > b ? std::strong_ordering::greater : std::strong_ordering::equal;
    }
    Decimal a = withScale(s), b = o.withScale(s);
    if (a.m_ < b.m_)
        return std::strong_ordering::less;
    if (a.m_ > b.m_)
        return std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

Decimal Decimal::rounded(int places) const {
    if (places >= scale_)
        return *this;
    if (places >= 0)
        return make(divRound(m_, scale_ - places), places);
    __int128 q = divRound(m_, scale_ - places);
    return make(q * pow10(-places), 0);
}

Decimal Decimal::truncated(int places) const {
    if (places >= scale_)
        return *this;
    if (places >= 0) {
        if (scale_ - places <= 18 && fits64(m_))
            return make(static_cast<long long>(m_) / static_cast<long long>(kPow10.v[scale_ - places]), places);
        return make(m_ / pow10(scale_ - places), places);
    }
    return make(m_ / pow10(scale_ - places) * pow10(-places), 0);
}

long long Decimal::toLong() const {
    if (scale_ <= 18 && fits64(m_))
        return static_cast<long long>(m_) / static_cast<long long>(kPow10.v[scale_]);
    __int128 q = m_ / pow10(scale_);
    if (q > std::numeric_limits<long long>::max())
        return std::numeric_limits<long long>::max();
    if (q < std::numeric_limits<long long>::min())
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(q);
}

double Decimal::toDouble() const { return static_cast<double>(m_) / static_cast<double>(pow10(scale_)); }

std::string Decimal::toString() const {
    // Digits are produced from the lowest up, then turned around.
    __int128 a = abs128(m_);
    std::string r;
    r.reserve(48);
    int produced = 0;
    do {
        if (a <= static_cast<__int128>(UINT64_MAX)) {
            unsigned long long a64 = static_cast<unsigned long long>(a);
            do {
                r.push_back(static_cast<char>('0' + static_cast<int>(a64 % 10)));
                a64 /= 10;
                if (++produced == scale_)
                    r.push_back('.');
            } while (a64 > 0 || produced <= scale_);
            break;
        }
        r.push_back(static_cast<char>('0' + static_cast<int>(a % 10)));
        a /= 10;
        if (++produced == scale_)
            r.push_back('.');
    } while (a > 0 || produced <= scale_);
    if (m_ < 0)
        r.push_back('-');
    std::reverse(r.begin(), r.end());
    return r;
}

} // namespace kiv::text
