#pragma once
// The cover-page layout "表紙.frm": 752 bytes of texts and their X, Y and size.
#include <array>
#include <string>
#include <string_view>

#include "estimate/FixedRecord.h"
#include "estimate/LayoutField.h"

class HyousiFormRecord : public FixedRecord<752> {
public:
    HyousiFormRecord() = default;
    HyousiFormRecord(const FixedRecord<752>& r) : FixedRecord<752>(r) {}
    static HyousiFormRecord fromBytes(std::string_view data) { return FixedRecord<752>::fromBytes(data); }
};

struct HyousiLayout {
    LayoutItem midasi;                  // 見出し, text 0-11
    LayoutItem meisyou;                 // 名称, 25-36
    LayoutItem aite;                    // 相手, 50-55
    LayoutItem kingaku;                 // 金額, 69-80
    LayoutItem tantousya;               // 担当者, 94-99
    std::array<LayoutItem, 6> meisyouN; // 名称1-6, 40 columns each from 113, every 53
    std::array<LayoutItem, 5> jouken;   // 条件1-5, 12 columns each from 431, every 25
    std::array<LayoutItem, 2> bikouN;   // 備考1-2, 50 columns each at 556 and 619
    std::array<std::string, 4> nengappi; // 年月日 parts 682-685, 687-688, 690-691, 693-694
    LayoutPos nengappiPos;              // 696-706
    LayoutItem mitumoriNo;              // 見積番号, 708-715
    LayoutPos bikou;                    // 備考, 729-739
    LayoutPos waku;                     // 枠, 741-751
    bool operator==(const HyousiLayout&) const = default;
};

HyousiLayout ParseHyousi(const HyousiFormRecord& record);
