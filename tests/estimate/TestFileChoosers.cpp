#include <gtest/gtest.h>

#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "support/TempDir.h"

using kiv::profile::Profile;
using kiv::test::ScopedProfileHome;
using kiv::test::TempDir;
namespace fs = std::filesystem;

namespace {

// Answers the creation question and remembers what was asked.
struct Answer {
    bool yes;
    std::vector<std::string> asked;
    ConfirmCreate fn() {
        return [this](const std::string& q) {
            asked.push_back(q);
            return yes;
        };
    }
};

} // namespace

TEST(FileChooser, ExistingSettingsFileIsReadAndRemembered) {
    ScopedProfileHome home;
    TempDir dir;
    SetteiRecord rec;
    rec.setCode(EnzanCode::Unpanhi, "0042");
    ASSERT_TRUE(writeSetteiFile(dir / "a.ETT", rec));
    Answer no{false, {}};
    SetteiSwitch s = switchSetteiFile("1", dir / "a.ETT", no.fn());
    EXPECT_TRUE(s.switched);
    EXPECT_TRUE(s.messages.empty());
    EXPECT_TRUE(no.asked.empty());
    EXPECT_EQ(s.record, rec);
    EXPECT_EQ(Profile::user().getString("ESettei_Section", "ESettei_File"), (dir / "a.ETT").string());
    EXPECT_FALSE(Profile::user().has("MSettei_Section", "MSettei_File"));
}

TEST(FileChooser, MissingFileIsCreatedOnlyOnYes) {
    ScopedProfileHome home;
    TempDir dir;
    auto path = dir / "new.mtt";

    Answer no{false, {}};
    SetteiSwitch refused = switchSetteiFile("2", path, no.fn());
    EXPECT_FALSE(refused.switched);
    EXPECT_TRUE(refused.messages.empty());
    EXPECT_EQ(no.asked, (std::vector<std::string>{path.string() + "ファイルが存在しません。新しくファイルを作成しますか？"}));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(Profile::user().has("MSettei_Section", "MSettei_File"));

    Answer yes{true, {}};
    SetteiSwitch made = switchSetteiFile("2", path, yes.fn());
    EXPECT_TRUE(made.switched);
    EXPECT_EQ(fs::file_size(path), 0u); // empty until a settings dialog writes it
    EXPECT_EQ(made.record, SetteiRecord());
    EXPECT_EQ(Profile::user().getString("MSettei_Section", "MSettei_File"), path.string());

    // Creation that fails (the folder does not exist): the message, nothing changed.
    Answer yes2{true, {}};
    SetteiSwitch failed = switchSetteiFile("2", dir / "nofolder" / "x.mtt", yes2.fn());
    EXPECT_FALSE(failed.switched);
    EXPECT_EQ(failed.messages, (std::vector<std::string>{"ファイルが作成できません。\n" + (dir / "nofolder" / "x.mtt").string() +
                                                          "\n保存先のフォルダーがありません。"}));
    EXPECT_EQ(Profile::user().getString("MSettei_Section", "MSettei_File"), path.string());
}

TEST(FileChooser, UnreadableFileIsNeverOfferedForCreation) {
    ScopedProfileHome home;
    TempDir dir;
    fs::create_directory(dir / "odd.rab");
    Answer yes{true, {}};
    RoumuSwitch s = switchRoumuFile(dir / "odd.rab", yes.fn());
    EXPECT_FALSE(s.switched);
    EXPECT_TRUE(yes.asked.empty());
    EXPECT_EQ(s.messages, (std::vector<std::string>{(dir / "odd.rab").string() + "ファイルを読み込めません。"}));
    EXPECT_TRUE(fs::is_directory(dir / "odd.rab"));
    EXPECT_FALSE(Profile::user().has("Roumu_Section", "Roumu_File"));
}

TEST(FileChooser, OtherModeDoesNothing) {
    ScopedProfileHome home;
    TempDir dir;
    Answer yes{true, {}};
    SetteiSwitch s = switchSetteiFile("", dir / "x.ett", yes.fn());
    EXPECT_FALSE(s.switched);
    EXPECT_TRUE(yes.asked.empty());
    EXPECT_FALSE(fs::exists(dir / "x.ett"));
}

TEST(FileChooser, LabourFileSwitch) {
    ScopedProfileHome home;
    TempDir dir;
    RoumuList two;
    two.add(*RoumuRecord::build("1", "a", "1", "2"));
    two.add(*RoumuRecord::build("2", "b", "3", "4"));
    ASSERT_TRUE(writeRoumuFile(dir / "two.rab", two));
    Answer no{false, {}};
    RoumuSwitch s = switchRoumuFile(dir / "two.rab", no.fn());
    EXPECT_TRUE(s.switched);
    EXPECT_EQ(s.list, two);
    EXPECT_EQ(Profile::user().getString("Roumu_Section", "Roumu_File"), (dir / "two.rab").string());

    Answer yes{true, {}};
    RoumuSwitch fresh = switchRoumuFile(dir / "fresh.RAB", yes.fn());
    EXPECT_TRUE(fresh.switched);
    EXPECT_TRUE(fresh.list.empty());
    EXPECT_EQ(yes.asked.size(), 1u);

    std::string many;
    for (int i = 0; i < 101; ++i)
        many += RoumuRecord().fileRecord();
    ASSERT_TRUE(kiv::files::writeFileAtomically(dir / "many.rab", many));
    RoumuSwitch cut = switchRoumuFile(dir / "many.rab", no.fn());
    EXPECT_TRUE(cut.switched);
    EXPECT_EQ(cut.list.count(), 100u);
    EXPECT_EQ(cut.messages, (std::vector<std::string>{roumuFileTooLongMessage()}));
}
