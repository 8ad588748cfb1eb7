#include "platform/text/Number.h"

#include "platform/text/Cp932.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

namespace kiv::text {
namespace {

bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Conversion {
    std::string prefix, suffix;
    bool left = false, zero = false, plus = false, space = false, alt = false;
    int width = 0;
    int precision = -1;
    char conv = 0;
};

std::string unescapePercent(std::string_view s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            if (i + 1 >= s.size() || s[i + 1] != '%')
                throw std::invalid_argument("format has more than one conversion");
            ++i;
        }
        r += s[i];
    }
    return r;
}

Conversion parseConversion(std::string_view fmt) {
    Conversion sp;
    std::size_t i = 0;
    while (true) {
        i = fmt.find('%', i);
        if (i == std::string_view::npos)
            throw std::invalid_argument("format has no conversion");
        if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
            i += 2;
            continue;
        }
        break;
    }
    sp.prefix = unescapePercent(fmt.substr(0, i));
    std::size_t p = i + 1;
    for (; p < fmt.size(); ++p) {
        char c = fmt[p];
        if (c == '-') sp.left = true;
        else if (c == '0') sp.zero = true;
        else if (c == '+') sp.plus = true;
        else if (c == ' ') sp.space = true;
        else if (c == '#') sp.alt = true;
        else break;
    }
    while (p < fmt.size() && isDigit(fmt[p]))
        sp.width = sp.width * 10 + (fmt[p++] - '0');
    if (p < fmt.size() && fmt[p] == '.') {
        ++p;
        sp.precision = 0;
        while (p < fmt.size() && isDigit(fmt[p]))
            sp.precision = sp.precision * 10 + (fmt[p++] - '0');
    }
    while (p < fmt.size() && (fmt[p] == 'l' || fmt[p] == 'h' || fmt[p] == 'L'))
        ++p;
    if (p >= fmt.size())
        throw std::invalid_argument("format ends inside a conversion");
    sp.conv = fmt[p];
    if (sp.conv == 'F') sp.conv = 'f';
    if (sp.conv == 'i' || sp.conv == 'u') sp.conv = 'd';
    if (sp.conv != 'd' && sp.conv != 'f')
        throw std::invalid_argument("unsupported conversion");
    sp.suffix = unescapePercent(fmt.substr(p + 1));
    return sp;
}

// The few formats the program uses are parsed once each: amounts are formatted for every row of
// every recalculation.
const Conversion& cachedConversion(std::string_view fmt) {
    struct Entry {
        std::string fmt;
        Conversion conv;
    };
    static thread_local std::vector<Entry> cache;
    for (const Entry& e : cache)
        if (e.fmt == fmt)
            return e.conv;
    Conversion c = parseConversion(fmt);   // throws for a bad format, which is then not kept
    if (cache.size() >= 64)
        cache.clear();
    cache.push_back({std::string(fmt), std::move(c)});
    return cache.back().conv;
}

// The digits of |value| rounded to `prec` decimals, with the point, as "%f" writes them, for a
// value whose digits fit 64 bits (every value a field holds): without the general path's
// intermediate strings, since amounts are formatted for every row of every recalculation.
bool formatFixedFast(std::string& body, const Decimal& value, int prec, bool alt) {
    if (prec > 18)
        return false;
    const Decimal r = value.rounded(prec);
    const int shift = prec - r.scale();
    if (shift < 0 || shift > 18)
        return false;
    __int128 m = r.mantissa();
    if (m < 0)
        m = -m;
    static constexpr unsigned long long kPow[] = {1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL,
                                                  10000000ULL, 100000000ULL, 1000000000ULL, 10000000000ULL,
                                                  100000000000ULL, 1000000000000ULL, 10000000000000ULL,
                                                  100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL,
                                                  100000000000000000ULL, 1000000000000000000ULL};
    if (m > static_cast<__int128>(UINT64_MAX / kPow[shift]))
        return false;
    unsigned long long a = static_cast<unsigned long long>(m) * kPow[shift];
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a > 0 || n <= prec);
    body.clear();
    for (int i = n - 1; i >= prec; --i)
        body += digits[i];
    if (prec > 0 || alt)
        body += '.';
    for (int i = prec - 1; i >= 0; --i)
        body += digits[i];
    return true;
}

