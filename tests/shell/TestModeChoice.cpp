// The estimating mode: the first-start choice (asked before any window exists, stored, and the
// run ends), a stored value that is no mode, the mode change of the main menu, the choice
// dialog's boxes, and the About box.
#include "ShellFixture.h"

#include "resources/ShellDialogs.h"
#include "shell/MainFrame.h"
#include "shell/SelectDialog.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
using Driver = kiv::ui::headless::DialogDriver;

namespace {

const char* const kAsk = "使用には電気設備か機械設備積算の選択が必要です。どちらか選択してください。";
const char* const kRestart = "選択を有効にする為、アプリケーションを終了します。再起動してください。";
const char* const kInvalidEnd =
    "選択が正しくありませんので終了します。アプリケーションを再起動して電気設備か機械設備積算を選択してください。";
const char* const kCancelEnd =
    "選択がキャンセルされましたので終了します。アプリケーションを再起動して電気設備か機械設備積算を選択してください。";

class ModeChoiceTest : public ShellTest {};

// Every start without a valid mode asks, stores a valid answer and ends cleanly with no window.
TEST_F(ModeChoiceTest, FirstStartAsksStoresAndEnds) {
    struct Case {
        const char* stored;                        // nullptr: nothing stored
        std::function<void(Driver&)> script;
        const char* message;
        const char* result;                        // the stored mode afterwards
    } cases[] = {
        {nullptr, [](Driver& d) { d.click(res::IDC_DENKI).click(IDOK); }, kRestart, "1"},
        {"", [](Driver& d) { d.click(res::IDC_KIKAI).click(IDOK); }, kRestart, "2"},
        {"3", [](Driver& d) { d.click(res::IDC_DENKI).click(res::IDC_KIKAI).click(IDOK); }, kRestart, "2"},
        {"12", [](Driver& d) { d.click(IDOK); }, kInvalidEnd, "12"},
        {nullptr, [](Driver& d) { d.click(res::IDC_KIKAI).click(IDCANCEL); }, kCancelEnd, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored ? c.stored : "none") + " -> " + c.result);
        profile().removeEntry("Select_Section", "Select");
        if (c.stored)
            storeMode(c.stored);
        hb().expectMessageBox(IDOK, kAsk);
        hb().expectDialog([&](Driver& d) {
            // Asked before anything else exists, with neither box ticked.
            EXPECT_EQ(app->mainFrame(), nullptr);
            EXPECT_TRUE(app->docTemplates().empty());
            EXPECT_EQ(d.dialog().isChecked(res::IDC_DENKI), 0);
            EXPECT_EQ(d.dialog().isChecked(res::IDC_KIKAI), 0);
            c.script(d);
        }, res::IDD_SELECT);
        hb().expectMessageBox(IDOK, c.message);
        EXPECT_EQ(start(""), 0);
        EXPECT_TRUE(app->quitRequested());
        EXPECT_EQ(app->mainFrame(), nullptr);
        EXPECT_EQ(app->m_Mode, "");
        EXPECT_EQ(profile().getString("Select_Section", "Select"), c.result);
        EXPECT_EQ(hb().messageTexts().back(), c.message);
        app.reset();
    }
    // The next start runs in the mode chosen.
    storeMode("2");
    ASSERT_EQ(start(""), 0);
    ASSERT_NE(app->mainFrame(), nullptr);
    EXPECT_EQ(modePane(), "機械設備積算");
}

// A profile that cannot be read is said once; the run goes on with defaults (here: the first-start
// choice, as no mode can be read) and leaves the file exactly as it was.
TEST_F(ModeChoiceTest, AnUnreadableProfileIsSaidOnceAndLeftAlone) {
    const auto file = profile::Profile::userProfilePath();
    std::string big = "[Select_Section]\nSelect=1\n";
    big.resize(profile::Profile::kMaxBytes + 1, ';');
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(files::writeFileAtomically(file, big));

    hb().expectMessageBox(IDOK, file.string());
    hb().expectMessageBox(IDOK, kAsk);
    hb().expectDialog([](Driver& d) { d.click(res::IDC_DENKI).click(IDOK); }, res::IDD_SELECT);
    hb().expectMessageBox(IDOK, kRestart);
    EXPECT_EQ(start(""), 0);
    EXPECT_TRUE(app->quitRequested());
    app.reset();
    ASSERT_EQ(hb().messageTexts().size(), 3u);
    EXPECT_EQ(hb().messageTexts()[0], profile().unreadableMessage());
    EXPECT_EQ(files::readFile(file, 64u * 1024 * 1024), big);
}

