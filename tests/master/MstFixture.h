#pragma once
// Master rows and files for the master's tests, written with the program's own formats.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/MstFile.h"
#include "platform/text/Cp932.h"

namespace kivtest {

// A 1400-byte master line of category `bun`, line `gyou`, with the given fields (texts in UTF-8).
inline std::string mstLine(int bun, int gyou, const std::vector<std::pair<int, std::string>>& fields = {}) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, bun, gyou);
    GyouRecord::putNumber(row, GyouRecord::Hokyuu, "1.0");
    for (const auto& [f, text] : fields) {
        const bool ok = GyouRecord::layout(f).IsText ? GyouRecord::putText(row, f, kiv::text::sj(text.c_str()))
                                                     : GyouRecord::putNumber(row, f, text);
        EXPECT_TRUE(ok) << "field " << f;
    }
    return row;
}

// Three categories with Japanese texts; category 2's line 1 carries a 備考 heading.
inline std::vector<std::string> threeCategories() {
    using G = GyouRecord;
    return {
        mstLine(1, 1, {{G::Hinmei, "配管用炭素鋼鋼管"}, {G::Kikaku, "２０Ａ"}, {G::Tanni, "ｍ"}, {G::Tanka1, "1200"}}),
        mstLine(1, 2, {{G::Hinmei, "エルボ"}, {G::Kikaku, "２０Ａ"}, {G::Tanka1, "350"}}),
        mstLine(2, 1, {{G::Hinmei, "電線"}, {G::Kikaku, "ＩＶ２．０"}, {G::Bikou1, "電気設備"}}),
        mstLine(2, 2, {{G::Hinmei, "ケーブル"}}),
        mstLine(3, 1, {{G::Hinmei, "照明器具"}, {G::Kikaku, "ＦＬ４０"}}),
    };
}

inline std::string mstBytes(const std::vector<std::string>& rows) { return WriteMstFile(rows); }

} // namespace kivtest
