#include "platform/text/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>

namespace kiv::text {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw ConversionError(std::string("iconv cannot convert from ") + from + " to " + to);
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    bool ok = true;
    while (srcLeft > 0) {
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            ok = false;   // EILSEQ or EINVAL: not a text of the source encoding
            break;
        }
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

} // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932) { return convert("UTF-8", "CP932", cp932); }
std::optional<std::string> utf8ToCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8); }

std::string toUtf8(std::string_view cp932) {
    if (auto whole = cp932ToUtf8(cp932))
        return *whole;
    std::string out;
    for (std::size_t i = 0; i < cp932.size();) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        const std::size_t n = isLeadByte(c) && i + 1 < cp932.size() ? 2 : 1;
        if (auto ch = cp932ToUtf8(cp932.substr(i, n)); ch && !(n == 1 && isLeadByte(c))) {
            out += *ch;
            i += n;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

std::string toCp932Replacing(std::string_view utf8, std::string_view unmappable) {
    if (auto whole = utf8ToCp932(utf8))
        return *whole;
    // The length of the UTF-8 sequence a byte starts (1 for a byte that starts none).
    const auto sequence = [](unsigned char c) -> std::size_t {
        if (c >= 0xF0 && c < 0xF8)
            return 4;
        if (c >= 0xE0)
            return c < 0xF0 ? 3 : 1;
        return c >= 0xC0 ? 2 : 1;
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = std::min(sequence(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        if (auto ch = utf8ToCp932(utf8.substr(i, n)))
            out += *ch;
        else
            out += unmappable;
        i += n;
    }
    return out;
}

std::string toCp932(std::string_view utf8) {
    auto r = utf8ToCp932(utf8);
    if (!r)
        throw ConversionError("the text has characters that CP932 cannot hold");
    return *r;
}

const std::string& sj(const char* utf8Literal) {
    static std::mutex lock;
    static std::map<std::string, std::string, std::less<>> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(std::string_view(utf8Literal));
    if (it == cache.end())
        it = cache.emplace(utf8Literal, toCp932(utf8Literal)).first;
    return it->second;
}

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isHalfKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }
bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

std::size_t boundaryAtOrBefore(std::string_view s, std::size_t pos) {
    if (pos > s.size())
        pos = s.size();
    std::size_t i = 0;
    while (i < pos) {
        std::size_t len = isLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + len > pos)
            break;
        i += len;
    }
    return i;
}

bool isCharBoundary(std::string_view s, std::size_t pos) {
    return pos <= s.size() && boundaryAtOrBefore(s, pos) == pos;
}

bool isSecondByte(std::string_view s, std::size_t pos) {
    return pos < s.size() && pos > 0 && boundaryAtOrBefore(s, pos) == pos - 1;
}

std::string fitBytes(std::string_view s, std::size_t n) {
    if (s.size() <= n)
        return std::string(s);
    std::size_t cut = boundaryAtOrBefore(s, n);
    std::string r(s.substr(0, cut));
    r.append(n - cut, ' ');
    return r;
}

} // namespace kiv::text
