#pragma once
// GyouRecord: one row of an estimate, a master or a totals document. A fixed-width CP932 text line
// of 1400 bytes holding 106 numbered fields: numbers right-aligned, texts left-aligned, both padded
// with ASCII blanks; a blank field reads as empty text or zero. Every module reads and writes row
// fields through the functions here, so that a row held in memory is always exactly 1400 bytes and
// no write ever passes a field's width.
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

struct GyouRecord {
    static constexpr int Length = 1400;
    static constexpr int FieldCount = 106;

    // Field numbers, counted from 1 as the field tables count them.
    enum Field : int {
        KoumokuNo = 1, GyouNo, Kigou, Spare4, Hinmei, Kikaku,
        HiroidasiSuu1, HiroidasiSuu2, SekisanSuu1, SekisanSuu2, Tanni, TanniTail,
        Tanka1, Tanka2, FukugouTanka1, FukugouTanka2, Kingaku1, Kingaku2,
        Bikou1, Bikou2, Bukake1, Bukake2, TugiteRitu, SetugouRitu, SijiRitu, HaturiRitu,
        UnpanRitu, FuzokuRitu, Hokyuu, ZatuzaiRitu, Sonota1Ritu, Sonota2Ritu, Kakeritu, Spare34,
        BunNo, BunGyouNo,
        Zai1MotoTanka, Zai1Hinmei, Zai1Kikaku, Zai1Suu, Zai1Tanni, Zai1Tanka1, Zai1Tanka2, Zai1Bikou,
        Zai2MotoTanka, Zai2Hinmei, Zai2Kikaku, Zai2Suu, Zai2Tanni, Zai2Tanka1, Zai2Tanka2, Zai2Bikou,
        Zai3MotoTanka, Zai3Hinmei, Zai3Kikaku, Zai3Suu, Zai3Tanni, Zai3Tanka1, Zai3Tanka2, Zai3Bikou,
        Zai4MotoTanka, Zai4Hinmei, Zai4Kikaku, Zai4Suu, Zai4Tanni, Zai4Tanka1, Zai4Tanka2, Zai4Bikou,
        Zai5MotoTanka, Zai5Hinmei, Zai5Kikaku, Zai5Suu, Zai5Tanni, Zai5Tanka1, Zai5Tanka2, Zai5Bikou,
        Zai6MotoTanka, Zai6Hinmei, Zai6Kikaku, Zai6Suu, Zai6Tanni, Zai6Tanka1, Zai6Tanka2, Zai6Bikou,
        Zai7MotoTanka, Zai7Hinmei, Zai7Kikaku, Zai7Suu, Zai7Tanni, Zai7Tanka1, Zai7Tanka2, Zai7Bikou,
        UnpanKingaku1, UnpanKingaku2, Roumu1No, Roumu2No, Roumu3No,
        Roumu1Bukake,   // the bytes of Bukake1
        Roumu2Bukake,   // the bytes of Bukake2
        Roumu3Bukake, FukuHyouji, ZaiGoukei, Roumu1Bikou, Roumu2Bikou, Roumu3Bikou, Spare106
    };

    // Material line k (1..7) is eight fields from MaterialFirstField + 8 (k - 1), 129 bytes from
    // MaterialOffset + 129 (k - 1).
    static constexpr int MaterialFirstField = Zai1MotoTanka;
    static constexpr int MaterialOffset = 315;
    static constexpr int MaterialLength = 129;

    // Written into the supply factor of every new row, and into a blank one when a row is renumbered.
    static constexpr std::string_view DefaultHokyuu = "  1.0";

    // Where a field lies in the record. Fields 98 and 99 share the bytes of 21 and 22.
    struct Layout {
        int Offset;
        int Width;
        bool IsText;
    };
    // Throws std::out_of_range for a field number outside 1..106.
    static const Layout& layout(int field);

    // A row of 1400 blanks.
    static std::string blankRow();
    // Pads a short row with blanks, cuts a long one to 1400 bytes (a double-byte character cut
    // in half at the end becomes a blank).
    static void fitLength(std::string& row);
    // Pads a short row with blanks to 1400 bytes; a longer row is left as it is.
    static void padLength(std::string& row);

    // How many bytes the item and row numbers take at the start of a row; the bytes after them
    // are all a row's pricing and recalculation read, so rows alike there come out alike.
    static std::size_t numbersLength();
    static std::string_view afterNumbers(std::string_view row);

    // Reading. A field beyond the end of a short row reads as blank.
    static std::string_view raw(std::string_view row, int field);      // all its bytes
    static std::string_view text(std::string_view row, int field);     // without trailing blanks
    static int toInt(std::string_view row, int field);                 // as atoi reads it
    static kiv::text::Decimal toDecimal(std::string_view row, int field);  // as atof reads it
    static bool isBlank(std::string_view row, int field);

    // Writing. A short row is first padded to 1400 bytes. A value wider than the field is refused
    // (false) and the field keeps its text.
    static bool putNumber(std::string& row, int field, std::string_view text);  // right-aligned
    static bool putText(std::string& row, int field, std::string_view text);    // left-aligned
    // One printf conversion ("%12.1f", "%4d") of the value, written right-aligned.
    static bool putFormatted(std::string& row, int field, std::string_view format,
                             const kiv::text::Decimal& value);
    // Left-aligned, cut on a CP932 character boundary when it is wider than the field.
    static void putTextFitted(std::string& row, int field, std::string_view text);
    static void blank(std::string& row, int field);

    // The row's key: item (or category) and row number, each "%04d". Numbers outside 0..9999
    // would need a fifth digit: they are refused (false) and the key is left as it was.
    static bool writeKey(std::string& row, int koumoku, int gyou);
    // The item number of the key; a row whose item reads as 0 or below is a free row.
    static int koumokuOf(std::string_view row) { return toInt(row, KoumokuNo); }
    static bool isFreeRow(std::string_view row) { return koumokuOf(row) <= 0; }
    // A blank supply factor becomes "  1.0".
    static void fillBlankHokyuu(std::string& row);
};
