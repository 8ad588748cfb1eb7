#include <gtest/gtest.h>

#include "estimate/ReferenceRecords.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "support/OtherUser.h"
#include "support/TempDir.h"

using kiv::profile::Profile;
using kiv::test::ScopedProfileHome;
using kiv::test::TempDir;
namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& p, std::string_view data) { ASSERT_TRUE(kiv::files::writeFileAtomically(p, data)); }

} // namespace

TEST(ReferenceFile, DefaultNamesInTheProgramDirectoryMatchWithoutCase) {
    ScopedProfileHome home;
    TempDir exe;
    writeFile(exe / "電気設定.ETT", "x");
    writeFile(exe / "労務単価.RAB", "");
    EXPECT_EQ(locateSetteiFile("1", exe.path()), exe / "電気設定.ETT");
    EXPECT_EQ(locateReferenceFile(ReferenceFile::Roumu, exe.path()), exe / "労務単価.RAB");
    // Not there at all: the default name as given.
    EXPECT_EQ(locateSetteiFile("2", exe.path()), exe / "機械設定.mtt");
    EXPECT_EQ(locateReferenceFile(ReferenceFile::Hedder, exe.path()), exe / "ヘッダー.hdr");
    EXPECT_EQ(locateSetteiFile("3", exe.path()), fs::path());
}

TEST(ReferenceFile, ProfileEntryWinsAndIsMatchedWithoutCase) {
    ScopedProfileHome home;
    TempDir exe, other;
    writeFile(exe / "表紙.frm", "default");
    writeFile(other / "Cover.FRM", "chosen");
    // Sections and entries match without regard to case too.
    Profile::user().writeString("hyousi_section", "HYOUSI_FORM", (other / "cover.frm").string());
    EXPECT_EQ(locateReferenceFile(ReferenceFile::HyousiForm, exe.path()), other / "Cover.FRM");

    ASSERT_TRUE(rememberReferenceFile(ReferenceFile::MechanicalSettei, other / "m.mtt"));
    EXPECT_EQ(Profile::user().getString("MSettei_Section", "MSettei_File"), (other / "m.mtt").string());
    EXPECT_EQ(locateSetteiFile("2", exe.path()), other / "m.mtt");
    EXPECT_EQ(locateSetteiFile("1", exe.path()), exe / "電気設定.ett");
}

TEST(ReferenceFile, ProbeTellsMissingFromUnreadable) {
    TempDir dir;
    writeFile(dir / "ok.rab", "");
    EXPECT_EQ(probeFile(dir / "ok.rab"), FileState::Readable);
    EXPECT_EQ(probeFile(dir / "none.rab"), FileState::Missing);
    EXPECT_EQ(probeFile(dir / "nofolder" / "none.rab"), FileState::Missing);
    fs::create_directory(dir / "folder.rab");
    EXPECT_EQ(probeFile(dir / "folder.rab"), FileState::Unreadable);
    // A file its user may not read: unreadable, never taken for missing, and left as it was.
    writeFile(dir / "locked.ett", std::string(1024, '1'));
    fs::permissions(dir / "locked.ett", fs::perms::none);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const int seen = kiv::test::runAsOtherUser([&] {
        SetteiLoad load = readSetteiFile(dir / "locked.ett");
        return (probeFile(dir / "locked.ett") == FileState::Unreadable ? 1 : 0) |
               (load.state == FileState::Unreadable ? 2 : 0) | (load.record == SetteiRecord() ? 4 : 0);
    });
    EXPECT_EQ(seen, 1 | 2 | 4);
    fs::permissions(dir / "locked.ett", fs::perms::owner_read);
    EXPECT_EQ(kiv::files::readFile(dir / "locked.ett"), std::string(1024, '1'));
}

TEST(ReferenceFile, Messages) {
    EXPECT_EQ(missingReferenceMessage(ReferenceFile::Roumu),
              "デフォルトで労務単価.rabファイルが存在しません設定しなおしてください。");
    EXPECT_EQ(missingReferenceMessage(ReferenceFile::MechanicalSettei),
              "デフォルトで機械設定.mttファイルが存在しません設定しなおしてください。");
    EXPECT_EQ(createFileQuestion("/d/a.ett"), "/d/a.ettファイルが存在しません。新しくファイルを作成しますか？");
    EXPECT_STREQ(kCannotCreateFileMessage, "ファイルが作成できません。");
}

TEST(ReferenceRecords, LoadsAllFourFromTheProgramDirectory) {
    ScopedProfileHome home;
    TempDir exe;
    RoumuList roumu;
    roumu.add(*RoumuRecord::build("1", "a", "100", "200"));
    ASSERT_TRUE(writeRoumuFile(exe / "労務単価.rab", roumu));
    SetteiRecord settei;
    settei.setCode(EnzanCode::Zatuzai, "0300");
    ASSERT_TRUE(writeSetteiFile(exe / "機械設定.MTT", settei));
    writeFile(exe / "ヘッダー.hdr", "HEAD");
    writeFile(exe / "表紙.FRM", "COVER");

    ReferenceRecords r = loadReferenceRecords("2", exe.path());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.roumuRead && r.setteiRead && r.hedderRead && r.hyousiRead);
    EXPECT_EQ(r.roumu, roumu);
    EXPECT_EQ(r.setteiPath, exe / "機械設定.MTT");
    EXPECT_EQ(ParseSettei(r.settei).code(EnzanCode::Zatuzai), 300);
    EXPECT_EQ(r.hedder.bytes().substr(0, 5), "HEAD ");
    EXPECT_EQ(r.hyousiForm.bytes().substr(0, 6), "COVER ");
}

TEST(ReferenceRecords, AMissingFileDoesNotStopTheOthers) {
    ScopedProfileHome home;
    TempDir exe;
    SetteiRecord settei;
    settei.setCode(EnzanCode::Daikoumoku, "0010");
    ASSERT_TRUE(writeSetteiFile(exe / "電気設定.ett", settei));
    writeFile(exe / "表紙.frm", "COVER");
    fs::create_directory(exe / "ヘッダー.hdr"); // there, but not a file that can be read

    ReferenceRecords r = loadReferenceRecords("1", exe.path());
    EXPECT_EQ(r.messages, (std::vector<std::string>{
                              "デフォルトで労務単価.rabファイルが存在しません設定しなおしてください。",
                              (exe / "ヘッダー.hdr").string() + "ファイルを読み込めません。",
                          }));
    EXPECT_FALSE(r.roumuRead);
    EXPECT_TRUE(r.roumu.empty());
    EXPECT_TRUE(r.setteiRead);
    EXPECT_EQ(ParseSettei(r.settei).code(EnzanCode::Daikoumoku), 10);
    EXPECT_FALSE(r.hedderRead);
    EXPECT_EQ(r.hedder, HedderRecord());
    EXPECT_TRUE(r.hyousiRead);
}

TEST(ReferenceRecords, MissingSettingsFileLeavesEveryCodeUnused) {
    ScopedProfileHome home;
    TempDir exe;
    ReferenceRecords r = loadReferenceRecords("2", exe.path());
    ASSERT_FALSE(r.messages.empty());
    EXPECT_EQ(r.messages[1], "デフォルトで機械設定.mttファイルが存在しません設定しなおしてください。");
    EXPECT_FALSE(r.setteiRead);
    SetteiValues v = ParseSettei(r.settei);
    for (int k = 0; k < kEnzanCodeCount; ++k)
        EXPECT_FALSE(v.matches(static_cast<EnzanCode>(k), 0));
}
