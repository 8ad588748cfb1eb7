#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/GyouStore.h"
#include "estimate/KivMessage.h"

namespace {

// A small store: room for the random walk below to fill the pool and reach the row limit.
GyouStoreLimits smallLimits() {
    GyouStoreLimits limits;
    limits.poolSlots = 48;
    limits.indexSize = 48;
    limits.gyouMax = 40;
    limits.koumokuGyouMax = 12;
    limits.koumokuMax = 9999;
    return limits;
}

// The slots the index gives each group, in pool order, by scanning it.
std::vector<int> scannedSlots(const GyouStore& s, int group) {
    std::vector<int> out;
    for (int j = 0; j < s.PoolGyouCount(); ++j)
        if (s.KoumokuOfSlot(j) == group)
            out.push_back(j);
    return out;
}

void expectSlotsAgreeWithScan(const GyouStore& s, const std::string& step) {
    for (int group = -1; group <= s.KoumokuCount() + 1; ++group) {
        const std::span<const int> listed = s.KoumokuSlots(group);
        EXPECT_EQ(std::vector<int>(listed.begin(), listed.end()), scannedSlots(s, group))
            << "group " << group << " after " << step;
    }
    // The group number 9999 is the last one the list covers; one beyond is found by a scan.
    for (const int group : {9999, 10000}) {
        const std::span<const int> listed = s.KoumokuSlots(group);
        EXPECT_EQ(std::vector<int>(listed.begin(), listed.end()), scannedSlots(s, group)) << step;
    }
}

// The work rows of the loaded group are its pool rows in pool order.
void expectWorkRowsArePoolRows(const GyouStore& s, const std::string& step) {
    const std::vector<int> slots = scannedSlots(s, s.CurKoumoku());
    ASSERT_EQ(static_cast<std::size_t>(s.GyouCount()), slots.size()) << step;
    for (std::size_t k = 0; k < slots.size(); ++k)
        EXPECT_EQ(s.WorkGyouAt(static_cast<int>(k) + 1), s.PoolGyou(slots[k])) << step << " row " << k + 1;
}

std::string keyedRow(int group, int gyou, const std::string& name) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, group, gyou);
    GyouRecord::putText(row, GyouRecord::Hinmei, name);
    return row;
}

// Every operation that changes the slot index or the pool count, in a seeded random order; after
// each, the per-group slot lists agree with a scan of the index, and loading a group gives its
// rows in pool order.
TEST(GyouStoreGroupIndex, SlotsOfEveryGroupAgreeWithAScanAfterEachChange) {
    ClearKivPrompts();
    GyouStore s(smallLimits());
    // Four groups interleaved in the pool, with a free row among them.
    const std::vector<int> groups = {1, 2, 1, 3, 0, 2, 4, 1, 3};
    for (std::size_t j = 0; j < groups.size(); ++j) {
        const int g = groups[j];
        ASSERT_TRUE(s.AppendPoolGyou(g == 0 ? GyouRecord::blankRow() : keyedRow(g, 1, "r" + std::to_string(j))));
    }
    s.RebuildGyouIndex();
    expectSlotsAgreeWithScan(s, "rebuild");

    std::mt19937 random(51);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int step = 0; step < 600; ++step) {
        const int op = pick(0, 8);
        std::string name = "op" + std::to_string(op) + " step " + std::to_string(step);
        s.SetCurKoumoku(pick(1, s.KoumokuCount() + 1));
        const bool hadRows = !scannedSlots(s, s.CurKoumoku()).empty();
        s.LoadKoumokuGyou();
        // (A group without rows gets a new work row that reaches the pool only when stored.)
        if (hadRows)
            expectWorkRowsArePoolRows(s, name + " load");
        switch (op) {
        case 0:
        case 1: {  // a row added to the group (a free slot reused, or one more at the end)
            if (s.AddGyou()) {
                s.SetGyouCount(s.GyouCount() + 1);
                s.EditWorkGyou(s.GyouCount()) = keyedRow(s.CurKoumoku(), s.GyouCount(), name);
            }
            s.StoreKoumokuGyou();
            break;
        }
        case 2: {  // a row stored without a key frees its slot
            s.EditWorkGyou(pick(1, s.GyouCount())) = GyouRecord::blankRow();
            s.StoreKoumokuGyou();
            break;
        }
        case 3:
            s.InsertKoumoku();
            break;
        case 4:
            s.DeleteKoumoku();
            break;
        case 5: {  // the undo copy taken now, or put back
            if (pick(0, 1) == 0) {
                s.CopyGyouToUndo();
                s.SaveUndoCounts();
            } else {
                s.RestoreUndoCounts();
                s.RestoreGyouFromUndo();
                s.RebuildGyouIndex();
            }
            break;
        }
        case 6: {  // an index entry set by hand, inside or beyond the counted slots
            s.SetKoumokuOfSlot(pick(0, s.PoolSlots() - 1), pick(0, s.KoumokuCount()));
            break;
        }
        case 7: {  // the whole index replaced, then the count shortened
            std::vector<int> index = s.GyouIndex();
            std::reverse(index.begin(), index.begin() + s.PoolGyouCount());
            s.SetGyouIndex(index);
            expectSlotsAgreeWithScan(s, name + " replaced index");
            s.SetPoolGyouCount(std::max(1, s.PoolGyouCount() - 1));
            break;
        }
        case 8:
            s.RebuildGyouIndex();
            break;
        }
        expectSlotsAgreeWithScan(s, name);
        if (testing::Test::HasFailure())
            return;
    }
}

