// 印刷フォント指定: the message, the font dialog, what the profile keeps, and the face of the next
// print job's fonts; the installed face that draws a chosen face.
#include "print/PrintFixture.h"

#include "platform/profile/Profile.h"

namespace kivtest {
namespace {

using Kind = CInsatuDialog;

class KivPrintFont : public PrintFixture {
protected:
    std::string storedFace() { return kiv::profile::Profile::user().getString("Font_Section", "Font_File", "<none>"); }
    void chooseFont(std::optional<kiv::ui::Font> answer) {
        backend.expectMessageBox(kiv::ui::IDOK,
                                 "フォント選択は固定幅（例ＭＳ明朝、ＭＳゴシック等）を選択してください。大きさは変更されません");
        backend.expectFont(std::move(answer));
        view->onCommand(ID_INSATU_FONT);
    }
};

TEST_F(KivPrintFont, OkStoresTheFaceOnlyAndTheNextJobUsesIt) {
    open(itemsOf({3}));
    const std::size_t before = backend.prompts().size();
    kiv::ui::Font chosen;
    chosen.face = "DejaVu Sans Mono";
    chosen.height = -20;
    chosen.weight = 700;
    chosen.italic = true;
    chooseFont(chosen);
    // The message with the program's name as caption, then the dialog from the system fixed font.
    const auto& prompts = backend.prompts();
    ASSERT_EQ(prompts.size(), before + 2);
    EXPECT_EQ(prompts[before].kind, "message");
    EXPECT_EQ(prompts[before].caption, "kiv");
    EXPECT_EQ(prompts[before + 1].kind, "font");
    EXPECT_EQ(prompts[before + 1].text, kiv::ui::Font::systemFixed().face);
    EXPECT_EQ(storedFace(), "DejaVu Sans Mono");
    EXPECT_FALSE(kiv::profile::Profile::user().has("Font_Section", "Font_Size"));

    // Every font of the next job carries the face; the heights, weight and style are the
    // printers' own.
    const PrintedJob& job = print();
    ASSERT_FALSE(job.pages.at(0).texts.empty());
    for (const PrintedText& t : job.pages[0].texts) {
        EXPECT_EQ(t.font.face, "DejaVu Sans Mono");
        EXPECT_EQ(t.font.weight, 400);
        EXPECT_FALSE(t.font.italic);
    }
    const PrintedText* row = job.pages[0].find("I1R1");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->font.height, 83);
    EXPECT_EQ(row->x, 15 * 42);

    // The sheet's title and page number too.
    open({itemRow(1, 1, {{GyouRecord::Hinmei, "C"}, {GyouRecord::FukuHyouji, "1"}})});
    const PrintedJob& sheet = print({Kind::IDC_FUKUGOU_TANKAHYOU});
    for (const PrintedText& t : sheet.pages.at(0).texts)
        EXPECT_EQ(t.font.face, "DejaVu Sans Mono");
}

TEST_F(KivPrintFont, CancelKeepsThePreviousFace) {
    open(itemsOf({1}));
    kiv::profile::Profile::user().writeString("Font_Section", "Font_File", "Previous Face");
    chooseFont(std::nullopt);
    EXPECT_EQ(storedFace(), "Previous Face");
    // Without any choice a job prints in ＭＳ ゴシック.
    kiv::profile::Profile::user().removeEntry("Font_Section", "Font_File");
    EXPECT_EQ(print().pages.at(0).texts.at(0).font.face, "ＭＳ ゴシック");
}

TEST(InstalledFace, PlatformFacesAndMissingFacesDrawInIpaGothic) {
    const auto all = [](std::string_view) { return true; };
    const auto none = [](std::string_view) { return false; };
    EXPECT_EQ(kiv::ui::installedFaceFor("ＭＳ ゴシック", all), "IPAGothic");
    EXPECT_EQ(kiv::ui::installedFaceFor("ＭＳ明朝", all), "IPAGothic");
    EXPECT_EQ(kiv::ui::installedFaceFor("", all), "IPAGothic");
    EXPECT_EQ(kiv::ui::installedFaceFor("DejaVu Sans Mono", all), "DejaVu Sans Mono");
    EXPECT_EQ(kiv::ui::installedFaceFor("DejaVu Sans Mono", none), "IPAGothic");
    EXPECT_EQ(kiv::ui::installedFaceFor("DejaVu Sans Mono"), "IPAGothic");
}

} // namespace
} // namespace kivtest
