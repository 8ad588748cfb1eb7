#include "grid/TankaRewrite.h"

#include "estimate/GyouRecord.h"
#include "platform/text/Number.h"

using kiv::text::Decimal;

std::optional<std::string> PriceText(const Decimal& x) {
    const std::string s = kiv::text::cformat("%12.1f", x);
    if (s.size() > 12)
        return std::nullopt;
    return kiv::text::leftChars(s, 10);
}

bool RewriteTankaFields(std::string& row, const Decimal& factor) {
    GyouRecord::padLength(row);
    // Every product is worked out before the row is touched, so a refused row stays whole.
    std::array<std::optional<std::string>, kTankaFields.size()> texts;
    for (std::size_t i = 0; i < kTankaFields.size(); ++i) {
        const Decimal x = GyouRecord::toDecimal(row, kTankaFields[i]) * factor;
        if (x.isZero())
            continue;
        texts[i] = PriceText(x);
        if (!texts[i])
            return false;
    }
    for (std::size_t i = 0; i < kTankaFields.size(); ++i) {
        GyouRecord::blank(row, kTankaFields[i]);
        if (texts[i])
            GyouRecord::putNumber(row, kTankaFields[i], *texts[i]);
    }
    return true;
}
