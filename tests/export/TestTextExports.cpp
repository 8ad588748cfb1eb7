// The two text exports as a user runs them: command 32808 (the breakdown) and command 32848 (the
// composite unit-price sheet), compared byte for byte with the files they write.
#include <cerrno>

#include "export/ExcelExportFixture.h"

#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "export/DaikaSheet.h"
#include "export/DaikaTextDialog.h"
#include "export/TextDialog.h"
#include "export/TextExport.h"
#include "platform/files/Files.h"
#include "recalc/KivRecalc.h"

namespace kivtest {
namespace {

using G = GyouRecord;

// → is TAB, ⏎ is CR LF: the tables below read like the files.
std::string bytes(const std::string& utf8) {
    std::string s;
    for (std::size_t i = 0; i < utf8.size();) {
        if (utf8.compare(i, 3, "→") == 0) {
            s += '\t';
            i += 3;
        } else if (utf8.compare(i, 3, "⏎") == 0) {
            s += "\r\n";
            i += 3;
        } else {
            std::size_t n = 1;
            while (i + n < utf8.size() && utf8.compare(i + n, 3, "→") != 0 && utf8.compare(i + n, 3, "⏎") != 0)
                ++n;
            s += sj(utf8.substr(i, n).c_str());
            i += n;
        }
    }
    return s;
}
std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

class TextExportTest : public ExcelExportFixture {
protected:
    std::filesystem::path txt() { return exeDir / "out.txt"; }
    std::string written() {
        auto f = kiv::files::readFile(txt());
        return f ? *f : std::string("<no file>");
    }
    // 32808 with the path typed and the boxes clicked, then OK.
    void textOut(std::vector<int> clicks = {}, std::optional<std::filesystem::path> path = {}) {
        const std::string p = path ? path->string() : txt().string();
        backend.expectDialog(
            [clicks, p](kiv::ui::headless::DialogDriver& d) {
                d.type(CTextDialog::IDC_PATH, p);
                for (int id : clicks)
                    d.click(id);
                d.click(kiv::ui::IDOK);
            },
            CTextDialog::IDD);
        view->onCommand(ID_TEXT_OUT);
        backend.processPending();
    }
    void daikaOut(bool doubleSpacing = false, std::optional<std::filesystem::path> path = {}) {
        const std::string p = path ? path->string() : txt().string();
        backend.expectDialog(
            [doubleSpacing, p](kiv::ui::headless::DialogDriver& d) {
                d.type(CDaikaTextDialog::IDC_PATH, p);
                if (doubleSpacing)
                    d.click(CDaikaTextDialog::IDC_DOUBLE_SPACING);
                d.click(kiv::ui::IDOK);
            },
            CDaikaTextDialog::IDD);
        view->onCommand(ID_DAIKA_TEXT_OUT);
        backend.processPending();
    }
};

const char* const kR1 = "A1  →電線→→      12→m   →        50→         600→備考A⏎";
const char* const kR2 = "    →配管工→→       1→式  →       50000→       50000→⏎";
const char* const kR2Ninzuu = "    →配管工→→     2.5→人  →     20000→       50000→⏎";
const char* const kR3 = "    →→→       1→    →        3000→        3000→⏎";
const char* const kBlank = "    →→→        →    →            →            →⏎";

TEST_F(TextExportTest, BreakdownLinesSpacingAndOptions) {
    std::vector<std::string> rows = fixtureRows();
    rows.insert(rows.begin() + 3, keyedRow(1, 4, {}));
    openEstimate(rows);
    textOut();
    EXPECT_EQ(written(), bytes(std::string(kR1) + kR2 + kR3 + kBlank + kR1));
    EXPECT_FALSE(doc->isModified());

    textOut({CTextDialog::IDC_ROUMU_NINZUU, CTextDialog::IDC_DOUBLE_SPACING});
    EXPECT_EQ(written(), bytes(std::string(kR1) + "⏎" + kR2Ninzuu + "⏎" + kR3 + "⏎" + kBlank + "⏎" + kR1 + "⏎"));

    // Remarks 2, and the composite style's unit price.
    rows[0] = keyedRow(1, 1, {{G::Kigou, "A1"}, {G::Hinmei, sj("電線")}, {G::SekisanSuu1, "12"}, {G::Tanni, "m"},
                              {G::Tanka1, "50"}, {G::FukugouTanka1, "55"}, {G::Kingaku1, "600"},
                              {G::Bikou1, sj("備考A")}, {G::Bikou2, sj("備考B")}});
    openEstimate({rows[0]});
    doc->m_SetteiValues.SekisanYousiki = 1;
    textOut({CTextDialog::IDC_BIKOU1});
    EXPECT_EQ(written(), bytes("A1  →電線→→      12→m   →        55→         600→備考B⏎"));
}

TEST_F(TextExportTest, BreakdownRecalculatesFirstAndKeepsColumns) {
    KivRecalc::Connect();
    openEstimate({keyedRow(1, 1, {{G::Hinmei, "a\tb"}, {G::HiroidasiSuu1, "4"}, {G::Tanka1, "250"}})});
    doc->m_NeedRecalc = 1;
    textOut();
    // The TAB inside the name is written as a blank.
    EXPECT_EQ(written(), bytes("    →a b→→       4→    →       250→        1000→⏎"));
    EXPECT_EQ(doc->m_NeedRecalc, 0);
    EXPECT_EQ(G::text(doc->PoolGyou(0), G::Kingaku1), "        1000");
}

TEST_F(TextExportTest, PathProblemsAndAFailedWriteLeaveEverythingAsItWas) {
    openEstimate();
    placeCursor(3, 2, 9);
    doc->setPathName(exeDir / "est.KIV", false);
    const struct {
        std::filesystem::path path;
        const char* message;
    } cases[] = {
        {exeDir / "missing" / "x.txt", "ファイルが作成できません。"},
        {exeDir.path(), "ファイルが作成できません。"},
        {exeDir / "est.KIV", "開いている内訳書のファイルには出力できません。"},
    };
    for (const auto& c : cases) {
        backend.expectMessageBox(kiv::ui::IDOK, c.message);
        textOut({}, c.path);
        backend.expectMessageBox(kiv::ui::IDOK, c.message);
        daikaOut(false, c.path);
    }
    EXPECT_FALSE(std::filesystem::exists(exeDir / "missing"));
    EXPECT_FALSE(doc->isModified());

    ASSERT_TRUE(kiv::files::writeFileAtomically(txt(), "old"));
    for (int command : {ID_TEXT_OUT, ID_DAIKA_TEXT_OUT}) {
        kiv::files::WriteFault full(ENOSPC);
        backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。\n" + txt().string() +
                                                    "\nディスクの空き容量が不足しています。");
        command == ID_TEXT_OUT ? textOut() : daikaOut();
        EXPECT_EQ(written(), "old");
        EXPECT_EQ(cursorRow(), 3);
        EXPECT_EQ(screenRow(), 2);
        EXPECT_EQ(field(), 9);
        EXPECT_TRUE(view->caret().visible);
        EXPECT_EQ(kiv::ui::App::instance()->waitCursorDepth(), 0);
    }
    // A real write replaces the old file without a question.
    textOut();
    EXPECT_EQ(written().substr(0, 4), "A1  ");
    for (const auto& e : std::filesystem::directory_iterator(exeDir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(TextExportTest, DialogProposals) {
    openEstimate();
    const struct {
        const char* doc;
        const char* breakdown;
        const char* daika;
    } cases[] = {
        {"", "内訳書.TXT", ""},
        {"a.MES", "a.TXT", "a.TXT"},
        {"a.kiv", "a.TXT", "a.TXT"},
    };
    for (const auto& c : cases) {
        const std::filesystem::path docPath = *c.doc ? exeDir / c.doc : std::filesystem::path();
        CTextDialog t(docPath);
        t.onShowDialog();
        EXPECT_EQ(t.m_Path, *c.breakdown ? kiv::files::toCp932(exeDir / c.breakdown).value_or("") : "") << c.doc;
        CDaikaTextDialog d(docPath);
        d.onShowDialog();
        EXPECT_EQ(d.m_Path, *c.daika ? kiv::files::toCp932(exeDir / c.daika).value_or("") : "") << c.doc;
    }
}

// --- The composite unit-price sheet

const char* const kCaption =
    "→　　品　　　　　　　　　名→    規　　　　　　　　　格→数　量  →単位→単　　価  →金　　　額  →    備　　　　　　　　　考⏎";

std::string titleLine(const std::string& name) {
    return "→" + name + "→" + blanks(30) + "→→→→→" + blanks(30) + "⏎";
}
const std::string kMaterial = "→配管" + blanks(26) + "→" + blanks(30) + "→    2→m   →       500→        1000→" + blanks(30) + "⏎";

TEST_F(TextExportTest, CompositeBlocksByteForByte) {
    openEstimate({vpRow(1, 1)});
    daikaOut();
    std::string expected = std::string(kCaption) + titleLine("VP管" + blanks(26)) + kMaterial +
                           "→　　　計　　　→→→→→        1000→→⏎" + "→複　合　単　価→→→→→        1000→→⏎⏎";
    EXPECT_EQ(written(), bytes(expected));

    // A joint rate, a labour line and mode 3.
    labour({{5, "電工", "     20000"}});
    openEstimate({vpRow(1, 1, {{G::TugiteRitu, "0.05"}, {G::Roumu1No, "5"}, {G::Roumu1Bukake, "0.15"}})});
    daikaOut();
    expected = std::string(kCaption) + titleLine("VP管" + blanks(26)) + kMaterial +
               "→継　　　　　手→管単価x 5%→       1→式→→          25→→⏎" +
               "→労　　務　　費→電工        →  0.15→人→     20000→        3000→⏎" +
               "→　　　計　　　→→→→→        4025→→⏎" + "→複　合　単　価→→→→→        4025→→⏎⏎";
    EXPECT_EQ(written(), bytes(expected));

    doc->m_SetteiValues.FukugouMarume = 3;
    daikaOut(true);
    const std::string w = written();
    EXPECT_NE(w.find(bytes("→    2→m   →       500→      1000.00→")), std::string::npos);
    // The rounding of mode 3 makes the price differ from the total.
    EXPECT_NE(w.find(bytes("→　　　計　　　→→→→→      4025.00→→⏎⏎")), std::string::npos);
    EXPECT_NE(w.find(bytes("→複　合　単　価→→→→→      4030.00→→⏎⏎")), std::string::npos);
    // Double spacing: one empty line after every line, exactly one after the closing line.
    EXPECT_EQ(w.substr(0, bytes(kCaption).size() + 2), bytes(std::string(kCaption) + "⏎"));
    EXPECT_EQ(w.substr(w.size() - 6), bytes("→→⏎⏎"));
    EXPECT_EQ(w.find("\r\n\r\n\r\n"), std::string::npos);
}

TEST_F(TextExportTest, CompositeSelectionAndEdgeLines) {
    labour({{5, "電工", "     20000"}});
    std::string name29(29, 'N');
    openEstimate({
        vpRow(1, 1, {{G::Hinmei, name29 + "a"}}),
        vpRow(1, 2, {{G::Hinmei, name29 + "b"}}),   // differs only in 品名's 30th byte: no block
        keyedRow(1, 3, {{G::Hinmei, "P"}, {G::Tanka1, "1000"}}),   // a plain row priced at 1000
        vpRow(1, 4, {{G::Hinmei, "P"}}),   // its key equals the plain row's: no block
        vpRow(2, 1, {{G::Hinmei, "Q"}, {G::Zai1Hinmei, ""}, {G::Zai2Hinmei, sj("二")}, {G::Zai2Suu, "1"},
                     {G::Zai2Tanka1, "10"}, {G::Roumu1No, "-1"}, {G::Roumu1Bukake, "1"}, {G::TugiteRitu, "1.50"}}),
        vpRow(2, 2, {{G::Hinmei, "R"}, {G::Roumu1No, "50"}, {G::Roumu1Bukake, "1"}}),
    });
    const auto before = std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end());
    placeCursor(2, 2, 5);
    kiv::exporting::DaikaSheet sheet = kiv::exporting::WalkDaikaSheet(*doc);
    daikaOut();
    const std::string w = written();
    EXPECT_NE(w.find(name29 + "a"), std::string::npos);
    EXPECT_EQ(w.find(name29 + "b"), std::string::npos);
    // Q: the blank-named material 1 skipped, material 2 kept; number -1 gives blank trade and price.
    EXPECT_NE(w.find(bytes("→二" + blanks(28))), std::string::npos);
    EXPECT_NE(w.find(bytes("→労　　務　　費→" + blanks(12) + "→     1→人→" + blanks(10) + "→           0→⏎")),
              std::string::npos);
    EXPECT_NE(w.find(bytes("→管単価x150%→")), std::string::npos);
    // R: a number past the list.
    const std::size_t r = w.find("\tR ");
    ASSERT_NE(r, std::string::npos);
    EXPECT_NE(w.find(bytes("→労　　務　　費→" + blanks(12) + "→     1→人→" + blanks(10) + "→           0→⏎"), r),
              std::string::npos);
    // Nothing of the estimate changed; the cursor is back; the keys of every walked row are kept.
    EXPECT_EQ(std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end()), before);
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(field(), 5);
    ASSERT_EQ(sheet.blocks.size(), 3u);
    EXPECT_EQ(sheet.keys[2], sheet.keys[3]);
    EXPECT_EQ(w.find("\tP "), std::string::npos);
    EXPECT_EQ(view->m_DaikaKeys[0], sheet.keys[0]);
    EXPECT_EQ(view->m_DaikaKeys[5], sheet.keys[5]);
    EXPECT_TRUE(view->m_DaikaKeys[6].empty());
}

TEST_F(TextExportTest, NoCompositeRowGivesTheCaptionOnly) {
    openEstimate();
    daikaOut();
    EXPECT_EQ(written(), bytes(kCaption));
    daikaOut(true);
    EXPECT_EQ(written(), bytes(std::string(kCaption) + "⏎"));
}

TEST(DaikaText, AmountAndRateTexts) {
    using kiv::exporting::DaikaAmountText;
    using kiv::text::parseDecimal;
    EXPECT_EQ(DaikaAmountText(parseDecimal("0"), 0), "");
    EXPECT_EQ(DaikaAmountText(parseDecimal("0"), 0, true), "           0");
    EXPECT_EQ(DaikaAmountText(parseDecimal("0"), 3, true), "         0.00");
    EXPECT_EQ(DaikaAmountText(parseDecimal("1000000000000"), 0), "1000000000000");
    EXPECT_EQ(DaikaAmountText(parseDecimal("1000000000000"), 3), "1000000000000.00");
    EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::DaikaRateText("管単価x", "0.05")), "管単価x 5%");
    EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::DaikaRateText("材x", "0.12")), "材x12%");
    EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::DaikaRateText("材x", "")), "材x 0%");
    EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::DaikaRateText("管単価x", "1.50")), "管単価x150%");
}

