#pragma once
// KivDetail: the composite unit-price breakdown of one row as the detail dialog shows it (one
// text per box), and the map between it and the row's fields. The dialog derives from it; the
// row pricing, the row refresh and the recalculation fill one without any dialog, since they run
// on every row.
//
// Material lines are indexed 0..6 for lines 1..7, labour lines 0..2 for lines 1..3. Every text is
// CP932 as the row holds it; numbers are plain decimal text, blank counting as 0.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/GyouRecord.h"

class RoumuList;
struct FukugouInput;

// One lump-sum line: its rate, its quantity and unit (always "1" and "式") and its two amounts.
struct IssikiLine {
    std::string Ritu;
    std::string Suu;
    std::string Tanni;
    std::string Kingaku1;
    std::string Kingaku2;
    IssikiLine();
};

struct KivDetail {
    static constexpr int kZaiLines = 7;
    static constexpr int kRoumuLines = 3;
    using ZaiTexts = std::array<std::string, kZaiLines>;
    using RoumuTexts = std::array<std::string, kRoumuLines>;

    // Header.
    std::string m_BunNo;
    std::string m_BunGyouNo;
    std::string m_Hinmei;
    std::string m_Kikaku;
    std::string m_Tanni;          // the 4-byte unit of fields 11 and 12
    std::string m_FukugouTanka1;
    std::string m_FukugouTanka2;
    std::string m_Bikou1;
    std::string m_Bikou2;

    // Material lines.
    ZaiTexts m_ZaiHinmei, m_ZaiKikaku, m_ZaiSuu, m_ZaiTanni, m_ZaiTanka1, m_ZaiKingaku1, m_ZaiTanka2,
        m_ZaiKingaku2, m_ZaiBikou;

    // Labour lines.
    RoumuTexts m_RoumuNo, m_RoumuSyokusyu, m_RoumuBukake, m_RoumuTanni, m_RoumuTanka1, m_RoumuKingaku1,
        m_RoumuTanka2, m_RoumuKingaku2, m_RoumuBikou;

    // Lump-sum lines.
    IssikiLine m_Tugite, m_Setugou, m_Siji, m_Fuzoku, m_Zatuzai, m_Unpan, m_Haturi, m_Sonota1, m_Sonota2;

    // Totals.
    std::string m_ZaiKei1, m_ZaiKei2, m_RoumuKei1, m_RoumuKei2, m_ZaikouKei1, m_ZaikouKei2;

    // 常時複合単価で表示する and 材料を合計して表示, 0 or 1.
    int m_FukuHyouji = 0;
    int m_ZaiGoukei = 0;

    // Every text empty but the labour units "人" and the lump-sum quantities "1" and units "式".
    KivDetail();

    // The labour registration numbers as loaded; a number below 1 names no labour line (0).
    std::array<int, kRoumuLines> RoumuNumbers() const;
};

// How a breakdown is taken from and put back into a row.
struct KivDetailSource {
    // Field of the header's 分類: the estimate's 35; the master keeps its category in field 1.
    int bunNoField = GyouRecord::BunNo;
    // The row refresh leaves the 付属品 rate of the row alone, in both directions.
    bool withFuzoku = true;
    // The labour remarks (fields 103-105) shown and written back; the totals keep theirs as read.
    bool withRoumuBikou = true;
    // The labour lines' trades and prices looked up in the list (the row refresh writes none of
    // them back and leaves them out).
    bool withRoumuLookup = true;
    // After the dialog: with 常時複合単価で表示する on, the composite unit prices are the row's
    // prices whatever 材料を合計して表示 says (the totals' rule); otherwise a non-zero material
    // total overrides them.
    bool fukuBeforeGoukei = false;
};

// The labour line of a registration number: trade and two labour unit prices by their positions
// in the list's n-th line. A number below 1 or past the list gives empty texts.
struct RoumuLookup {
    std::string Syokusyu;
    std::string Tanka1;
    std::string Tanka2;
};
RoumuLookup LookupRoumu(const RoumuList& roumu, int no);

// The load: constructor defaults, the two flags, then every mapped field. Material line 1 is the
// row's own 補給/単価1/単価2 (29/13/14) when neither flag is set (a blank 補給 as "  1.0"), its own
// fields 40/42/43 otherwise. Labour lines take trade and prices from `roumu`.
void LoadKivDetail(KivDetail& d, std::string_view row, const RoumuList& roumu, const KivDetailSource& src = {});
// The same into a new breakdown (built once, not built and then reset).
KivDetail LoadedKivDetail(std::string_view row, const RoumuList& roumu, const KivDetailSource& src = {});
// The load's fields over a breakdown loaded before, in the room its texts already have; what
// the source leaves out (the 付属品 rate, the labour lookups) keeps what it held. For the row
// refresh, which writes none of those back.
void ReloadKivDetail(KivDetail& d, std::string_view row, const RoumuList& roumu, const KivDetailSource& src);

// The numbers of the load alone, without its texts, as the pricing of a row reads them (the
// recalculation prices every row of an item on every pass). Returns the labour registration
// numbers as loaded.
struct KivRowNumbers {
    bool fukuHyouji = false;
    std::array<int, KivDetail::kRoumuLines> roumuNo{};
};
KivRowNumbers LoadFukugouInput(FukugouInput& in, std::string_view row, const RoumuList& roumu);

enum class KivWriteBack {
    Dialog,   // after OK of the detail dialog: unit prices and line 1 by the dialog's flags
    Refresh,  // the row refresh: the row's own fields rearranged by the flags as loaded
};

// Writes the breakdown back into the row (padded to 1400 bytes first). No write passes a field:
// remarks too long for their field are cut on a character boundary; any other value that does
// not fit leaves its field as it was and adds a message naming it (UTF-8) to the result.
std::vector<std::string> WriteKivDetail(std::string& row, const KivDetail& d, KivWriteBack how,
                                        const KivDetailSource& src = {});