TEST_F(ModeChoiceTest, BoxesActAsAChoiceOfOne) {
    CSelectDialog dlg;
    dlg.m_Value = "2";
    hb().expectDialog([](Driver& d) {
        auto& s = static_cast<CSelectDialog&>(d.dialog());
        EXPECT_EQ(s.isChecked(res::IDC_KIKAI), 1);   // the preset is ticked
        EXPECT_EQ(s.isChecked(res::IDC_DENKI), 0);
        d.click(res::IDC_DENKI);
        EXPECT_EQ(s.isChecked(res::IDC_DENKI), 1);
        EXPECT_EQ(s.isChecked(res::IDC_KIKAI), 0);
        EXPECT_EQ(s.m_Value, "1");
        d.click(res::IDC_DENKI);   // ticking the ticked box leaves it ticked
        EXPECT_EQ(s.isChecked(res::IDC_DENKI), 1);
        EXPECT_EQ(s.m_Denki, 1);
        EXPECT_EQ(s.m_Kikai, 0);
        d.click(IDOK);
    });
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.m_Value, "1");
    EXPECT_EQ(dlg.dialogTemplate().title, "積算の選択");
}

TEST_F(ModeChoiceTest, ModeChangeStoresAndClosesOrGoesOn) {
    ASSERT_EQ(start("1"), 0);
    hb().sendCommand(cmd::FileNew);

    // Cancel and OK without a choice leave everything as it was.
    hb().expectDialog([](Driver& d) {
        EXPECT_EQ(d.dialog().isChecked(res::IDC_DENKI), 1);   // preset with the run's mode
        d.click(IDCANCEL);
    });
    hb().expectMessageBox(IDOK, "選択がキャンセルされましたので中止します。");
    hb().sendCommand(32874);
    auto* dlgFrame = static_cast<CMainFrame*>(app->mainFrame());
    EXPECT_EQ(dlgFrame->m_Mode, "");
    hb().expectDialog([](Driver& d) {
        // A choice refused by clearing the preset tick is no mode.
        auto& s = static_cast<CSelectDialog&>(d.dialog());
        s.m_Value.clear();
        d.click(IDOK);
    });
    hb().expectMessageBox(IDOK, "選択が正しくありませんので中止します。");
    hb().sendCommand(32874);
    EXPECT_EQ(profile().getString("Select_Section", "Select"), "1");
    EXPECT_FALSE(hb().quitRequested());

    // A new mode is stored at once; the program closes (asking about the modified estimate)
    // and the run's mode stays until then.
    app->documents()[0]->setModifiedFlag();
    hb().expectDialog([](Driver& d) { d.click(res::IDC_KIKAI).click(IDOK); });
    hb().expectMessageBox(IDOK, kRestart);
    hb().expectMessageBox(IDNO, "変更を保存しますか");
    hb().sendCommand(32874);
    EXPECT_EQ(profile().getString("Select_Section", "Select"), "2");
    EXPECT_EQ(app->m_Mode, "1");
    EXPECT_EQ(CKivDoc::RunMode(), "1");
    EXPECT_EQ(modePane(), "電気設備積算");
    EXPECT_TRUE(hb().quitRequested());
}

TEST_F(ModeChoiceTest, AboutBox) {
    ASSERT_EQ(start("1"), 0);
    hb().expectDialog([](Driver& d) { d.click(IDOK); }, res::IDD_ABOUTBOX);
    hb().sendCommand(cmd::AppAbout);
    EXPECT_EQ(hb().prompts().back().kind, "dialog");
}

} // namespace