// Rows alike in every byte but their item and row numbers: each walked row gets the key and the
// sheet the block it would get alone, and each row that gives a message gives it (rows alike
// are priced once only when they give none).
TEST_F(TextExportTest, RowsAlikeInSeveralItemsAreEachWalked) {
    labour({{5, "電工", "     20000"}});
    const std::vector<std::pair<int, std::string>> alike = {{G::Hinmei, "S"}, {G::Roumu1No, "5"}, {G::Roumu1Bukake, "0.5"}};
    const std::vector<std::pair<int, std::string>> missing = {{G::Hinmei, "M"}, {G::Roumu1No, "7"}, {G::Roumu1Bukake, "0.15"}};
    openEstimate({vpRow(1, 1, alike), vpRow(1, 2, missing), vpRow(2, 1, missing), vpRow(2, 2, alike),
                  vpRow(3, 1, alike), vpRow(3, 2, missing)});
    std::vector<std::string> shown;
    SetKivMessageHook([&](const std::string& text) { shown.push_back(text); });
    daikaOut();
    const kiv::exporting::DaikaSheet sheet = [&] {
        KivMessagePass pass;
        return kiv::exporting::WalkDaikaSheet(*doc);
    }();
    SetKivMessageHook({});
    ASSERT_EQ(shown.size(), 2u);   // the export's and the direct walk's
    EXPECT_NE(shown[0].find("（3件。最初は項目 1 の 0002行目）"), std::string::npos) << shown[0];
    ASSERT_EQ(sheet.keys.size(), 6u);
    for (const std::size_t i : {3u, 4u})
        EXPECT_EQ(sheet.keys[i], sheet.keys[0]) << i;
    for (const std::size_t i : {2u, 5u})
        EXPECT_EQ(sheet.keys[i], sheet.keys[1]) << i;
    ASSERT_EQ(sheet.blocks.size(), 2u);
    EXPECT_EQ(sheet.blocks[0].koumoku, 1);
    // Each walked row is what pricing it alone gives.
    const FukugouSelection s = SelectFukugouGyou(*doc);
    ASSERT_EQ(s.rows.size(), s.priced.size());
    for (std::size_t i = 0; i < s.rows.size(); ++i)
        EXPECT_EQ(s.priced[i], PricedFukugouGyou(*doc, s.rows[i])) << i;
    const std::string w = written();
    EXPECT_NE(w.find("\tS "), std::string::npos);
    EXPECT_NE(w.find("\tM "), std::string::npos);
}

// The walk's row messages are gathered and listed once, after the failure box of the file.
TEST_F(TextExportTest, CompositeFailureIsToldBeforeTheGatheredRowMessages) {
    labour({{5, "電工", "     20000"}});
    openEstimate({vpRow(1, 1, {{G::Roumu1No, "7"}, {G::Roumu1Bukake, "0.15"}})});   // no labour entry 7
    kiv::files::WriteFault full(ENOSPC);
    std::vector<std::string> shown;
    SetKivMessageHook([&](const std::string& text) {
        shown.push_back(backend.pendingAnswers() == 0 ? "after the failure box: " + text : "too early: " + text);
    });
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    daikaOut();
    SetKivMessageHook({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("after the failure box: 労務単価1が入力されていない行があります。"), std::string::npos)
        << shown[0];
    EXPECT_EQ(backend.pendingAnswers(), 0u);
}

} // namespace
} // namespace kivtest
