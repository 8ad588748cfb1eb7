// The estimate print job as a user runs it: 印刷設定 and its kind boxes, the recalculation of
// the preparation, Cancel in each dialog, 総括表印刷, the preview, direct printing, a PDF that
// cannot be written, and the rows' printing rules (quantity one, lump-sum labour, 金抜き,
// the composite style, remarks 2, half characters).
#include "print/PrintFixture.h"

#include <algorithm>
#include <cerrno>

#include "platform/files/Files.h"
#include "support/TempDir.h"
#include "platform/print/PrintJob.h"

namespace kivtest {
namespace {

using Kind = CInsatuDialog;
using kiv::print::PreviewState;
using kiv::ui::headless::PreviewDriver;

class KivPrintJob : public PrintFixture {};

TEST_F(KivPrintJob, KindClicksChangeOnlyTheKindBoxes) {
    open(itemsOf({1}));
    backend.expectDialog(
        [](kiv::ui::headless::DialogDriver& d) {
            auto& dlg = d.dialog();
            EXPECT_EQ(dlg.isChecked(Kind::IDC_UTIWAKE), 1);
            d.click(Kind::IDC_KANENUKI).click(Kind::IDC_BIKOU2).click(Kind::IDC_HYOUSI_UTIWAKE);
            EXPECT_EQ(dlg.isChecked(Kind::IDC_UTIWAKE), 0);
            EXPECT_EQ(dlg.isChecked(Kind::IDC_HYOUSI_UTIWAKE), 1);
            EXPECT_EQ(dlg.isChecked(Kind::IDC_KANENUKI), 1) << "an option ticked before a kind click stays ticked";
            EXPECT_EQ(dlg.isChecked(Kind::IDC_BIKOU2), 1);
            // Clicking the ticked kind leaves it ticked: no kind can be unticked.
            d.click(Kind::IDC_HYOUSI_UTIWAKE);
            EXPECT_EQ(dlg.isChecked(Kind::IDC_HYOUSI_UTIWAKE), 1);
            d.click(Kind::IDC_HYOUSI_UTIWAKE_A4);
            int ticked = 0;
            for (int id : {Kind::IDC_UTIWAKE, Kind::IDC_HYOUSI_UTIWAKE, Kind::IDC_HYOUSI, Kind::IDC_UTIWAKE_A4,
                           Kind::IDC_HYOUSI_UTIWAKE_A4, Kind::IDC_FUKUGOU_TANKAHYOU, Kind::IDC_SOUKATUHYOU})
                ticked += dlg.isChecked(id);
            EXPECT_EQ(ticked, 1);
            d.click(kiv::ui::IDOK);
        },
        Kind::IDD);
    answerPrintDialog();
    view->onCommand(kiv::ui::cmd::FilePrint);
    ASSERT_EQ(backend.printJobs().size(), 1u);
    // A4縦表紙付: the A4 layout with the cover block, and the options as ticked.
    EXPECT_EQ(state().m_InsatuA4, 1);
    EXPECT_EQ(state().m_InsatuHyousiTuki, 1);
    EXPECT_EQ(state().m_InsatuKanenuki, 1);
    EXPECT_EQ(g_bInsatuBikou2, 1);
    EXPECT_EQ(backend.printJobs()[0].settings.orientation, kiv::print::Orientation::Portrait);

    // The next job's dialog opens afresh: 内訳書印刷 and no option.
    backend.expectDialog(
        [](kiv::ui::headless::DialogDriver& d) {
            EXPECT_EQ(d.dialog().isChecked(Kind::IDC_UTIWAKE), 1);
            EXPECT_EQ(d.dialog().isChecked(Kind::IDC_KANENUKI), 0);
            d.click(kiv::ui::IDOK);
        },
        Kind::IDD);
    answerPrintDialog();
    view->onCommand(kiv::ui::cmd::FilePrint);
    EXPECT_EQ(state().m_InsatuA4, 0);
    EXPECT_EQ(g_bInsatuBikou2, 0);
}

TEST_F(KivPrintJob, PreparationRecalculatesEveryItemTwiceFromTheLast) {
    open(itemsOf({2, 3, 1}));
    std::vector<int> recalculated;
    int flagsCleared = 0, missingCleared = 0;
    recalcSeams().recalcKoumoku = [&](CKivView&) { recalculated.push_back(doc->m_CurKoumoku[0]); };
    recalcSeams().clearKeisanMissing = [&](CKivView&) { ++missingCleared; };
    recalcSeams().clearKeisanGyouFlags = [&](CKivView&) {
        ++flagsCleared;
        EXPECT_EQ(recalculated.size(), 6u) << "the flags are cleared after the pass";
    };
    doc->m_NeedRecalc = 1;
    print();
    EXPECT_EQ(recalculated, (std::vector<int>{3, 3, 2, 2, 1, 1}));
    EXPECT_EQ(missingCleared, 1);
    EXPECT_EQ(flagsCleared, 1);
    EXPECT_EQ(doc->m_NeedRecalc, 0);
}

TEST_F(KivPrintJob, CancelInEachDialogEndsTheCommand) {
    open(itemsOf({3, 30}));
    // The cursor on item 2, row 25.
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    placeCursor(25, 4, GyouRecord::Hinmei);
    int recalcs = 0;
    recalcSeams().recalcKoumoku = [&](CKivView&) { ++recalcs; };
    auto expectEditingState = [&] {
        EXPECT_EQ(doc->m_CurKoumoku[0], 2);
        EXPECT_EQ(cursorRow(), 25);
        EXPECT_EQ(screenRow(), 4);
        EXPECT_EQ(field(), GyouRecord::Hinmei);
        EXPECT_EQ(GyouRecord::text(view->m_EditGyou, GyouRecord::Hinmei), "I2R25");
        EXPECT_TRUE(view->caret().visible);
        EXPECT_TRUE(backend.printJobs().empty());
    };

    // 印刷設定: no print dialog, nothing recalculated or printed.
    answerInsatu({Kind::IDC_HYOUSI}, false);
    view->onCommand(kiv::ui::cmd::FilePrint);
    expectEditingState();
    EXPECT_EQ(recalcs, 0);
    EXPECT_EQ(state().m_InsatuHyousi, 0) << "a cancelled dialog changes no kind";

    // The print dialog: the estimate was recalculated; the item and row come back.
    answerInsatu({});
    backend.expectPrintDialog([](kiv::print::PrintSettings&) { return false; });
    view->onCommand(kiv::ui::cmd::FilePrint);
    expectEditingState();
    EXPECT_EQ(recalcs, 4);

    // The preview is closed without printing.
    answerInsatu({});
    backend.expectPreview([](PreviewDriver& p) { p.press(PreviewState::Close); });
    view->onCommand(kiv::ui::cmd::FilePrintPreview);
    EXPECT_TRUE(backend.printJobs().empty());

    // Enter then moves on from the field on screen, as typing would continue there.
    placeCursor(25, 4, GyouRecord::Hinmei);
    enter();
    EXPECT_EQ(doc->m_CurKoumoku[0], 1) << "a finished preview ends on item 1";
}

TEST_F(KivPrintJob, FinishedJobEndsOnItemOneRowOne) {
    open(itemsOf({3, 30}));
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    placeCursor(25, 4, GyouRecord::Kikaku);
    print();
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(screenRow(), 1);
    EXPECT_EQ(topRows(), 0);
    EXPECT_EQ(field(), CKivView::m_FirstField);
    EXPECT_EQ(GyouRecord::text(view->m_EditGyou, GyouRecord::Hinmei), "I1R1");
    EXPECT_TRUE(view->caret().visible);
    // The grid keeps its screen metrics.
    EXPECT_EQ(view->m_CharWidth, kCharWidth);
    EXPECT_EQ(view->m_LineHeight, kLineHeight);
}

TEST_F(KivPrintJob, TheRowBeingEditedIsPrinted) {
    open(itemsOf({3}));
    placeCursor(2, 2, GyouRecord::Hinmei);
    GyouRecord::putText(view->m_EditGyou, GyouRecord::Hinmei, "EDITED");
    const PrintedJob& job = print();
    EXPECT_NE(job.pages[0].find("EDITED"), nullptr);
    EXPECT_EQ(job.pages[0].find("I1R2"), nullptr);
}

TEST_F(KivPrintJob, SoukatuhyouPrintsNothing) {
    open(itemsOf({25}));
    answerInsatu({Kind::IDC_SOUKATUHYOU});
    backend.expectMessageBox(kiv::ui::IDOK, "総括表印刷には印刷する内容がありません。");
    view->onCommand(kiv::ui::cmd::FilePrint);
    EXPECT_TRUE(backend.printJobs().empty());
    EXPECT_TRUE(view->caret().visible);
}

TEST_F(KivPrintJob, PreviewShowsOnlyThePagesOnScreenAndPrintRunsThePrintCommand) {
    open(itemsOf({10, 25, 5}));
    answerInsatu({});
    backend.expectPreview([](PreviewDriver& p) {
        EXPECT_EQ(p.state().pageCount(), 4);
        EXPECT_EQ(p.state().pageLabel(), "ページ 1 / 4");
        ASSERT_EQ(p.shown().size(), 1u);
        EXPECT_NE(p.shown()[0].find("I1R1"), nullptr);
        EXPECT_FALSE(p.press(PreviewState::Prev));
        EXPECT_TRUE(p.press(PreviewState::Next));
        EXPECT_TRUE(p.press(PreviewState::Next));
        EXPECT_EQ(p.state().pageLabel(), "ページ 3 / 4");
        EXPECT_NE(p.shown()[0].find("I2R21"), nullptr);
        EXPECT_NE(p.shown()[0].find("-3-"), nullptr);
        EXPECT_EQ(p.state().caption(PreviewState::OneTwo), "2ページ");
        EXPECT_TRUE(p.press(PreviewState::OneTwo));
        ASSERT_EQ(p.shown().size(), 2u);
        EXPECT_EQ(p.state().pageLabel(), "ページ 3-4 / 4");
        EXPECT_NE(p.shown()[1].find("I3R1"), nullptr);
        EXPECT_FALSE(p.press(PreviewState::Next));
        EXPECT_TRUE(p.press(PreviewState::ZoomIn));
        EXPECT_EQ(p.shown().size(), 1u) << "a magnified view shows one page";
        EXPECT_TRUE(p.press(PreviewState::ZoomIn));
        EXPECT_FALSE(p.press(PreviewState::ZoomIn));
        EXPECT_TRUE(p.press(PreviewState::ZoomOut));
        EXPECT_EQ(p.renders(1), 1);
        EXPECT_EQ(p.renders(2), 1);
        EXPECT_EQ(p.renders(4), 1);
        p.press(PreviewState::Print);
    });
    // 印刷... closes the preview and runs 印刷: 印刷設定 and the print dialog again.
    answerInsatu({});
    answerPrintDialog();
    view->onCommand(kiv::ui::cmd::FilePrintPreview);
    ASSERT_EQ(backend.printJobs().size(), 1u);
    EXPECT_EQ(backend.printJobs()[0].pages.size(), 4u);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
}

TEST_F(KivPrintJob, DirectPrintingUsesTheTargetChosenInTheRun) {
    open(itemsOf({2}));
    // Nothing chosen yet: as 印刷, with its dialog.
    answerInsatu({});
    backend.expectPrintDialog([](kiv::print::PrintSettings& s) {
        s.printerName = "office";
        s.paper = kiv::print::Paper::A3;
        s.copies = 2;
        return true;
    });
    view->onCommand(kiv::ui::cmd::FilePrintDirect);
    ASSERT_EQ(backend.printJobs().size(), 1u);
    // Then without a dialog, on that printer and paper.
    answerInsatu({Kind::IDC_UTIWAKE_A4});
    view->onCommand(kiv::ui::cmd::FilePrintDirect);
    ASSERT_EQ(backend.printJobs().size(), 2u);
    const PrintedJob& job = backend.printJobs()[1];
    EXPECT_EQ(job.settings.printerName, "office");
    EXPECT_EQ(job.settings.paper, kiv::print::Paper::A3);
    EXPECT_EQ(job.settings.copies, 2);
    EXPECT_EQ(job.settings.orientation, kiv::print::Orientation::Portrait);
    EXPECT_EQ(job.device.horzSizeMm, 287);   // A3 portrait: 297 mm less the margins
}

TEST_F(KivPrintJob, PageRangeOfThePrintDialog) {
    open(itemsOf({10, 25, 5}));
    answerInsatu({});
    backend.expectPrintDialog([](kiv::print::PrintSettings& s) {
        s.allPages = false;
        s.fromPage = 2;
        s.toPage = 3;
        return true;
    });
    view->onCommand(kiv::ui::cmd::FilePrint);
    ASSERT_EQ(backend.printJobs().size(), 1u);
    const PrintedJob& job = backend.printJobs()[0];
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_NE(job.pages[0].find("-2-"), nullptr);
    EXPECT_NE(job.pages[1].find("-3-"), nullptr);
}

TEST_F(KivPrintJob, PdfIsWrittenBesideItsNameOrNotAtAll) {
    open(itemsOf({3}));
    const std::filesystem::path pdf = exeDir / "out.pdf";
    answerInsatu({});
    answerPrintDialog(pdf);
    view->onCommand(kiv::ui::cmd::FilePrint);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(backend.messageTexts().size(), 0u) << "no \"b\" box when printing to a file";

    // A folder that does not exist: the message names the file, and the job did not run.
    const std::filesystem::path bad = exeDir / "missing" / "out.pdf";
    answerInsatu({});
    answerPrintDialog(bad);
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    view->onCommand(kiv::ui::cmd::FilePrint);
    EXPECT_NE(backend.messageTexts().back().find(bad.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_TRUE(view->caret().visible);

    // A name that cannot be replaced (a folder holding a file): what stood there stays whole.
    const std::filesystem::path taken = exeDir / "taken.pdf";
    std::filesystem::create_directory(taken);
    ASSERT_TRUE(kiv::files::writeFileAtomically(taken / "keep.txt", "keep"));
    answerInsatu({});
    answerPrintDialog(taken);
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    view->onCommand(kiv::ui::cmd::FilePrint);
    EXPECT_EQ(kiv::files::readFile(taken / "keep.txt"), std::optional<std::string>("keep"));
    for (const auto& e : std::filesystem::directory_iterator(exeDir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

    // A full disk, or no permission, for root too: the old file stays, the message names the file
    // and the reason.
    ASSERT_TRUE(kiv::files::writeFileAtomically(pdf, "old pdf"));
    const auto entries = std::distance(std::filesystem::directory_iterator(exeDir.path()), {});
    for (const auto& [err, reason] : {std::pair{ENOSPC, "ディスクの空き容量が不足しています。"},
                                      std::pair{EACCES, "書き込みが許可されていません。"}}) {
        ASSERT_TRUE(kiv::files::writeFileAtomically(pdf, "old pdf"));
        kiv::files::WriteFault fault(err);
        answerInsatu({});
        answerPrintDialog(pdf);
        backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。\n" + pdf.string() + "\n" + reason);
        view->onCommand(kiv::ui::cmd::FilePrint);
        EXPECT_EQ(kiv::files::readFile(pdf), std::optional<std::string>("old pdf"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(exeDir.path()), {}), entries);
    }
}

TEST(PrintFileTarget, OnlyAWholeFileFromAWriterThatEndedWellReplacesTheOldOne) {
    kiv::test::TempDir dir;
    const std::filesystem::path pdf = dir / "out.pdf";
    const std::string whole = "%PDF-1.4\n1 0 obj\n<<>>\nendobj\ntrailer\n<<>>\n%%EOF\n";
    const struct {
        const char* what;
        std::string written;
        bool writerOk, replaces;
    } cases[] = {
        {"whole", whole, true, true},
        {"cut short by a full disk", whole.substr(0, 20), true, false},
        {"empty", "", true, false},
        {"the writer failed", whole, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(kiv::files::writeFileAtomically(pdf, "old"));
        kiv::print::FileTarget target(pdf);
        ASSERT_TRUE(target.open());
        const std::filesystem::path tmp = target.tempPath();
        ASSERT_TRUE(kiv::files::writeFileAtomically(tmp, c.written));
        EXPECT_EQ(target.commit(c.writerOk, kiv::print::pdfLooksWhole), c.replaces);
        EXPECT_EQ(kiv::files::readFile(pdf), c.replaces ? c.written : std::string("old"));
        EXPECT_FALSE(std::filesystem::exists(tmp));
        if (!c.replaces)
            EXPECT_EQ(target.failure().rfind(pdf.string() + "\n", 0), 0u) << target.failure();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

// ---------------------------------------------------------------------------------------------
// The rows' printing rules, one small estimate each

struct RowCase {
    const char* what;
    std::vector<std::pair<int, std::string>> fields;
    std::vector<int> clicks;
    std::vector<std::string> printed;     // texts on the row line
    std::vector<std::string> notPrinted;  // texts that must not appear
};

TEST_F(KivPrintJob, RowRules) {
    const std::string hito = sj("人");
    const std::string shiki = sj("式");
    auto pad = [](int n, const std::string& s) { return std::string(static_cast<std::size_t>(n), ' ') + s; };
    // Texts as drawn: numbers grouped with their separator cells (quantity 10 cells, price 13,
    // amount 15), texts without their trailing blanks.
    const RowCase cases[] = {
        {"quantity one blanks the unit prices",
         {{GyouRecord::HiroidasiSuu1, "1.0"}, {GyouRecord::SekisanSuu1, "1"}, {GyouRecord::Tanka1, "5000"},
          {GyouRecord::Kingaku1, "5000"}},
         {},
         {pad(10, "5,000")},
         {pad(8, "5,000")}},   // the price column's form of 5,000
        {"quantity two prints its price",
         {{GyouRecord::HiroidasiSuu1, "2"}, {GyouRecord::SekisanSuu1, "2"}, {GyouRecord::Tanka1, "5000"},
          {GyouRecord::Kingaku1, "10000"}},
         {},
         {pad(8, "5,000"), pad(9, "10,000")},
         {}},
        {"labour row of 労務費1 prints 1 式",
         {{GyouRecord::BunNo, "9001"}, {GyouRecord::SekisanSuu1, "12.5"}, {GyouRecord::Tanni, hito},
          {GyouRecord::Tanka1, "19000"}, {GyouRecord::Kingaku1, "237500"}},
         {},
         {pad(9, "1"), shiki, pad(8, "237,500")},
         {pad(6, "12.5"), pad(7, "19,000"), hito}},
        {"labour row with 労務費を人で表示",
         {{GyouRecord::BunNo, "9001"}, {GyouRecord::SekisanSuu1, "12.5"}, {GyouRecord::Tanni, hito},
          {GyouRecord::Tanka1, "19000"}, {GyouRecord::Kingaku1, "237500"}},
         {CInsatuDialog::IDC_ROUMU_NIN},
         {pad(6, "12.5"), hito, pad(7, "19,000"), pad(8, "237,500")},
         {shiki}},
        {"金抜き leaves prices and amounts out",
         {{GyouRecord::SekisanSuu1, "3"}, {GyouRecord::Tanka1, "700"}, {GyouRecord::Kingaku1, "2100"}},
         {CInsatuDialog::IDC_KANENUKI},
         {pad(9, "3")},
         {pad(10, "700"), pad(10, "2,100")}},
        {"remarks 2",
         {{GyouRecord::Bikou1, "FIRST"}, {GyouRecord::Bikou2, "SECOND"}},
         {CInsatuDialog::IDC_BIKOU2},
         {"SECOND"},
         {"FIRST"}},
        {"remarks 1 again in the next job",
         {{GyouRecord::Bikou1, "FIRST"}, {GyouRecord::Bikou2, "SECOND"}},
         {},
         {"FIRST"},
         {"SECOND"}},
        {"a half character at a field's end prints a blank",
         {{GyouRecord::Kikaku, "ABCDEFGHIJKLMNOPQRSTUVWXYZABC" + sj("鋼").substr(0, 1)}},
         {},
         {"ABCDEFGHIJKLMNOPQRSTUVWXYZABC"},
         {"ABCDEFGHIJKLMNOPQRSTUVWXYZABC" + sj("鋼").substr(0, 1)}},
        {"a number field holding no number prints as stored",
         {{GyouRecord::SekisanSuu1, "abc"}},
         {},
         {pad(7, "abc")},
         {}},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.what);
        open({itemRow(1, 1, c.fields)});
        doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::Roumuhi1)] = 9001;
        const PrintedJob& job = print(c.clicks);
        ASSERT_EQ(job.pages.size(), 1u);
        std::vector<std::string> row;
        for (const PrintedText& t : job.pages[0].texts)
            if (t.y == 800)
                row.push_back(t.text);
        auto has = [&](const std::string& s) { return std::find(row.begin(), row.end(), s) != row.end(); };
        for (const std::string& s : c.printed)
            EXPECT_TRUE(has(s)) << "missing \"" << s << "\"";
        for (const std::string& s : c.notPrinted)
            EXPECT_FALSE(has(s)) << "printed \"" << s << "\"";
        // The document keeps its rows as they were.
        EXPECT_EQ(doc->PoolGyou(0), itemRow(1, 1, c.fields));
    }
}

TEST_F(KivPrintJob, CompositeStyleShowsTheCompositePriceUnderTheSameCaption) {
    open({itemRow(1, 1, {{GyouRecord::SekisanSuu1, "2"}, {GyouRecord::Tanka1, "100"},
                         {GyouRecord::FukugouTanka1, "250"}, {GyouRecord::Kingaku1, "500"}})});
    doc->m_SetteiValues.SekisanYousiki = 1;
    const PrintedJob& job = print();
    const PrintedPage& page = job.pages[0];
    EXPECT_NE(page.find(sj("単　　価")), nullptr);
    EXPECT_NE(page.at(static_cast<int>((93 - 0.5) * 42), 800), nullptr);
    EXPECT_EQ(page.at(static_cast<int>((93 - 0.5) * 42), 800)->text, std::string(10, ' ') + "250");
    EXPECT_EQ(page.findContaining("100"), nullptr);
}

TEST_F(KivPrintJob, CoverBlockLines) {
    open(itemsOf({1}));
    HyousiLayout& h = doc->m_HyousiLayout;
    h.midasi = {sj("御見積書"), {5, 1, 2}};
    h.meisyou = {sj("件名") + "          ", {2, 5, 3}};
    h.jouken[0] = {sj("納入場所") + "    ", {2, 12, 0}};
    h.jouken[1] = {"            ", {2, 13, 1}};
    h.nengappi = {sj("令和"), sj("年"), sj("月"), sj("日")};
    h.nengappiPos = {40, 2, 1};
    h.waku = {30, 10, 4};
    doc->m_HyousiData[0] = sj("本館改修") + "  ";
    doc->m_HyousiData[1] = sj("設備工事");
    doc->m_HyousiData[9] = "6";
    doc->m_HyousiData[10] = "12";
    doc->m_HyousiData[14] = sj("現場");
    doc->m_HyousiData[16] = sj("三ヶ月");
    {
        const PrintedJob& job = print({Kind::IDC_HYOUSI_UTIWAKE});
        const PrintedPage& page = job.pages[0];
        EXPECT_EQ(page.find(sj("御見積書"))->font.height, 40);
        const PrintedText* name = page.find(sj("件名") + " " + sj("本館改修"));
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->font.underline);
        EXPECT_EQ(name->font.height, 60);
        // The second name under the first one's name: X = 2 + 4 + 1 cells, Y = 5 + 3 / 3 lines.
        const PrintedText* second = page.find(sj("設備工事"));
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->x, 7 * 30);
        EXPECT_EQ(second->y, 6 * 66);
        EXPECT_NE(page.find(sj("納入場所") + "    " + sj("現場")), nullptr);
        EXPECT_EQ(page.findContaining(sj("三ヶ月")), nullptr) << "a blank caption suppresses its line";
        EXPECT_NE(page.find(sj("令和") + "6" + sj("年") + "12" + sj("月") + "    " + sj("日")), nullptr);
        bool box = false;
        for (const auto& r : page.rects)
            box |= r.rect == kiv::ui::Rect::fromSize(30 * 40, 10 * 40, 160, 160) && r.brush.hollow;
        EXPECT_TRUE(box) << "the cover box: an outline on the width grid";
    }
    {
        const PrintedJob& job = print({Kind::IDC_HYOUSI_UTIWAKE_A4});
        const PrintedPage& page = job.pages[0];
        // The A4 cover keeps the landscape scale (W / 328) for its first lines and prints every
        // condition; W is the portrait page's 4724.
        EXPECT_EQ(page.find(sj("御見積書"))->font.height, (4724 / 328) * 2);
        EXPECT_EQ(page.find(sj("納入場所") + "    " + sj("現場"))->font.height, 16);
        EXPECT_NE(page.find("            " + sj("三ヶ月")), nullptr);
    }
}

} // namespace
} // namespace kivtest
