// The starter set of reference files shipped with the program (dist/reference): it names every
// file an estimate reads by default, the build puts it beside the program, and with it in the
// program's folder a first estimate, new or opened, comes up without a word about missing files,
// while a file taken away is still reported by name.
#include "ShellFixture.h"

#include "estimate/ReferenceFile.h"

#include <set>

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
namespace fs = std::filesystem;

namespace {

const fs::path kStarterSet = KIV_STARTER_SET;

std::set<std::string> starterNames() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(kStarterSet))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(StarterSet, IsTheEmptyFileOfEachDefaultName) {
    std::set<std::string> defaults;
    for (ReferenceFile which : {ReferenceFile::Roumu, ReferenceFile::ElectricSettei, ReferenceFile::MechanicalSettei,
                                ReferenceFile::Hedder, ReferenceFile::HyousiForm})
        defaults.insert(referenceFileInfo(which).defaultName);
    EXPECT_EQ(starterNames(), defaults);
    // Empty, as a settings chooser creates a new file: an empty labour list, a record of blanks.
    for (const std::string& name : starterNames())
        EXPECT_EQ(fs::file_size(kStarterSet / name), 0u) << name;
}

TEST(StarterSet, TheBuildPutsItBesideTheProgram) {
    // The tests are built into the program's folder, so theirs is the program's.
    const fs::path dir = files::programDirectory();
    for (const std::string& name : starterNames())
        EXPECT_TRUE(fs::is_regular_file(dir / name)) << (dir / name);
}

class StarterSetTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        // The program's folder holds the shipped files and nothing else.
        for (const auto& entry : fs::directory_iterator(exeDir.path()))
            fs::remove(entry.path());
        restoreStarterSet();
    }
    void restoreStarterSet() {
        for (const std::string& name : starterNames())
            if (!fs::exists(exeDir / name))
                fs::copy_file(kStarterSet / name, exeDir / name);
    }
    CKivDoc* estimate(std::size_t i) { return i < documents().size() ? dynamic_cast<CKivDoc*>(documents()[i]) : nullptr; }
};

TEST_F(StarterSetTest, FirstEstimatesInEitherModeRaiseNoPrompt) {
    for (const std::string mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        const std::size_t promptsBefore = hb().prompts().size();
        ASSERT_EQ(start(mode), 0);
        hb().sendCommand(cmd::FileNew);
        const fs::path path = writeEstimate(mode == "1" ? "first.KIV" : "first.MES");
        hb().expectFile(path);
        hb().sendCommand(cmd::FileOpen);

        ASSERT_EQ(documents().size(), 2u);
        EXPECT_EQ(estimate(1)->GetPathName(), path.string());
        for (std::size_t i = 0; i < 2; ++i) {
            CKivDoc* doc = estimate(i);
            ASSERT_NE(doc, nullptr);
            EXPECT_TRUE(doc->m_RoumuRead && doc->m_SetteiRead && doc->m_HedderRead && doc->m_HyousiRead) << i;
            EXPECT_EQ(doc->m_SetteiPath, exeDir / (mode == "1" ? "電気設定.ett" : "機械設定.mtt"));
            EXPECT_TRUE(doc->m_Roumu.empty());
        }
        // The only prompt was the file dialog; no estimate message reached the user.
        ASSERT_EQ(hb().prompts().size(), promptsBefore + 1);
        EXPECT_EQ(hb().prompts().back().kind, "file");
        EXPECT_TRUE(KivRecordedMessages().empty());
        app.reset();
    }
}

TEST_F(StarterSetTest, ARemovedFileIsStillReportedWhenAnEstimateIsCreated) {
    struct Case {
        const char* mode;
        const char* removed;
        bool reported;   // the other mode's settings file is never read
    } cases[] = {
        {"1", "労務単価.rab", true}, {"1", "電気設定.ett", true}, {"2", "機械設定.mtt", true},
        {"2", "ヘッダー.hdr", true}, {"1", "表紙.frm", true},    {"2", "電気設定.ett", false},
        {"1", "機械設定.mtt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.removed);
        restoreStarterSet();
        ASSERT_TRUE(fs::remove(exeDir / c.removed));
        const std::size_t before = hb().messageTexts().size();
        ASSERT_EQ(start(c.mode), 0);
        if (c.reported)
            hb().expectMessageBox(IDOK);
        hb().sendCommand(cmd::FileNew);
        EXPECT_EQ(documents().size(), 1u);
        const std::vector<std::string> texts = hb().messageTexts();
        const std::vector<std::string> shown(texts.begin() + static_cast<std::ptrdiff_t>(before), texts.end());
        if (c.reported)
            EXPECT_EQ(shown, std::vector<std::string>{std::string("デフォルトで") + c.removed +
                                                      "ファイルが存在しません設定しなおしてください。"});
        else
            EXPECT_TRUE(shown.empty());
        app.reset();
    }
}

} // namespace
