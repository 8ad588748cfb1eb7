#pragma once
// The settings record: 1024 bytes in fixed columns telling an estimate how to compute itself.
// Positions 0-111 hold the 28 four-digit operation-category codes, 120-122 the digit rounding, the
// estimate style and the composite rounding mode, 123-126 the last removal factor. Every other
// byte is kept exactly as read, NUL included, and every setter changes only its own positions.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "estimate/FixedRecord.h"

// The 28 operation-category codes in record order: code k is at positions 4k to 4k+3.
enum class EnzanCode : int {
    Daikoumoku,    // 大項目 heading rows
    Tyuukoumoku,   // 中項目
    Syoukoumoku,   // 小項目
    Saimoku,       // 細目
    Keihi1,        // expense rows 1
    Keihi2,        // expense rows 2
    Keihi3,        // hand-entered expense rows
    Unpanhi,       // transport rows
    HyousiKei,     // totals over the whole item
    Tyuukei,       // 中計
    Syoukei,       // 小計
    Saikei,        // 細計
    KoumokunaiKei, // 項目内計
    Spare,         // kept and edited like the others; nothing computes with it
    Syouhizei,     // consumption tax
    Tugite,        // joints
    Setugouzai,    // jointing materials
    Sijizai,       // supports
    Fuzokuhin1Hi,  // category the accessories-1 rows are computed over
    Fuzokuhin1,    // accessories-1 rows
    Fuzokuhin2Hi,
    Fuzokuhin2,
    Sleeve,
    Zatuzai,       // sundry materials
    Roumuhi1,      // labour 配管工
    Roumuhi2,      // labour 機械工
    Roumuhi3,      // labour 電工
    Roumuhi4,      // labour 普通作業員
};
inline constexpr int kEnzanCodeCount = 28;
inline constexpr std::size_t kEnzanCodeWidth = 4;

// What the code dialog shows for each code: its caption (UTF-8, empty for the spare code), its edit
// box and whether the box takes digits only.
struct EnzanCodeInfo {
    const char* caption;
    int boxId;
    bool digitsOnly;
};
const EnzanCodeInfo& enzanCodeInfo(EnzanCode k);

// The values the estimate computes with, parsed from the record.
struct SetteiValues {
    std::array<int, kEnzanCodeCount> codes{};
    int KetaMarume = 0;     // 0 none, 1-3: round to 10, 100, 1000
    int SekisanYousiki = 0; // 1 composite-price style, 0 labour-posting style
    int FukugouMarume = 0;  // 1-3 composite rounding modes, anything else none

    bool operator==(const SetteiValues&) const = default;

    int code(EnzanCode k) const { return codes[static_cast<std::size_t>(k)]; }
    // True when a row of this category number is a computed row of kind k. A code of 0 (blank,
    // or not a number) is unused and matches no row.
    bool matches(EnzanCode k, int bunNo) const { return code(k) != 0 && code(k) == bunNo; }
    // True when a row of this category is a computed row: its category is the code of a kind a
    // calculator fills (headings, expenses, totals, tax, lump sums, labour). The spare code and
    // the two 被計算 categories name ordinary priced rows.
    bool isComputed(int bunNo) const {
        for (int k = 0; k < kEnzanCodeCount; ++k) {
            const auto kind = static_cast<EnzanCode>(k);
            if (kind != EnzanCode::Spare && kind != EnzanCode::Fuzokuhin1Hi && kind != EnzanCode::Fuzokuhin2Hi &&
                matches(kind, bunNo))
                return true;
        }
        return false;
    }
};

// A code padded on the left with "0" to four characters, and the message the code dialog shows
// when it had to pad ("４桁未満のため0005に変更しました。"); the message is empty when the code
// already had four characters. Code bytes are CP932, the message UTF-8.
struct PaddedCode {
    std::string code;
    std::string message;
};
PaddedCode padEnzanCode(std::string_view code);

class SetteiRecord : public FixedRecord<1024> {
public:
    static constexpr std::size_t KetaMarumePos = 120;
    static constexpr std::size_t SekisanYousikiPos = 121;
    static constexpr std::size_t FukugouMarumePos = 122;
    static constexpr std::size_t TekkyoRituPos = 123;
    static constexpr std::size_t TekkyoRituWidth = 4;

    SetteiRecord() = default;
    SetteiRecord(const FixedRecord<1024>& r) : FixedRecord<1024>(r) {}
    static SetteiRecord fromBytes(std::string_view data) { return FixedRecord<1024>::fromBytes(data); }

    // The four bytes of code k as stored.
    std::string code(EnzanCode k) const;
    // Stores one code, padded on the left with "0" to four bytes. A code longer than four bytes
    // is refused (false) and the record keeps its bytes.
    bool setCode(EnzanCode k, std::string_view code);
    // Stores all 28 codes (record order) at once, each padded; refused as a whole when any code is
    // longer than four bytes. Positions 112 onwards are not touched.
    bool setCodes(const std::array<std::string, kEnzanCodeCount>& codes);

    // The digit rounding as chosen in its combo box: the first character goes to position 120.
    // An empty choice keeps the stored byte, and so does a double-byte character, which one
    // position cannot hold. Returns whether the byte was set.
    bool setKetaMarume(std::string_view choice);
    // "1" for the composite-price style, "0" for the labour-posting style.
    void setSekisanYousiki(bool fukugou);
    // Composite rounding mode 1, 2 or 3; anything else (nothing chosen) keeps the stored byte.
    bool setFukugouMarume(int mode);
    // The removal factor as typed, left-aligned in four blank-padded bytes; a longer text is
    // refused and the field keeps its bytes.
    bool setTekkyoRitu(std::string_view text);
    // The removal factor's four bytes as stored.
    std::string tekkyoRitu() const;
};

// The record's numbers, read as the C library's atoi reads text: leading blanks skipped, an
// optional sign, digits up to the first other byte; none gives 0.
SetteiValues ParseSettei(const SetteiRecord& record);
