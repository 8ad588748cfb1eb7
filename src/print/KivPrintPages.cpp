// The page printers of the breakdown: the body pages of the printed table, the header and
// footer, the cover block, and the form-text and box printers that place the layouts' texts on
// a grid of their own font's cells and lines.
#include "print/KivPrint.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "grid/PrintedRow.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

using kiv::print::PrinterDc;
using kiv::text::sj;

namespace {

// Selects a font for a drawing and puts the previous one back when the drawing ends.
class FontScope {
public:
    FontScope(PrinterDc& dc, const kiv::ui::Font& f) : m_Dc(dc), m_Old(dc.selectFont(f)) {}
    ~FontScope() { m_Dc.selectFont(m_Old); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    PrinterDc& m_Dc;
    kiv::ui::Font m_Old;
};

std::string trimmed(std::string_view s) { return std::string(kiv::text::trimRightBlanks(s)); }

int sizeOrOne(int size) { return size == 0 ? 1 : size; }

constexpr std::string_view kTwelveBlanks = "            ";

} // namespace

kiv::ui::Font CKivPrint::PrintFont(int height, bool underline) const {
    kiv::ui::Font f;
    f.face = m_PrintFace.empty() ? std::string("ＭＳ ゴシック") : m_PrintFace;
    f.height = height;
    f.weight = 400;
    f.underline = underline;
    return f;
}

void CKivPrint::MeasureBodyFont(PrinterDc& dc, const kiv::ui::Font& f) {
    const kiv::ui::Font old = dc.selectFont(f);
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    dc.selectFont(old);
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = static_cast<int>(tm.height * 2.22);
}

// ---------------------------------------------------------------------------------------------
// Form texts and the box

void CKivPrint::FormText(PrinterDc& dc, int divisor, bool underline) {
    const int height = (dc.pageWidth() / divisor) * m_FormSize;
    FontScope font(dc, PrintFont(height, underline));
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    const int cw = tm.aveCharWidth;
    const int line = static_cast<int>(tm.height * 1.11);
    // A text cut in the middle of a double-byte character prints a blank for the half.
    dc.textOut(m_FormX * cw, m_FormY * line, PrintableText(m_FormText));
}

void CKivPrint::PrintFormBox(PrinterDc& dc) {
    const int height = (dc.pageWidth() / 328) * m_FormSize;
    const kiv::ui::Font old = dc.selectFont(PrintFont(height, true));
    const int cw = dc.textMetrics().aveCharWidth;
    dc.selectFont(old);
    // The box is an outline: whatever the page drew before, nothing under it is filled.
    const kiv::ui::Pen oldPen = dc.selectPen({kiv::ui::PenStyle::Solid, 1, kiv::ui::kBlack});
    const kiv::ui::Brush oldBrush = dc.selectBrush(kiv::ui::Brush::hollowBrush());
    const int side = cw * m_FormSize;
    dc.rectangle(kiv::ui::Rect::fromSize(m_FormX * cw, m_FormY * cw, side, side));
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);
}

// ---------------------------------------------------------------------------------------------
// Body pages

