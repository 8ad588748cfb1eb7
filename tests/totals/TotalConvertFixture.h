#pragma once
// The conversion fixture of the totals tests: a master with 配管 (category 3, two lines) and 電線
// (category 7); an estimate whose rows roll up into a summary page (分類集計, 配管 5000/4500,
// 電線 500/450, 分類ＮＯなし 100/100, 　計) and the pages 配管, 電線 and 分類ＮＯなし. The
// settings give 小計 the code 11 and 経費1 the code 5.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/MstFile.h"
#include "estimate/SetteiRecord.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "support/TempDir.h"

namespace kivtest {

inline constexpr int kSyoukeiCode = 11;
inline constexpr int kKeihi1Code = 5;

inline SetteiValues totalSettings() {
    SetteiValues s;
    s.codes[static_cast<std::size_t>(EnzanCode::Syoukei)] = kSyoukeiCode;
    s.codes[static_cast<std::size_t>(EnzanCode::Keihi1)] = kKeihi1Code;
    return s;
}

// An estimate row of item `item` from master category `bun` (0: none).
inline std::string est(int item, int bun, const char* name, const char* kikaku, const char* suu, const char* t1,
                       const char* t2, const char* k1 = "", const char* k2 = "") {
    using G = GyouRecord;
    std::vector<std::pair<int, std::string>> f = {{G::Hinmei, name}, {G::Kikaku, kikaku}, {G::SekisanSuu1, suu},
                                                  {G::SekisanSuu2, suu}, {G::Tanka1, t1}, {G::Tanka2, t2},
                                                  {G::Kingaku1, k1}, {G::Kingaku2, k2}};
    if (bun != 0)
        f.emplace_back(G::BunNo, std::to_string(bun));
    std::erase_if(f, [](const auto& p) { return p.second.empty(); });
    return mstLine(item, 1, f);
}

inline std::vector<std::string> masterRows() {
    using G = GyouRecord;
    return {mstLine(3, 1, {{G::Hinmei, "配管"}}), mstLine(3, 2, {{G::Hinmei, "ＶＰ管"}}),
            mstLine(7, 1, {{G::Hinmei, "電線"}})};
}

inline std::vector<std::string> estimateRows() {
    return {
        est(1, 3, "VP管", "50A", "2", "1000", "900"),
        est(1, 7, "IV", "1.6", "10", "50", "45"),
        est(1, 0, "雑品", "", "1", "100", "100"),
        est(1, 3, "VP管", "50A", "3", "1000", "900"),
        est(1, kSyoukeiCode, "小計", "", "", "", "", "9999", "9999"),
        GyouRecord::blankRow(),   // a free row: no item, no content
    };
}

// A program folder with the labour file and a settings file of the fixture's codes, run mode 1;
// `writeFixtureFiles` puts the master and the estimate into `data`.
class TotalDocFixture : public testing::Test {
protected:
    void SetUp() override {
        ClearKivPrompts();
        ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "労務単価.rab", ""));
        std::string settei(1024, ' ');
        settei.replace(4 * static_cast<std::size_t>(EnzanCode::Syoukei), 4, "0011");
        settei.replace(4 * static_cast<std::size_t>(EnzanCode::Keihi1), 4, "0005");
        ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "電気設定.ett", settei));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exeDir.path());
    }
    void TearDown() override {
        EXPECT_TRUE(KivLeftoverPrompts().empty());
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        ClearKivPrompts();
    }
    // The fixture's master and estimate files (the estimate's cover line 0 "工事").
    void writeFixtureFiles(std::filesystem::path& mst, std::filesystem::path& kiv) {
        mst = data / "m.MST";
        kiv = data / "e.KIV";
        ASSERT_TRUE(kiv::files::writeFileAtomically(mst, WriteMstFile(masterRows())));
        std::array<std::string, kKivHyousiCount> hyousi;
        hyousi[0] = "工事";
        ASSERT_TRUE(kiv::files::writeFileAtomically(kiv, WriteKivFile(hyousi, estimateRows())));
    }

    kiv::test::ScopedProfileHome home;
    kiv::test::TempDir exeDir;
    kiv::test::TempDir data;
};

} // namespace kivtest
