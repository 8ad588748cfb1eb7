#include "totals/TotalConvert.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "estimate/GyouRecord.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace {

using kiv::text::Decimal;
using R = GyouRecord;

std::string cp932(const char* utf8) { return kiv::text::utf8ToCp932(utf8).value_or(std::string()); }

const std::string& noCategoryText() { static const std::string s = cp932("分類ＮＯなし"); return s; }
const std::string& syoukeiText() { static const std::string s = cp932("　小計"); return s; }
const std::string& summaryText() { static const std::string s = cp932("分類集計"); return s; }
const std::string& keiText() { static const std::string s = cp932("　計"); return s; }
const std::string& sikiText() { static const std::string s = cp932("式"); return s; }

void putWhole1(std::string& row, int field) {
    const R::Layout& l = R::layout(field);
    row.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width),
                std::string(static_cast<std::size_t>(l.Width) - 1, ' ') + "1");
}

void putBytes(std::string& row, int field, const std::string& bytes) {
    const R::Layout& l = R::layout(field);
    row.replace(static_cast<std::size_t>(l.Offset), bytes.size(), bytes);
}

// Bytes 0-3 of a row read as a number: the category (estimate: item) of the row.
int keyOf(const std::string& row) { return R::toInt(row, R::KoumokuNo); }

struct Converter {
    const SetteiValues& s;
    std::vector<std::string> messages;

    bool isLump(int bun) const {
        static constexpr EnzanCode kLump[] = {
            EnzanCode::Keihi1, EnzanCode::Keihi2, EnzanCode::Keihi3, EnzanCode::Unpanhi,
            EnzanCode::Syouhizei, EnzanCode::Tugite, EnzanCode::Setugouzai, EnzanCode::Sijizai,
            EnzanCode::Fuzokuhin1, EnzanCode::Fuzokuhin2, EnzanCode::Sleeve, EnzanCode::Zatuzai};
        return std::any_of(std::begin(kLump), std::end(kLump), [&](EnzanCode k) { return s.matches(k, bun); });
    }
    bool isSkipped(int bun) const {
        static constexpr EnzanCode kSkip[] = {
            EnzanCode::Daikoumoku, EnzanCode::Tyuukoumoku, EnzanCode::Syoukoumoku, EnzanCode::Saimoku,
            EnzanCode::HyousiKei, EnzanCode::Tyuukei, EnzanCode::Syoukei, EnzanCode::Saikei,
            EnzanCode::KoumokunaiKei};
        return std::any_of(std::begin(kSkip), std::end(kSkip), [&](EnzanCode k) { return s.matches(k, bun); });
    }
    void tooWide(const std::string& row, const Decimal& value) {
        const std::string name = kiv::text::toUtf8(R::text(row, R::Hinmei));
        messages.push_back("数値が桁数を超えたので空白にしました。品名「" + name + "」 値 " + value.toString());
    }
    void whole(std::string& row, int field, const Decimal& v) {
        if (!PutTotalWhole(row, field, v))
            tooWide(row, v);
    }
    void quantity(std::string& row, int field, const Decimal& v) {
        if (!PutTotalQuantity(row, field, v))
            tooWide(row, v);
    }
};

} // namespace

bool PutTotalWhole(std::string& row, int field, const Decimal& value) {
    const int width = R::layout(field).Width;
    R::blank(row, field);
    if (value.isZero())
        return true;
    // Rounded at one decimal, then the decimal dropped: the integer digits of "%.1f".
    std::string text = kiv::text::cformat("%.1f", value);
    text.resize(text.size() - 2);
    if (static_cast<int>(text.size()) > width)
        return false;
    R::putNumber(row, field, text);
    return true;
}

bool PutTotalQuantity(std::string& row, int field, const Decimal& value) {
    const int width = R::layout(field).Width;
    R::blank(row, field);
    if (value.isZero())
        return true;
    const bool fraction = !(value.truncated(0) == value);
    for (int places = fraction ? 2 : 0; places >= 0; --places) {
        std::string text = kiv::text::cformat("%." + std::to_string(places) + "f", value);
        if (static_cast<int>(text.size()) <= width) {
            R::putNumber(row, field, text);
            return true;
        }
        if (places == 0)
            break;
        // A decimal may go only while the integer digits still fit.
        if (static_cast<int>(kiv::text::cformat("%.0f", value.truncated(0)).size()) > width)
            break;
    }
    return false;
}

