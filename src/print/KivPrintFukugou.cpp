// The composite unit-price sheet (単価表): the selection of the job, one landscape page per
// selected row with the row's breakdown block in the printed table, the sheet title and the page
// number.
#include "print/KivPrint.h"

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/GroupDigits.h"
#include "grid/KivView.h"
#include "grid/PrintedRow.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "pricing/RowPricing.h"

using kiv::print::PrinterDc;
using kiv::text::sj;
using G = GyouRecord;

namespace {

// Numbers stand 0.7 cells left of their column (labour line 1's rate and price 0.5), texts at it.
constexpr double kNumberShift = 0.7;
constexpr double kNumberShiftRoumu1 = 0.5;
constexpr int kLabourPriceWidth = 10;

bool isZero(std::string_view number) { return kiv::text::parseDecimal(number).isZero(); }

// The rate of a percentage line as printed: the base, rate x 100 in "%2.0f" (three digits stay
// whole: 1.5 is 150%) and "%".
std::string rateText(const char* base, std::string_view rate) {
    std::string t = sj(base);
    t.append(kiv::text::cformat("%2.0f", kiv::text::parseDecimal(rate) * 100));
    t.push_back('%');
    return t;
}

} // namespace

int CKivPrint::CountFukugouPages() {
    FukugouSelection s = SelectFukugouGyou(Doc());
    m_FukugouGyou = std::move(s.rows);
    // The view keeps the keys of the last walk, every walked row's in walking order.
    std::vector<std::string>& keys = m_View.m_DaikaKeys;
    keys = std::move(s.keys);
    if (keys.size() < static_cast<std::size_t>(CKivView::kDaikaKeyCount))
        keys.resize(static_cast<std::size_t>(CKivView::kDaikaKeyCount));
    return static_cast<int>(m_FukugouGyou.size());
}

void CKivPrint::PrintFukugouTankahyouHedder(PrinterDc& dc, int page) {
    m_PrintCurPage = page;
    const kiv::ui::Font old = dc.selectFont(PrintFont(static_cast<int>((dc.pageWidth() / 95) * 2.5)));
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    const int line = static_cast<int>(tm.height * 1.11);
    dc.textOut(32 * tm.aveCharWidth, 1 * line, sj("単　価　表"));
    dc.selectFont(old);
}

void CKivPrint::PrintFukugouTankahyouPageNo(PrinterDc& dc, int page) {
    m_PrintCurPage = page;
    m_FormText = "-" + std::to_string(page) + "-";
    PrintPageNoText(dc);
}

void CKivPrint::PrintPageNoText(PrinterDc& dc) {
    const kiv::ui::Font old = dc.selectFont(PrintFont(dc.pageWidth() / 95));
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    const int line = static_cast<int>(tm.height * 1.11);
    dc.textOut(89 * tm.aveCharWidth, 59 * line, m_FormText);
    dc.selectFont(old);
}

void CKivPrint::PrintFukugouTankahyou(PrinterDc& dc, int page) {
    m_PrintCurPage = page;
    const kiv::ui::Font font = PrintFont(dc.pageWidth() / 81);
    MeasureBodyFont(dc, font);
    const kiv::ui::Font old = dc.selectFont(font);
    if (page >= 1 && page <= static_cast<int>(m_FukugouGyou.size())) {
        PrintTitleText(dc);
        PrintTitleFrames(dc);
        m_PrintGyou = PricedFukugouGyou(Doc(), m_FukugouGyou[static_cast<std::size_t>(page - 1)]);
        m_PrintLine = m_PrintFirstLine;
        PrintFukugouTankaBlock(dc);
        for (m_PrintLine = m_PrintFirstLine; m_PrintLine <= m_PrintRowsPerPage; ++m_PrintLine)
            PrintGyouFrames(dc);
        PrintOuterFrame(dc);
    }
    dc.selectFont(old);
}

