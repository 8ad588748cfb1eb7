// Recalculations that could change nothing are skipped (settled rows, items at a fixed point):
// whatever they read that changes afterwards makes the next recalculation give what a fresh
// estimate of the same rows gives.
#include "RecalcFixture.h"

#include <functional>

using namespace kivtest;
using E = EnzanCode;

namespace {

class RecalcSkips : public RecalcFixture {
protected:
    // Item 1 heads item 2 (symbol K2, quantity 1); item 2 holds its heading row and two rows
    // priced from labour line 18 in the composite-price style.
    std::vector<std::vector<Fields>> items(const std::string& suu = "12") {
        const Fields head = kindRow(E::Daikoumoku, {{G::Kigou, "K2  "}, {G::HiroidasiSuu1, "1"}});
        const Fields own = kindRow(E::Daikoumoku, {{G::Kigou, "K2  "}});
        const Fields labour = priced(suu, "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.5558"}});
        const Fields plain = priced("3", "1250");
        return {{head}, {own, labour, plain}};
    }
    // Every row's amounts, item by item, from the pool.
    std::vector<std::string> amounts() {
        view->StoreKoumoku();
        std::vector<std::string> out;
        for (const auto& [item, rows] : {std::pair{1, 1}, std::pair{2, 3}})
            for (int g = 1; g <= rows; ++g)
                for (int f : {G::FukugouTanka1, G::Kingaku1, G::Kingaku2})
                    out.push_back(poolAt(item, g, f));
        return out;
    }
    // Sets field `field` of row `gyou` of item `item` as the grid stores a typed value.
    void type(int item, int gyou, int field, const std::string& value) {
        view->StoreKoumoku();
        toItem(item);
        doc->m_CurGyou[0] = gyou;
        view->LoadGyou();
        G::putNumber(view->m_EditGyou, field, value);
        view->StoreGyou();
        view->StoreKoumoku();
        toItem(1);
    }
};

TEST_F(RecalcSkips, WhatASkippedRecalculationReadsChangingGivesTheFreshResult) {
    struct Case {
        const char* what;
        std::function<void()> change;   // on the settled estimate
        std::function<void()> fresh;    // the same input in a fresh estimate
        bool differs = true;                 // the result is not the one before the change
    };
    const Case cases[] = {
        {"a row typed", [this] { type(2, 2, G::HiroidasiSuu1, "20"); },
         [this] { estimate(items("20"), 1); }},
        {"the labour price", [this] { labour({{18, "配管工", "20000"}}); },
         [this] {
             estimate(items(), 1);
             labour({{18, "配管工", "20000"}});
         }},
        {"the composite rounding", [this] { doc->m_SetteiValues.FukugouMarume = 3; },
         [this] { estimate(items(), 1, 3); }},
        {"the style", [this] { doc->m_SetteiValues.SekisanYousiki = 0; },
         [this] { estimate(items(), 0); }},
        {"the rows opened afresh", [this] {
             std::vector<std::string> rows;
             const auto its = items("7");
             for (std::size_t i = 0; i < its.size(); ++i)
                 for (std::size_t g = 0; g < its[i].size(); ++g)
                     rows.push_back(rowOf(static_cast<int>(i) + 1, static_cast<int>(g) + 1, its[i][g]));
             doc->ClearGyou();
             for (std::size_t i = 0; i < rows.size(); ++i)
                 doc->SetPoolGyou(static_cast<int>(i), rows[i]);
             doc->SetPoolGyouCount(static_cast<int>(rows.size()));
             doc->RebuildGyouIndex();
             toItem(1);
         },
         [this] { estimate(items("7"), 1); }},
        {"the undo snapshot put back", [this] {
             view->StoreKoumoku();
             doc->SaveUndoSnapshot();
             type(2, 2, G::HiroidasiSuu1, "20");
             recalcAll(2);
             doc->RestoreUndoSnapshot();
             toItem(1);
         },
         [this] { estimate(items(), 1); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.fresh();
        recalcAll(2);
        const std::vector<std::string> expected = amounts();

        estimate(items(), 1);
        recalcAll(2);
        recalcAll(2);   // every row settled, every item at its fixed point
        const std::vector<std::string> before = amounts();
        c.change();
        recalcAll(2);
        EXPECT_EQ(amounts(), expected);
        if (c.differs)
            EXPECT_NE(amounts(), before);
        EXPECT_TRUE(messages().empty());
    }
}

// The counters, the cover total and the modified mark a skipped item leaves are those its
// recalculation leaves (run again with the record of skips forgotten).
TEST_F(RecalcSkips, ASkippedItemLeavesWhatItsRecalculationLeaves) {
    estimate({{priced("2", "1000", {{G::TugiteRitu, "0.05"}}), kindRow(E::HyousiKei)}});
    recalcAll(2);
    recalcAll(2);
    struct Left {
        std::array<int, CKivView::kKeisanKinds> need, count;
        std::string cover;
        bool modified;
        std::string row1;
    };
    auto recalcFromScratch = [&](bool forget) {
        view->m_KeisanNeed.fill(0);
        view->m_KeisanCount.fill(7);
        doc->m_HyousiData[17] = "x";
        doc->SetModifiedFlag(false);
        if (forget)
            doc->m_RecalcMemo.reset();
        recalcItem();
        return Left{view->m_KeisanNeed, view->m_KeisanCount, doc->m_HyousiData[17], doc->IsModified(),
                    doc->WorkGyouAt(1)};
    };
    const Left skipped = recalcFromScratch(false);
    const Left run = recalcFromScratch(true);
    EXPECT_EQ(skipped.need, run.need);
    EXPECT_EQ(skipped.count, run.count);
    EXPECT_EQ(skipped.cover, run.cover);
    EXPECT_FALSE(run.cover.empty());
    EXPECT_EQ(skipped.modified, run.modified);
    EXPECT_EQ(skipped.row1, run.row1);
    EXPECT_EQ(at(1, G::Kingaku1), "2000");
}

} // namespace
