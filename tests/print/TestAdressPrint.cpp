// 封筒に印刷: the layout read when the dialog is shown, the fonts, units and places of every field
// on the recorded page, and the turned text of the print layer that envelopes use.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/files/Files.h"
#include "platform/print/PrinterDc.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "print/AdressPrintDialog.h"
#include "print/AdressPrintRecord.h"
#include "support/HeadlessUi.h"
#include "support/TempDir.h"

using namespace kiv::ui;
using namespace adressprint;
using Driver = kiv::ui::headless::DialogDriver;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

class AdressPrintTest : public ::testing::Test {
protected:
    AdressPrintTest() {
        CAdressPrintDialog::ResetEnvelopeSettings();
        layout = dir.path() / "layout.aps";
        kiv::profile::Profile::user().writeString("AdressPrint_Section", "AdressPrint_Set", layout.string());
        f[Company] = sj("自社");
        f[SenderPostcode] = "123-4567";
        f[Comment] = sj("親展");
        f[Honorific] = sj("様");
        place(Name, "500", "300", "10", "0");
        place(Postcode, "10", "20", "10", "");
        place(CommentLine, "30", "40", "10", "1");
        place(CompanyLine, "100", "200", "12", "0");
        place(SenderPostcodeLine, "x", "5", "10", "0");
        save();
    }
    void place(int group, const char* x, const char* y, const char* size, const char* vertical) {
        f[groupField(group, X)] = x;
        f[groupField(group, Y)] = y;
        f[groupField(group, adressprint::Size)] = size;
        f[groupField(group, Vertical)] = vertical;
    }
    void save() { std::ofstream(layout, std::ios::binary) << formatRecord(f); }
    // Shows the dialog with the recipient's texts, runs `script`, returns the printed jobs.
    void run(const std::function<void(Driver&)>& script) {
        ui.backend.expectDialog(script, CAdressPrintDialog::kDialogId);
        CAdressPrintDialog d;
        d.m_Name = sj("東西商事");
        d.m_Address = sj("東京都");
        d.m_Postcode = "1234567";
        d.doModal();
    }
    const kiv::ui::headless::PrintedPage& onlyPage() {
        const auto& jobs = ui.backend.printJobs();
        EXPECT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs.back().pages.size(), 1u);
        EXPECT_TRUE(jobs.back().ended);
        return jobs.back().pages.front();
    }

    kiv::test::HeadlessUi ui;
    kiv::test::TempDir dir;
    fs::path layout;
    Fields f;
};

TEST_F(AdressPrintTest, RecipientSidePlacesEachFieldByItsUnits) {
    run([&](Driver& dr) {
        EXPECT_EQ(dr.text(1298), sj("自社") + std::string(36, ' '));
        EXPECT_EQ(dr.text(1288), sj("親展") + std::string(16, ' '));
        ui.backend.expectPrintDialog([](kiv::print::PrintSettings&) { return true; });
        dr.click(CAdressPrintDialog::kAtesakiPrint).click(IDOK);
    });
    const auto& page = onlyPage();
    // A4 portrait: 4724 dots across, so size 10 is a 40-dot font, average width 20: char unit 2,
    // line unit 4, pitch 8. X 500, Y 300 -> (1000, trunc(2400 + 2.8)).
    const auto* name = page.at(1000, 2402);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, sj("東西商事様") + "  ");
    EXPECT_EQ(name->font.height, 40);
    EXPECT_EQ(name->font.face, "ＭＳ ゴシック");
    EXPECT_EQ(name->font.escapement, 1800);
    // The postcode spaced; X 10, Y 20 -> (20, trunc(160 + 2.8)).
    const auto* code = page.at(20, 162);
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->text, "1 2 3 4 5 6 7 ");
    // The vertical comment: the "@" face at 900.
    const auto* comment = page.at(60, 322);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->text, sj("親展") + std::string(16, ' '));
    EXPECT_EQ(comment->font.face, "@ＭＳ ゴシック");
    EXPECT_EQ(comment->font.escapement, 900);
    // Six fields in order, the empty ones drawn as nothing.
    EXPECT_EQ(page.texts.size(), 4u);
    EXPECT_EQ(page.texts[1].text, sj("東京都"));
    // A field of size 0 gets the default height.
    EXPECT_EQ(page.texts[1].font.height, CAdressPrintDialog::kDefaultFontHeight);
}