void CKivPrint::PrintUtiwake(PrinterDc& dc, int page) {
    CKivDoc& d = Doc();
    m_PrintCurPage = page;
    const bool a4 = m_InsatuA4 != 0;
    const kiv::ui::Font font = PrintFont(dc.pageWidth() / (a4 ? 65 : 81));
    MeasureBodyFont(dc, font);
    FontScope scope(dc, font);

    // The page's item from the row counts of the preparation; only that item is read.
    m_PrintPageNo = 1 + (!a4 && m_InsatuHyousi ? 1 : 0);
    const bool cover = m_InsatuHyousiTuki != 0;
    const int items = static_cast<int>(m_ItemGyouCount.size());
    for (int i = 1; i <= items; ++i) {
        const int rows = m_ItemGyouCount[static_cast<std::size_t>(i - 1)];
        const int pages = ItemPages(i, rows);
        if (page >= m_PrintPageNo + pages) {
            m_PrintPageNo += pages;
            continue;
        }
        if (page < m_PrintPageNo)
            return;
        const int perPage = a4 ? m_PrintRowsPerPageA4 : m_PrintRowsPerPage;
        const int R = cover && page == 1 && i == 1 ? (a4 ? 20 : 8) : perPage;
        const int E = cover && page != 1 && i == 1 ? (a4 ? kCoverLinesA4 : kCoverLines) : 0;
        const int k = page - m_PrintPageNo + 1;
        m_PrintPageNo = page;

        // The item's rows straight from the store, in their order; the work area of the grid
        // stays as it is.
        std::vector<const std::string*> itemRows;
        for (int j = 0; j < d.PoolGyouCount(); ++j)
            if (d.KoumokuOfSlot(j) == i)
                itemRows.push_back(&d.PoolGyou(j));
        const int count = std::min(rows, static_cast<int>(itemRows.size()));

        PrintOuterFrame(dc);
        int gyou = (k - 1) * R + 1 - E;
        PrintTitleFrames(dc);
        PrintTitleText(dc);
        for (m_PrintLine = m_PrintFirstLine; m_PrintLine <= R; ++m_PrintLine) {
            PrintGyouFrames(dc);
            if (gyou >= 1 && gyou <= count) {
                m_PrintGyou = *itemRows[static_cast<std::size_t>(gyou - 1)];
                GyouRecord::fitLength(m_PrintGyou);
                PrintGyou(dc);
                ++gyou;
            }
        }
        --m_PrintLine;
        PrintOuterFrame(dc);
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Header and footer

void CKivPrint::PrintHedder(PrinterDc& dc, int page) {
    const HedderLayout& h = Doc().GetHedderLayout();
    m_PrintCurPage = page;
    auto print = [&](const LayoutItem& item, const std::string& text) {
        m_FormText = text;
        m_FormX = item.pos.x;
        m_FormY = item.pos.y;
        m_FormSize = sizeOrOne(item.pos.size);
        PrintFormText(dc);
    };
    if (!((m_InsatuHyousiTuki || m_InsatuHyousi) && page == 1))
        for (const LayoutItem* item : {&h.headerLeft, &h.headerCentre, &h.headerRight, &h.footerLeft, &h.footerRight})
            print(*item, item->text);
    if (!m_InsatuNoPageNo)
        print(h.footerPage, "-" + std::to_string(page) + "-");
}

void CKivPrint::PrintHedderA4(PrinterDc& dc, int page) {
    const HedderLayout& h = Doc().GetHedderLayout();
    m_PrintCurPage = page;
    auto print = [&](const LayoutItem& item, const std::string& text, int dx, int dy) {
        m_FormText = text;
        m_FormX = item.pos.x + dx;
        m_FormY = item.pos.y + dy;
        m_FormSize = sizeOrOne(item.pos.size);
        PrintFormTextA4(dc);
    };
    // The portrait page is narrower and longer: the centre and right texts move left, the
    // footer moves down.
    if (!(m_InsatuHyousiTuki && page == 1)) {
        print(h.headerLeft, h.headerLeft.text, 0, 0);
        print(h.headerCentre, h.headerCentre.text, -9, 0);
        print(h.headerRight, h.headerRight.text, -23, 0);
        print(h.footerLeft, h.footerLeft.text, 0, 44);
        print(h.footerRight, h.footerRight.text, -23, 44);
    }
    print(h.footerPage, "-" + std::to_string(page) + "-", -9, 44);
}

// ---------------------------------------------------------------------------------------------
// Cover block

namespace {

// One cover line: the printer of its scale and underline, the text and the group's position.
struct CoverLine {
    bool landscapeScale;
    bool underline;
    std::string text;
    LayoutPos pos;
};

std::vector<CoverLine> coverLines(CKivDoc& d, bool a4) {
    const HyousiLayout& h = d.GetHyousiLayout();
    const auto& data = d.HyousiData();
    std::vector<CoverLine> lines;
    // Lines 1-3 and the date keep the landscape scale on the A4 page too.
    lines.push_back({true, false, h.midasi.text, h.midasi.pos});
    const std::string meisyou = trimmed(h.meisyou.text);
    lines.push_back({true, true, meisyou + " " + trimmed(data[0]), h.meisyou.pos});
    const int size = sizeOrOne(h.meisyou.pos.size);
    lines.push_back({true, true, trimmed(data[1]),
                     {h.meisyou.pos.x + static_cast<int>(meisyou.size()) + 1, h.meisyou.pos.y + size / 3,
                      h.meisyou.pos.size}});
    lines.push_back({false, true, trimmed(data[2] + h.aite.text), h.aite.pos});
    std::string total = d.KingakuText();
    total.erase(0, total.find_first_not_of(' ') == std::string::npos ? total.size() : total.find_first_not_of(' '));
    lines.push_back({false, true, trimmed(h.kingaku.text) + total + "-", h.kingaku.pos});
    for (const LayoutItem& m : h.meisyouN)
        lines.push_back({false, false, trimmed(m.text), m.pos});
    static constexpr int kJoukenData[5] = {14, 16, 13, 12, 15};
    for (std::size_t j = 0; j < h.jouken.size(); ++j) {
        const LayoutItem& c = h.jouken[j];
        if (!a4 && c.text == kTwelveBlanks)
            continue;
        lines.push_back({false, true, c.text + data[static_cast<std::size_t>(kJoukenData[j])], c.pos});
    }
    for (const LayoutItem& b : h.bikouN)
        lines.push_back({false, false, trimmed(b.text), b.pos});
    lines.push_back({false, false, h.tantousya.text + data[4], h.tantousya.pos});
    auto part = [](const std::string& s) { return s.empty() ? std::string("    ") : s; };
    lines.push_back({true, false,
                     h.nengappi[0] + part(data[9]) + h.nengappi[1] + part(data[10]) + h.nengappi[2] + part(data[11]) +
                         h.nengappi[3],
                     h.nengappiPos});
    lines.push_back({false, false, h.mitumoriNo.text + data[5], h.mitumoriNo.pos});
    lines.push_back({false, false, data[3], h.bikou});
    return lines;
}

} // namespace

void CKivPrint::PrintHyousi(PrinterDc& dc, int page) {
    m_PrintCurPage = page;
    if (!((m_InsatuHyousiTuki || m_InsatuHyousi) && page == 1))
        return;
    m_View.GroupDigitsGoukei();
    for (const CoverLine& l : coverLines(Doc(), false)) {
        m_FormText = l.text;
        m_FormX = l.pos.x;
        m_FormY = l.pos.y;
        m_FormSize = sizeOrOne(l.pos.size);
        l.underline ? PrintFormTextUnderline(dc) : PrintFormText(dc);
    }
    const LayoutPos& waku = Doc().GetHyousiLayout().waku;
    m_FormX = waku.x;
    m_FormY = waku.y;
    m_FormSize = waku.size;
    PrintFormBox(dc);
}

void CKivPrint::PrintHyousiA4(PrinterDc& dc, int page) {
    m_PrintCurPage = page;
    if (!(m_InsatuHyousiTuki && page == 1))
        return;
    m_View.GroupDigitsGoukei();
    for (const CoverLine& l : coverLines(Doc(), true)) {
        m_FormText = l.text;
        m_FormX = l.pos.x;
        m_FormY = l.pos.y;
        m_FormSize = sizeOrOne(l.pos.size);
        if (l.landscapeScale)
            l.underline ? PrintFormTextUnderline(dc) : PrintFormText(dc);
        else
            l.underline ? PrintFormTextUnderlineA4(dc) : PrintFormTextA4(dc);
    }
    const LayoutPos& waku = Doc().GetHyousiLayout().waku;
    m_FormX = waku.x;
    m_FormY = waku.y;
    m_FormSize = waku.size;
    PrintFormBox(dc);
}