TEST(GyouStoreGroupIndex, AddGyouReusesTheFirstFreeSlotOfThePool) {
    ClearKivPrompts();
    GyouStore s(smallLimits());
    for (const int g : {1, 2, 1, 2})
        ASSERT_TRUE(s.AppendPoolGyou(keyedRow(g, 1, "x")));
    s.RebuildGyouIndex();
    // Group 2's rows freed (slots 1 and 3), then group 1 grows: slot 1 first, then 3, then 4.
    s.SetCurKoumoku(2);
    s.LoadKoumokuGyou();
    s.EditWorkGyou(1) = GyouRecord::blankRow();
    s.EditWorkGyou(2) = GyouRecord::blankRow();
    s.StoreKoumokuGyou();
    EXPECT_EQ(std::vector<int>(s.KoumokuSlots(0).begin(), s.KoumokuSlots(0).end()), (std::vector<int>{1, 3}));
    s.SetCurKoumoku(1);
    s.LoadKoumokuGyou();
    for (const int expected : {1, 3, 4}) {
        ASSERT_TRUE(s.AddGyou());
        EXPECT_EQ(s.KoumokuSlots(1).back(), std::max(expected, 2)) << expected;
        EXPECT_EQ(s.KoumokuOfSlot(expected), 1);
    }
    EXPECT_EQ(std::vector<int>(s.KoumokuSlots(1).begin(), s.KoumokuSlots(1).end()),
              (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(s.KoumokuSlots(0).empty());
    EXPECT_EQ(s.PoolGyouCount(), 5);
}

// Loading a group empties the work rows past its own, whichever way the rows before were
// written: a load, an edit, the current row's store or a move.
TEST(GyouStoreGroupIndex, LoadingAGroupLeavesNoRowOfTheOneBefore) {
    ClearKivPrompts();
    GyouStore s(smallLimits());
    for (const int g : {1, 1, 1, 1, 1, 2, 2})
        ASSERT_TRUE(s.AppendPoolGyou(keyedRow(g, 1, "x")));
    s.RebuildGyouIndex();
    struct Way {
        const char* name;
        std::function<void()> write;   // on group 1 loaded: something into row 10
    };
    const Way ways[] = {
        {"none (the load alone)", [] {}},
        {"edited", [&] { s.EditWorkGyou(10) = "edited"; }},
        {"stored as the current row", [&] {
             s.SetCurGyou(10);
             ASSERT_TRUE(s.SetCurrentGyou(keyedRow(1, 10, "stored")));
         }},
        {"moved", [&] { s.MoveWorkGyou(1, 10); }},
    };
    for (const Way& w : ways) {
        SCOPED_TRACE(w.name);
        s.SetCurKoumoku(1);
        s.LoadKoumokuGyou();
        w.write();
        s.SetCurKoumoku(2);
        s.LoadKoumokuGyou();
        ASSERT_EQ(s.GyouCount(), 2);
        expectWorkRowsArePoolRows(s, "group 2 loaded");
        for (int k = 3; k <= 12; ++k)
            EXPECT_TRUE(s.WorkGyouAt(k).empty()) << "row " << k;
    }
}

// Storing a row asks whether the work row already reads as it: the work row as GetCurrentGyou
// gives it (padded with blanks), compared in place.
TEST(GyouStoreCurrentRow, StartsWithComparesTheRowAsLoaded) {
    GyouStore s(smallLimits());
    const std::string full = keyedRow(1, 1, "A");
    struct Case {
        const char* name;
        int cursor;
        std::string work;
        std::string row;
    };
    std::string lastByte = full;
    lastByte.back() = 'x';
    const std::vector<Case> cases = {
        {"same row", 1, full, full},
        {"short work row, blanks after it", 1, full.substr(0, 20), full},
        {"short work row, text after it", 1, full.substr(0, 8), full},
        {"unfilled work row reads as blanks", 2, "", GyouRecord::blankRow()},
        {"unfilled work row is not a text", 2, "", full},
        {"last byte differs", 1, full, lastByte},
        {"row longer than the loaded row", 1, full, full + " "},
        {"a prefix of a longer work row", 1, full + "tail", full},
        {"cursor before row 1", 0, "", GyouRecord::blankRow()},
    };
    for (const Case& c : cases) {
        s.ClearKoumokuGyou();
        s.EditWorkGyou(1) = c.work;
        s.SetCurGyou(c.cursor);
        std::string loaded;
        s.GetCurrentGyou(loaded);
        const bool expected = loaded.compare(0, c.row.size(), c.row) == 0 && loaded.size() >= c.row.size();
        EXPECT_EQ(s.CurrentGyouStartsWith(c.row), expected) << c.name;
    }
}

}  // namespace