TotalConvertResult ConvertToTotals(const std::vector<std::string>& masterRows,
                                   const std::vector<std::string>& estimateRows,
                                   const SetteiValues& settings) {
    Converter cv{settings, {}};

    // Master headings: the last line numbered 1 of each category, with its master key in
    // 302-309 and its remarks blanked.
    std::vector<std::string> titles(1000);
    for (const std::string& line : masterRows) {
        const int k = keyOf(line);
        if (k < 1 || k > 999 || R::toInt(line, R::GyouNo) != 1)
            continue;
        std::string t = line;
        R::padLength(t);
        t.replace(302, 8, t, 0, 8);
        t.replace(176, 60, 60, ' ');
        titles[static_cast<std::size_t>(k)] = std::move(t);
    }

    // File the rows by source category in one pass: rows of item 0 and heading/total rows stay
    // out; BunNo 0 (no category) goes last.
    constexpr long long kNoCategory = 1LL << 40;
    std::map<long long, std::vector<const std::string*>> groups;
    for (const std::string& row : estimateRows) {
        if (keyOf(row) == 0)
            continue;
        const int bun = R::toInt(row, R::BunNo);
        if (bun != 0 && cv.isSkipped(bun))
            continue;
        groups[bun == 0 || bun == 999 ? kNoCategory : bun].push_back(&row);
    }

    TotalConvertResult result;
    std::vector<std::string> summary;
    int page = 1;
    for (auto& [source, rows] : groups) {
        ++page;
        // Merge identical items in pool order: a row joins the first earlier group it matches
        // (品名 and 規格, and both unit prices unless the row is a lump sum), else starts one.
        struct Group {
            std::string row;
            Decimal tanka1, tanka2;
            bool lump;
        };
        std::vector<Group> out;
        std::unordered_map<std::string, std::size_t> byName, byNamePrice;
        for (const std::string* src : rows) {
            std::string row = *src;
            R::padLength(row);
            const int bun = R::toInt(row, R::BunNo);
            const bool lump = cv.isLump(bun);
            const std::string name = std::string(R::raw(row, R::Hinmei)) + '\x01' + std::string(R::raw(row, R::Kikaku));
            const std::string namePrice =
                name + '\x01' + std::string(R::raw(row, R::Tanka1)) + '\x01' + std::string(R::raw(row, R::Tanka2));
            auto& index = lump ? byName : byNamePrice;
            auto hit = index.find(lump ? name : namePrice);
            if (hit != index.end()) {
                Group& g = out[hit->second];
                if (g.lump) {
                    const Decimal k1 = R::toDecimal(g.row, R::Kingaku1) + R::toDecimal(row, R::Kingaku1);
                    const Decimal k2 = R::toDecimal(g.row, R::Kingaku2) + R::toDecimal(row, R::Kingaku2);
                    cv.whole(g.row, R::Tanka1, k1);
                    cv.whole(g.row, R::Tanka2, k2);
                    cv.whole(g.row, R::Kingaku1, k1);
                    cv.whole(g.row, R::Kingaku2, k2);
                } else {
                    cv.quantity(g.row, R::SekisanSuu1, R::toDecimal(g.row, R::SekisanSuu1) + R::toDecimal(row, R::SekisanSuu1));
                    cv.quantity(g.row, R::SekisanSuu2, R::toDecimal(g.row, R::SekisanSuu2) + R::toDecimal(row, R::SekisanSuu2));
                    cv.whole(g.row, R::Kingaku1, R::toDecimal(g.row, R::SekisanSuu1) * g.tanka1);
                    cv.whole(g.row, R::Kingaku2, R::toDecimal(g.row, R::SekisanSuu2) * g.tanka2);
                }
                continue;
            }
            Group g{row, R::toDecimal(row, R::Tanka1), R::toDecimal(row, R::Tanka2), lump};
            if (lump) {
                putWhole1(g.row, R::SekisanSuu1);
                putWhole1(g.row, R::SekisanSuu2);
                const Decimal k1 = R::toDecimal(row, R::Kingaku1), k2 = R::toDecimal(row, R::Kingaku2);
                cv.whole(g.row, R::Tanka1, k1);
                cv.whole(g.row, R::Tanka2, k2);
            } else {
                cv.whole(g.row, R::Kingaku1, R::toDecimal(row, R::SekisanSuu1) * g.tanka1);
                cv.whole(g.row, R::Kingaku2, R::toDecimal(row, R::SekisanSuu2) * g.tanka2);
            }
            byName.emplace(name, out.size());
            byNamePrice.emplace(namePrice, out.size());
            out.push_back(std::move(g));
        }

        // The page: heading, the merged items, 　小計.
        const int b = R::toInt(out.front().row, R::BunNo);
        std::string heading = R::blankRow();
        if (b >= 1 && b <= 999 && !titles[static_cast<std::size_t>(b)].empty())
            heading = titles[static_cast<std::size_t>(b)];
        else if (b == 0)
            putBytes(heading, R::Hinmei, noCategoryText());
        R::writeKey(heading, page, 1);
        Decimal s1 = R::toDecimal(heading, R::Kingaku1), s2 = R::toDecimal(heading, R::Kingaku2);
        result.rows.push_back(heading);
        int gyou = 1;
        for (Group& g : out) {
            R::writeKey(g.row, page, ++gyou);
            s1 += R::toDecimal(g.row, R::Kingaku1);
            s2 += R::toDecimal(g.row, R::Kingaku2);
            result.rows.push_back(std::move(g.row));
        }
        std::string kei = R::blankRow();
        putBytes(kei, R::Hinmei, syoukeiText());
        R::writeKey(kei, page, ++gyou);
        cv.whole(kei, R::Kingaku1, s1);
        cv.whole(kei, R::Kingaku2, s2);
        result.rows.push_back(kei);

        // Its summary row: the heading's texts, quantity 1, 式, the page's sums.
        std::string sum = R::blankRow();
        if (b >= 1 && b <= 999 && !titles[static_cast<std::size_t>(b)].empty())
            sum = titles[static_cast<std::size_t>(b)];
        else if (b == 0)
            putBytes(sum, R::Hinmei, noCategoryText());
        putWhole1(sum, R::SekisanSuu1);
        putWhole1(sum, R::SekisanSuu2);
        putBytes(sum, R::Tanni, sikiText());
        cv.whole(sum, R::Tanka1, s1);
        cv.whole(sum, R::Tanka2, s2);
        cv.whole(sum, R::Kingaku1, s1);
        cv.whole(sum, R::Kingaku2, s2);
        summary.push_back(std::move(sum));
    }
    result.pageCount = page - 1;

    // The summary page goes first in the pool: 分類集計, one row per page, 　計.
    std::vector<std::string> first;
    std::string head = R::blankRow();
    putBytes(head, R::Hinmei, summaryText());
    R::writeKey(head, 1, 1);
    first.push_back(head);
    Decimal t1, t2;
    int q = 1;
    for (std::string& row : summary) {
        R::writeKey(row, 1, ++q);
        t1 += R::toDecimal(row, R::Kingaku1);
        t2 += R::toDecimal(row, R::Kingaku2);
        first.push_back(std::move(row));
    }
    std::string total = R::blankRow();
    putBytes(total, R::Hinmei, keiText());
    R::writeKey(total, 1, ++q);
    cv.whole(total, R::Kingaku1, t1);
    cv.whole(total, R::Kingaku2, t2);
    first.push_back(total);
    first.insert(first.end(), std::make_move_iterator(result.rows.begin()), std::make_move_iterator(result.rows.end()));
    result.rows = std::move(first);
    result.messages = std::move(cv.messages);
    return result;
}