// Where the number of a text starts: past its leading white space. Fields are right-aligned,
// so most of their bytes are blanks, and every row's numbers are read on every recalculation:
// the blanks are skipped eight at a time, the first other byte found from the bits that differ
// (no loop whose end the processor mispredicts on each field).
// Past any white space from i.
std::size_t skipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && isCSpace(s[i]))
        ++i;
    return i;
}

std::size_t numberStart(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
        // The index of the first byte of the eight at `at` that is not a blank, or 8.
        auto firstOther = [&](std::size_t at) {
            std::uint64_t w;
            std::memcpy(&w, s.data() + at, 8);
            const std::uint64_t differ = w ^ kEightBlanks;
            return differ == 0 ? std::size_t{8} : static_cast<std::size_t>(std::countr_zero(differ) / 8);
        };
        if (n >= 8) {
            for (; i + 8 <= n; i += 8)
                if (const std::size_t k = firstOther(i); k < 8)
                    return skipSpace(s, i + k);
            // The last few bytes: the eight that end the text, those before them known blanks.
            if (i < n)
                i = n - 8 + firstOther(n - 8);
            return skipSpace(s, std::min(i, n));
        }
        if (n >= 4) {
            // Four to seven bytes: the four that start the text and the four that end it.
            std::uint32_t lo, hi;
            std::memcpy(&lo, s.data(), 4);
            std::memcpy(&hi, s.data() + n - 4, 4);
            const std::uint32_t differLo = lo ^ 0x20202020U, differHi = hi ^ 0x20202020U;
            if (differLo != 0)
                return skipSpace(s, static_cast<std::size_t>(std::countr_zero(differLo) / 8));
            return skipSpace(s, differHi == 0 ? n : n - 4 + static_cast<std::size_t>(std::countr_zero(differHi) / 8));
        }
    }
    while (i < n && s[i] == ' ')
        ++i;
    return skipSpace(s, i);
}

} // namespace

Decimal parseDecimal(std::string_view s) {
    std::size_t i = numberStart(s);
    if (i == s.size())
        return Decimal();   // a blank field
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        neg = s[i++] == '-';
    // A 128-bit mantissa holds 37 digits: integer digits beyond 19 saturate (no field is that
    // wide), fraction digits beyond the kept scale are cut.
    constexpr int kMaxIntDigits = 19;
    // Up to 18 digits in all (every field) are read in 64 bits, the common and cheap case.
    {
        std::size_t j = i;
        unsigned long long m64 = 0;
        int digits = 0;
        while (j < s.size() && isDigit(s[j]) && digits < 18) {
            m64 = m64 * 10 + static_cast<unsigned>(s[j++] - '0');
            ++digits;
        }
        int scale64 = 0;
        bool simple = j >= s.size() || !isDigit(s[j]);
        if (simple && j < s.size() && s[j] == '.') {
            ++j;
            while (j < s.size() && isDigit(s[j]) && digits < 18) {
                m64 = m64 * 10 + static_cast<unsigned>(s[j++] - '0');
                ++digits;
                ++scale64;
            }
            simple = j >= s.size() || !isDigit(s[j]);
        }
        if (simple) {
            const long long v = static_cast<long long>(m64);
            return Decimal::fromScaled(neg ? -v : v, scale64);
        }
    }
    __int128 m = 0;
    int intDigits = 0;
    bool saturated = false;
    while (i < s.size() && isDigit(s[i])) {
        if (intDigits < kMaxIntDigits) {
            m = m * 10 + (s[i] - '0');
            if (m != 0)
                ++intDigits;
        } else {
            saturated = true;
        }
        ++i;
    }
    int scale = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            if (!saturated && scale < Decimal::kMaxScale) {
                m = m * 10 + (s[i] - '0');
                ++scale;
            }
            ++i;
        }
    }
    Decimal r = Decimal::fromScaled128(m, scale);
    return neg ? -r : r;
}

