#pragma once
// The computed rows of the labour-posting style (継手 .. 雑材 and the four labour kinds): which of
// them a row needs, where they belong in an item, and the conversion that deletes them from every
// item or deletes and inserts them afresh from the master file's template rows.
//
// An item falls into runs: a run ends with a total row (表紙計, 中計, 小計, 細計 or 項目内計),
// which belongs to it, and the rows after the last total form the last run; the labour kind
// 労務費4 ignores 項目内計, as its sums do. Each calculator sums its run, so a computed row serves
// the rows of its own run: a lump-sum row goes directly after the run's last row needing it, the
// labour rows directly above the run's closing total (or at its end).
#include <string>
#include <string_view>
#include <vector>

#include "estimate/SetteiRecord.h"

class CKivView;
class RoumuList;

namespace kiv::recalc {

// Template slots 0-10: 継手材計算, 接合材計算, 支持材計算, 運搬費, 付属品１計算, 付属品２計算, 雑材,
// 労務費1(配管工), 労務費2(機械工), 労務費3(電工), 労務費4(普通工).
inline constexpr int kKeisanSlots = 11;
inline constexpr int kUnpanSlot = 3;
inline constexpr int kFirstRoumuSlot = 7;
inline constexpr int kRoumu4Slot = 10;

// The kinds a row needs, bit `slot` per template slot: a lump-sum rate not 0 (付属品 only on rows
// of its 被計算 category), a labour kind when one of the row's labour lines carries the kind's
// registration number (18, 32, 8, 2) with its own productivity rate not 0.
unsigned KeisanNeeds(std::string_view row, const SetteiValues& s);

// Whether the row's category is the code of one of the eleven kinds.
bool IsKeisanGyou(std::string_view row, const SetteiValues& s);

// Whether some run of the item lacks a row of a kind one of its rows needs. 運搬費 never counts
// (it is inserted, not required), nor does スリーブ (which is never inserted).
bool KeisanGyouMissing(const std::vector<std::string_view>& rows, const SetteiValues& s);
// The same on each row's needs (KeisanNeeds) and category, as a pass keeps them.
bool KeisanGyouMissing(const std::vector<unsigned>& needs, const std::vector<int>& bunNo, const SetteiValues& s);

// One computed row to insert: template slot `slot` goes before row `before` of the item
// (1-based; rows.size() + 1 is after the last).
struct KeisanInsert {
    int before;
    int slot;
};
// Where the computed rows the rows need go, in the order they are to appear. Only the first
// `scanned` rows are asked what they need.
std::vector<KeisanInsert> PlanKeisanGyou(const std::vector<std::string_view>& rows, const SetteiValues& s,
                                         int scanned);

// Whether labour-price line `no` names `trade` (UTF-8), as the labour calculators require.
bool RoumuTradeMatches(const RoumuList& list, int no, const char* trade);

// The conversion of every item of the view's estimate, run in one pass over the row pool. With
// `insert` false the computed rows of the eleven kinds are deleted; with it true they are deleted
// and the rows each run needs are inserted from the master's templates (a needed kind without a
// code or without a template gets no row; one message names those kinds). Nothing changes,
// after a message, when the master cannot be read whole or has the old layout, or when an item
// or the estimate would pass 9999 rows. The caller stored the row being edited and the current
// item; afterwards the current item is reloaded and the caller restores its position. True when
// the conversion was done.
bool ConvertKeisanGyou(CKivView& view, bool insert);

} // namespace kiv::recalc
