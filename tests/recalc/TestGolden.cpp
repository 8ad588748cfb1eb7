// The large estimates and the full master the benchmarks time, with every computed kind, every
// rate and composite rows added, recalculated and saved through the documents' own save: the
// digest of each saved file is pinned, so that work on the speed of the recalculation cannot
// change one written byte. A digest here changes only with a deliberate change of what the
// program writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/BenchEstimate.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
#include "export/DaikaTextDialog.h"
#include "export/TextDialog.h"
#include "platform/headless/DialogDriver.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/files/Files.h"
#include "support/Sha256.h"
#include "support/TempDir.h"

namespace {

using kiv::test::sha256Hex;
using kiv::test::TempDir;
using kiv::text::sj;

// The four trades of the labour rows at their registration numbers, both tracks priced.
RoumuList labourList(std::size_t lines) {
    std::vector<RoumuRecord> list(lines);
    struct Trade {
        int no;
        const char* name;
        const char* tanka1;
        const char* tanka2;
    };
    for (const Trade& t : {Trade{1, "配管工", "20000", "21000"}, Trade{2, "普通作業員", "15250", "16000"},
                           Trade{3, "電工", "18333", "18500"}, Trade{8, "電工", "18750", "19125"},
                           Trade{18, "配管工", "19000", "19500"}, Trade{32, "機械工", "18125", "18900"}})
        if (static_cast<std::size_t>(t.no) <= lines)
            list[static_cast<std::size_t>(t.no - 1)] = *RoumuRecord::build(std::to_string(t.no), sj(t.name), t.tanka1, t.tanka2);
    return RoumuList(list);
}

std::string savedDigest(kiv::ui::Document& doc, const TempDir& dir, const std::string& name) {
    const auto path = dir / name;
    EXPECT_TRUE(doc.onSaveDocument(path));
    const auto bytes = kiv::files::readFile(path);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? sha256Hex(*bytes) : std::string();
}

TEST(Golden, TheDigestHelperIsSha256) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Every computed row of item 2's every-kind block but the headings (which look for later items by
// their symbols), the spare code and the accessory base categories got an amount: the fixture
// reaches each calculator.
void expectEveryKindPriced(const CKivDoc& doc) {
    using E = EnzanCode;
    int seen = 0;
    for (int j = 0; j < doc.PoolGyouCount(); ++j) {
        const std::string_view row = doc.PoolGyou(j);
        if (doc.KoumokuOfSlot(j) != 2 || GyouRecord::toInt(row, GyouRecord::GyouNo) <= 99)
            continue;
        const int kind = GyouRecord::toInt(row, GyouRecord::BunNo) - 9001;
        if (kind < 0 || kind >= kEnzanCodeCount)
            continue;
        const auto k = static_cast<E>(kind);
        if (k == E::Daikoumoku || k == E::Tyuukoumoku || k == E::Syoukoumoku || k == E::Saimoku || k == E::Spare ||
            k == E::Fuzokuhin1Hi || k == E::Fuzokuhin2Hi)
            continue;
        ++seen;
        EXPECT_FALSE(GyouRecord::isBlank(row, GyouRecord::Kingaku1)) << "kind " << kind;
    }
    EXPECT_EQ(seen, 21);
}

struct EstimateCase {
    const char* name;
    std::vector<std::string> (*rows)();
    bool wholeEstimate;   // every item from the last to the first, else the current item (1)
    int style, marume, keta;
    const char* digest;
};

TEST(Golden, LargeEstimatesRecalculatedAndSavedKeepEveryByte) {
    const EstimateCase cases[] = {
        {"one item of 9,999 rows", [] { return benchsupport::koumoku9999Rows(true); }, false, 0, 1, 1,
         "bbecba9f282b1c3a0bceb9fb34d723b30040d6e21d0f3d15cfef766acd5a0f39"},
        {"100 items", [] { return benchsupport::allItemsRows(true); }, true, 0, 1, 1,
         "1ab8a3ea73c190a36d9d03aafe3e7aa09ae97e234708faf8ac8f6a9c8528ca0b"},
        {"100 items, style 1, cut", [] { return benchsupport::allItemsRows(true); }, true, 1, 2, 0,
         "74821b16044ec4cc940d11fbce9040c15d126f15dfa8170ff2cb7b37d479bfc1"},
        {"100 items, rounding 3, thousands", [] { return benchsupport::allItemsRows(true); }, true, 0, 3, 3,
         "04aaadbe54eb62647b8b207610d78923362e5dc22b2ef0b803497993be5c1cca"},
        {"composite rows", benchsupport::compositeRows, true, 0, 1, 2,
         "195126dd060e2feedc03aaa18357e2679bc86144488dabbcb89876b2b8152878"},
    };
    const TempDir dir;
    for (const EstimateCase& c : cases) {
        SCOPED_TRACE(c.name);
        benchsupport::Estimate e(c.rows());
        e.doc->m_SetteiValues.SekisanYousiki = c.style;
        e.doc->m_SetteiValues.FukugouMarume = c.marume;
        e.doc->m_SetteiValues.KetaMarume = c.keta;
        e.doc->m_Roumu = labourList(40);
        const std::string before = savedDigest(*e.doc, dir, "before.KIV");
        KivRecalc recalc(*e.view);
        if (c.wholeEstimate)
            recalc.RecalcAllKoumoku();
        else
            recalc.RecalcKoumoku();
        ClearKivPrompts();
        // The recalculation pinned here is the one above: Save's own pass, which it runs for an
        // estimate that still needs recalculation, is not part of it.
        e.doc->MarkRecalculated();
        const std::string after = savedDigest(*e.doc, dir, "golden.KIV");
        EXPECT_NE(after, before) << "the recalculation changed nothing";
        EXPECT_EQ(after, c.digest);
        if (c.wholeEstimate && c.style == 0 && c.rows != benchsupport::compositeRows)
            expectEveryKindPriced(*e.doc);
    }
}

TEST(Golden, TheFullMasterRecalculatedAndSavedKeepsEveryByte) {
    struct Case {
        int style, marume;
        const char* digest;
    };
    kiv::ui::headless::HeadlessBackend backend;
    kiv::ui::setBackend(&backend);
    const TempDir dir;
    const auto source = dir / "source.MST";
    ASSERT_TRUE(kiv::files::writeFileAtomically(source, WriteMstFile(benchsupport::pricedMasterRows(MstDoc::kBunMax, true))));
    for (const Case& c : {Case{1, 1, "df0a3b561a7bf640abebf7611bdd97b20a3461c7a226175e3ad7e5cc6224dbf1"},
                        Case{0, 3, "517329f82185733d5f1ce1d59fb7e8a265b61ebcf99b0976dc1da8e12ed308cc"}}) {
        SCOPED_TRACE(c.marume);
        MstDoc doc;
        CMstView view;
        view.SetDocument(&doc);
        ASSERT_TRUE(doc.OnOpenDocument(source.string()));
        doc.m_Roumu = labourList(3);
        doc.m_SetteiValues.FukugouMarume = c.marume;
        doc.m_SetteiValues.SekisanYousiki = c.style;
        view.RecalcAllGyou();
        const std::string after = savedDigest(doc, dir, "golden.MST");
        EXPECT_NE(after, kiv::test::sha256Hex(*kiv::files::readFile(source))) << "the recalculation changed nothing";
        EXPECT_EQ(after, c.digest);
    }
    kiv::ui::setBackend(nullptr);
}

// The two text exports, which price every composite row again on their own: the written files of
// the composite rows and of the every-kind estimate, pinned the same way.
TEST(Golden, TextExportsOfLargeEstimatesKeepEveryByte) {
    struct Case {
        const char* name;
        std::vector<std::string> (*rows)();
        bool daika;
        int marume;
        const char* digest;
    };
    const Case cases[] = {
        {"composite rows, 代価表", benchsupport::compositeRows, true, 1,
         "2eb4c040cd305bdf568e675b0595b523324e924dff15a29112b5c815a7403f03"},
        {"every kind, 代価表", [] { return benchsupport::allItemsRows(true); }, true, 3,
         "d17483bc04269298a8c1807abb654cc56bd4f613107eccc89601723ca92b6498"},
        {"every kind, 内訳書", [] { return benchsupport::allItemsRows(true); }, false, 2,
         "01ee15bedce98b63d7f959c5ca026a5a1c61b4c193e4d91bdf7ecc31b04b9470"},
    };
    const TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        benchsupport::Estimate e(c.rows(), dir.path());
        e.doc->m_NeedRecalc = 0;
        e.doc->m_SetteiValues.FukugouMarume = c.marume;
        e.doc->m_Roumu = labourList(40);
        e.view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
        const auto out = dir / "golden.txt";
        std::filesystem::remove(out);
        auto answer = [&](kiv::ui::headless::DialogDriver& d) {
            d.type(c.daika ? CDaikaTextDialog::IDC_PATH : CTextDialog::IDC_PATH, out.string()).click(kiv::ui::IDOK);
        };
        e.backend.expectDialog(answer, c.daika ? CDaikaTextDialog::IDD : CTextDialog::IDD);
        e.view->onCommand(c.daika ? ID_DAIKA_TEXT_OUT : ID_TEXT_OUT);
        e.backend.processPending();
        ClearKivPrompts();
        const auto bytes = kiv::files::readFile(out);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_GT(bytes->size(), 100000u);
        EXPECT_EQ(sha256Hex(*bytes), c.digest);
        e.view.reset();
    }
}

} // namespace