int parseInt(std::string_view s) {
    std::size_t i = numberStart(s);
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        neg = s[i++] == '-';
    long long v = 0;
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (i < s.size() && isDigit(s[i])) {
        if (v <= limit)
            v = v * 10 + (s[i] - '0');
        ++i;
    }
    if (neg)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::string cformat(std::string_view fmt, const Decimal& value) {
    const Conversion& sp = cachedConversion(fmt);
    bool zero = sp.zero;
    std::string body;
    bool neg = value.isNegative();
    if (sp.conv == 'd') {
        long long v = value.toLong();
        neg = v < 0;
        unsigned long long a = neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        body = std::to_string(a);
        if (sp.precision >= 0) {
            if (sp.precision == 0 && a == 0)
                body.clear();
            if (static_cast<int>(body.size()) < sp.precision)
                body.insert(0, static_cast<std::size_t>(sp.precision) - body.size(), '0');
            zero = false;   // a precision turns off zero padding for integers
        }
    } else if (formatFixedFast(body, value, sp.precision < 0 ? 6 : sp.precision, sp.alt)) {
        // (the common case: digits produced directly)
    } else {
        int prec = sp.precision < 0 ? 6 : sp.precision;
        Decimal r = value.rounded(prec);
        std::string t = (r.isNegative() ? -r : r).toString();
        std::size_t dot = t.find('.');
        std::string ip = dot == std::string::npos ? t : t.substr(0, dot);
        std::string fp = dot == std::string::npos ? std::string() : t.substr(dot + 1);
        fp.append(static_cast<std::size_t>(prec) - fp.size(), '0');
        body = ip;
        if (prec > 0 || sp.alt)
            body += '.';
        body += fp;
    }
    const std::string_view sign = neg ? "-" : sp.plus ? "+" : sp.space ? " " : "";
    const std::size_t len = sign.size() + body.size();
    const std::size_t pad = static_cast<int>(len) >= sp.width ? 0 : static_cast<std::size_t>(sp.width) - len;
    // Built in one string: amounts are formatted for every row of every recalculation.
    std::string out;
    out.reserve(sp.prefix.size() + len + pad + sp.suffix.size());
    out += sp.prefix;
    if (sp.left) {
        out += sign;
        out += body;
        out.append(pad, ' ');
    } else if (zero) {
        out += sign;
        out.append(pad, '0');
        out += body;
    } else {
        out.append(pad, ' ');
        out += sign;
        out += body;
    }
    out += sp.suffix;
    return out;
}

std::string leftChars(std::string_view s, std::size_t n) { return std::string(s.substr(0, n)); }
std::string rightChars(std::string_view s, std::size_t n) {
    return std::string(n >= s.size() ? s : s.substr(s.size() - n));
}
std::string dropRight(std::string_view s, std::size_t n) {
    return std::string(n >= s.size() ? std::string_view() : s.substr(0, s.size() - n));
}

std::string_view trimRightBlanks(std::string_view s) {
    // Text fields are left-aligned and mostly blank: eight blanks at a time first.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    for (std::uint64_t w; s.size() >= 8; s.remove_suffix(8)) {
        std::memcpy(&w, s.data() + s.size() - 8, 8);
        if (w != kEightBlanks)
            break;
    }
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view trimBlanks(std::string_view s) {
    s = trimRightBlanks(s);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::string_view trimLine(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string halfWidthNumberText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto lead = static_cast<unsigned char>(s[i]);
        if (!isLeadByte(lead) || i + 1 >= s.size()) {
            out.push_back(s[i]);
            continue;
        }
        const auto trail = static_cast<unsigned char>(s[i + 1]);
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
            out.push_back(static_cast<char>('0' + (trail - 0x4F)));   // ０-９
        else if (lead == 0x81 && trail == 0x44)
            out.push_back('.');   // ．
        else if (lead == 0x81 && trail == 0x7C)
            out.push_back('-');   // － (and −)
        else
            out.append(s.substr(i, 2));
        ++i;
    }
    return out;
}

} // namespace kiv::text