void CKivPrint::PrintFukugouTankaBlock(PrinterDc& dc) {
    CKivDoc& d = Doc();
    std::string& row = m_PrintGyou;
    const int marume = d.FukugouMarume();
    RowPricingReport quiet;
    quiet.messages = false;
    const RowPricing priced = PriceKivGyou(row, d.GetRoumu(), marume, quiet);
    const KivDetail& k = *priced.detail;

    // The block keeps to its columns whatever the job's options: remarks 1 in the remarks column.
    PrintLayoutChoice choice = LayoutChoice();
    choice.bikou2 = false;
    choice.coverShift = false;
    auto pos = [&](int field) { return ::CalcPrintFieldPos(field, m_PrintLine, choice); };
    const int cw = m_CharWidth;
    auto top = [&] { return PrintTextTop(pos(G::Hinmei).Line, m_LineHeight); };
    auto text = [&](int field, std::string_view s) {
        dc.textOut(pos(field).X0 * cw, top(), std::string(kiv::text::trimRightBlanks(PrintableText(s))));
    };
    // A fixed text of the block, at its column as it is (the units keep their 4 bytes).
    auto raw = [&](int field, const std::string& s) { dc.textOut(pos(field).X0 * cw, top(), s); };
    auto fieldAsText = [&](int field, int printField) { text(printField, G::raw(row, field)); };
    auto number = [&](int field, std::string_view s, double shift = kNumberShift) {
        dc.textOut(static_cast<int>((pos(field).X0 - shift) * cw), top(), std::string(s));
    };
    auto formatted = [&](const kiv::text::Decimal& v) { return kiv::text::cformat(marume == 3 ? "%13.2f" : "%12.f", v); };
    // A number with separators: they take the cells left of the column, so its right edge stays.
    auto grouped = [&](int field, std::string_view s, double shift = kNumberShift) {
        GroupedDigits g;
        std::string out;
        if (s.size() <= static_cast<std::size_t>(GroupedDigits::MaxWidth)) {
            g = GroupDigits(s);
            out = g.Text(static_cast<int>(s.size()));
        } else if (s.size() == static_cast<std::size_t>(GroupedDigits::MaxWidth) + 1 && s.front() == ' ') {
            // Two decimals take 13 characters: grouped whole, not cut to the column's 12.
            g = GroupDigits(s.substr(1));
            out.assign(1, ' ');
            out.append(g.Text(GroupedDigits::MaxWidth));
        } else {
            out = std::string(s);
        }
        dc.textOut(static_cast<int>((pos(field).X0 - g.Spare - shift) * cw), top(), out);
    };
    auto amount = [&](const kiv::text::Decimal& v) { grouped(G::Kingaku1, formatted(v)); };
    auto next = [&] { ++m_PrintLine; };

    // Title line: 記号, 品名, 規格 and remarks 1 of the row.
    for (int field = G::KoumokuNo; field <= G::Kikaku; ++field)
        if (pos(field).Visible)
            fieldAsText(field, field);
    fieldAsText(G::Bikou1, G::Bikou1);
    next();

    // Material lines with a name.
    for (int line = 0; line < KivDetail::kZaiLines; ++line) {
        const int base = G::MaterialFirstField + 8 * line;
        const int name = base + 1, kikaku = base + 2, suu = base + 3, tanni = base + 4, tanka1 = base + 5,
                  tanka2 = base + 6, bikou = base + 7;
        if (G::isBlank(row, name))
            continue;
        fieldAsText(name, name);
        fieldAsText(kikaku, kikaku);
        number(suu, G::raw(row, suu));
        fieldAsText(tanni, tanni);
        number(tanka1, G::raw(row, tanka1));
        const kiv::text::Decimal kingaku = kiv::text::parseDecimal(k.m_ZaiKingaku1[static_cast<std::size_t>(line)]);
        number(tanka2, kingaku.isZero() ? std::string(G::raw(row, tanka2)) : formatted(kingaku));
        fieldAsText(bikou, bikou);
        next();
    }

    // A lump-sum line: label, base and rate, quantity 1, unit 式, amount; only when it has an amount.
    auto issiki = [&](const char* label, const char* base, int rateField, const IssikiLine& l) {
        const kiv::text::Decimal kingaku = kiv::text::parseDecimal(l.Kingaku1);
        if (kingaku.isZero())
            return;
        text(G::Hinmei, sj(label));
        text(G::Kikaku, rateText(base, G::raw(row, rateField)));
        raw(G::HiroidasiSuu1, "       1");
        raw(G::Tanni, sj("式  "));
        amount(kingaku);
        next();
    };
    issiki("継　　　　　手", "管単価x", G::TugiteRitu, k.m_Tugite);
    issiki("接　　合　　材", "管単価x", G::SetugouRitu, k.m_Setugou);
    issiki("支　持　金　物", "管単価x", G::SijiRitu, k.m_Siji);
    issiki("付　　属　　品", "管単価x", G::FuzokuRitu, k.m_Fuzoku);
    issiki("雑　　材　　料", "材x", G::ZatuzaiRitu, k.m_Zatuzai);
    issiki("運　　搬　　費", "(材+雑)x", G::UnpanRitu, k.m_Unpan);

    // Labour lines with a registration number and a productivity rate.
    const std::array<int, 3> numbers = k.RoumuNumbers();
    for (int j = 0; j < KivDetail::kRoumuLines; ++j) {
        const auto i = static_cast<std::size_t>(j);
        const int rate = G::Roumu1Bukake + j;
        if (numbers[i] == 0 || isZero(G::raw(row, rate)))
            continue;
        const double shift = j == 0 ? kNumberShiftRoumu1 : kNumberShift;
        text(G::Hinmei, sj("労　　務　　費"));
        text(G::Kikaku, k.m_RoumuSyokusyu[i]);
        number(rate, G::raw(row, rate), shift);
        raw(G::Tanni, sj("人  "));
        // The list holds the price left-aligned: right-aligned in its 10 characters first, so
        // the separators fall between the digits.
        std::string price(kiv::text::trimBlanks(k.m_RoumuTanka1[i]));
        if (price.size() < kLabourPriceWidth)
            price.insert(0, kLabourPriceWidth - price.size(), ' ');
        grouped(G::Tanka1, price, shift);
        amount(kiv::text::parseDecimal(k.m_RoumuKingaku1[i]));
        fieldAsText(G::Roumu1Bikou + j, G::Roumu1Bikou + j);
        next();
    }

    const bool haturi = !isZero(k.m_Haturi.Kingaku1);
    issiki("は つ り 補 修", "労務費x", G::HaturiRitu, k.m_Haturi);
    issiki("そ　　の　　他", haturi ? "(労+はつり)x" : "(労)x", G::Sonota1Ritu, k.m_Sonota1);
    const bool zatuUnpan = !isZero(k.m_Zatuzai.Kingaku1) || !isZero(k.m_Unpan.Kingaku1);
    issiki("そ　　の　　他", zatuUnpan ? "(材+労+雑+運)x" : "(材+労)x", G::Sonota2Ritu, k.m_Sonota2);

    // Total and composite unit price; a zero shows the row's own amount.
    auto totalLine = [&](const char* label, const kiv::text::Decimal& v) {
        text(G::Hinmei, sj(label));
        if (v.isZero())
            grouped(G::Kingaku1, G::raw(row, G::Kingaku1));
        else
            amount(v);
        next();
    };
    totalLine("　　　計　　　", kiv::text::parseDecimal(k.m_ZaikouKei1));
    totalLine("複　合　単　価", priced.result.kekka.Tanka[0]);
}