TEST_F(AdressPrintTest, SenderSideAndWhatWasTypedPrint) {
    run([&](Driver& dr) {
        dr.type(1298, "NEW CO");
        ui.backend.expectPrintDialog([](kiv::print::PrintSettings&) { return true; });
        dr.click(CAdressPrintDialog::kSyameiPrint).click(IDCANCEL);
    });
    const auto& page = onlyPage();
    // Size 12: 48-dot font, width 24 -> char unit 2, line unit 4, pitch 8.
    const auto* company = page.at(200, 1602);
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->text, "NEW CO");
    EXPECT_EQ(company->font.height, 48);
    // The sender postcode as stored, its X not a number: x 0.
    const auto* code = page.at(0, 42);
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->text, "123-4567");
}

TEST_F(AdressPrintTest, CancelOrNoLayoutPrintsNothing) {
    run([&](Driver& dr) {
        ui.backend.expectPrintDialog([](kiv::print::PrintSettings&) { return false; });
        dr.click(CAdressPrintDialog::kAtesakiPrint).click(IDOK);
    });
    EXPECT_TRUE(ui.backend.printJobs().empty());
    // A missing layout: the question (Cancel: nothing created), then the blank layout, whose sizes
    // are all 0, prints nothing and says so before any print dialog.
    fs::remove(layout);
    ui.backend.expectMessageBox(IDCANCEL, "layout.apsファイルが存在しません。新しくファイルを作成しますか？");
    run([&](Driver& dr) {
        ui.backend.expectMessageBox(IDOK, "封筒の印刷フォームが設定されていません。相手先登録の印刷設定で設定してください。");
        dr.click(CAdressPrintDialog::kAtesakiPrint);
        ui.backend.expectMessageBox(IDOK, "封筒の印刷フォームが設定されていません。");
        dr.click(CAdressPrintDialog::kSyameiPrint).click(IDOK);
    });
    EXPECT_TRUE(ui.backend.printJobs().empty());
    EXPECT_FALSE(fs::exists(layout));
}

TEST(AdressPrintPostcode, ABlankFollowsEachOfTheFirstSevenBytes) {
    for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
             {"1234567", "1 2 3 4 5 6 7 "}, {"123-4567", "1 2 3 - 4 5 6 7"}, {"12", "1 2      "}, {"", "       "}})
        EXPECT_EQ(CAdressPrintDialog::SpacedPostcode(in), out) << in;
}

// Records where each character of a turned text lands and how it is turned.
class TurnDc : public kiv::print::PrinterDc {
public:
    TurnDc() : PrinterDc(kiv::print::deviceGeometry(kiv::print::Paper::A4, kiv::print::Orientation::Portrait)) {}
    struct Glyph {
        Rect cell;
        int turns;
    };
    std::vector<Glyph> glyphs;

protected:
    void fill(const Rect&, Color) override {}
    void line(Point, Point, const Pen&) override {}
    void frame(const Rect&, const Pen&) override {}
    void glyph(const Rect& cell, std::string_view, std::string_view, const Font&, Color) override {
        glyphs.push_back({cell, 0});
    }
    void turnedGlyph(const Rect& cell, int turns, std::string_view, std::string_view, const Font&, Color) override {
        glyphs.push_back({cell, turns});
    }
};

TEST(TurnedText, HorizontalAt1800AndSidewaysFaceAt900) {
    TurnDc dc;
    Font font;
    font.height = 40; // cells 20 wide per byte
    font.escapement = 1800;
    dc.selectFont(font);
    dc.textOut(1000, 500, "AB");
    ASSERT_EQ(dc.glyphs.size(), 2u);
    // Turned half a turn about (1000, 500): extending left and up.
    EXPECT_EQ(dc.glyphs[0].cell, (Rect{980, 460, 1000, 500}));
    EXPECT_EQ(dc.glyphs[1].cell, (Rect{960, 460, 980, 500}));
    EXPECT_EQ(dc.glyphs[0].turns, 2);
    // Vertical writing turned half a turn: upward, the column right of x; full-width characters
    // upside down, half-width ones on their side.
    dc.glyphs.clear();
    font.face = "@ＭＳ ゴシック";
    font.escapement = 900;
    dc.selectFont(font);
    dc.textOut(1000, 500, sj("東") + "1");
    ASSERT_EQ(dc.glyphs.size(), 2u);
    EXPECT_EQ(dc.glyphs[0].cell, (Rect{1000, 460, 1040, 500}));
    EXPECT_EQ(dc.glyphs[0].turns, 2);
    EXPECT_EQ(dc.glyphs[1].cell, (Rect{1000, 440, 1040, 460}));
    EXPECT_EQ(dc.glyphs[1].turns, 1);
}

} // namespace
