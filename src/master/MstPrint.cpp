// The master's print job: preparation and page map, the page printers, the labour summary of
// the 備考 column, the page number, the end step, and 印刷フォント指定.
#include "master/MstPrint.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessagePass.h"
#include "grid/GridViewBase.h"
#include "grid/GroupDigits.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "pricing/RowPricing.h"

using kiv::print::PrinterDc;
using kiv::print::PrintInfo;
using G = GyouRecord;

const char* const CMstPrint::kPrintFace = "ＭＳ ゴシック";

namespace {

constexpr kiv::ui::Color kRuleColour = kiv::ui::rgb(200, 200, 200);
constexpr int kPrintCellOffset = 9;   // the printed fields stand nine cells right of the grid's
constexpr int kPrintLineOffset = 3;   // and three lines lower
constexpr const char* kFontSample = "印刷フォント ABC 123";

int commaCellsOf(int field) { return g_MstFieldTable.CommaCells[static_cast<std::size_t>(field - 1)]; }

std::size_t idx(int i) { return static_cast<std::size_t>(i); }

int pagesOf(int rows, int perPage) { return std::max(1, (rows + perPage - 1) / perPage); }

} // namespace

CMstPrint::CMstPrint(CMstView& view) : m_View(view) {}

CMstPrint::~CMstPrint() = default;

MstDoc* CMstPrint::Doc() const { return m_View.GetDocument(); }

std::string CMstPrint::printTitle() const {
    const MstDoc* d = Doc();
    if (d && !d->title().empty())
        return d->title();
    return "マスター";
}

std::filesystem::path CMstPrint::printDocumentPath() const {
    const MstDoc* d = Doc();
    return d ? d->pathName() : std::filesystem::path();
}

int CMstPrint::BunRows(int bun) const {
    if (bun < 1 || bun >= static_cast<int>(m_BunStart.size()))
        return 0;
    return std::max(1, m_BunStart[idx(bun)] - m_BunStart[idx(bun - 1)]);
}

// ---------------------------------------------------------------------------------------------
// Preparation: the page map

void CMstPrint::BuildPageMap() {
    const MstDoc& d = *Doc();
    const int count = std::clamp(d.KoumokuCount(), 0, MstDoc::kBunMax);
    // Every category's rows in pool order (the order a category loads in), by one counting pass.
    m_BunStart.assign(idx(count) + 1, 0);
    m_IndexSlots.assign(idx(count), -1);
    for (int j = 0; j < d.PoolGyouCount(); ++j) {
        const int c = d.KoumokuOfSlot(j);
        if (c >= 1 && c <= count)
            ++m_BunStart[idx(c)];
    }
    for (int c = 1; c <= count; ++c)
        m_BunStart[idx(c)] = std::min(m_BunStart[idx(c)], GyouStore::kWorkSlots);
    for (int c = 1; c <= count; ++c)
        m_BunStart[idx(c)] += m_BunStart[idx(c - 1)];
    m_BunSlots.assign(idx(m_BunStart[idx(count)]), -1);
    std::vector<int> next(m_BunStart.begin(), m_BunStart.end() - 1);
    for (int j = 0; j < d.PoolGyouCount(); ++j) {
        const int c = d.KoumokuOfSlot(j);
        if (c < 1 || c > count)
            continue;
        if (next[idx(c - 1)] < m_BunStart[idx(c)])
            m_BunSlots[idx(next[idx(c - 1)]++)] = j;
        // The index lists the last line numbered 1 of each category, as the tree's titles do.
        if (G::toInt(d.PoolGyou(j), G::GyouNo) == 1)
            m_IndexSlots[idx(c - 1)] = j;
    }

    m_PageMap.clear();
    m_IndexPages = (count + m_PrintRowsPerPage - 1) / m_PrintRowsPerPage;
    for (int k = 0; k < m_IndexPages; ++k)
        m_PageMap.push_back({0, k * m_PrintRowsPerPage + 1});
    for (int c = 1; c <= count; ++c) {
        const int pages = pagesOf(BunRows(c), m_PrintRowsPerPage);
        for (int k = 0; k < pages; ++k)
            m_PageMap.push_back({c, k * m_PrintRowsPerPage + 1});
    }
    m_PrintPages = static_cast<int>(m_PageMap.size());
}

bool CMstPrint::OnPreparePrinting(PrintInfo& info) {
    MstDoc* d = Doc();
    if (!d)
        return false;
    m_View.hideCaret();
    {
        kiv::ui::App::WaitCursorScope wait;
        // Unsaved edits print: the row being edited and the category's work rows go back first.
        if (m_View.IsMasterGyou())
            m_View.StoreGyou();
        d->StoreKoumokuGyou();
        m_HScrollPairs = m_View.m_HScrollPairs;
        BuildPageMap();
    }
    m_Reported.clear();
    info.minPage = 1;
    info.maxPage = m_PrintPages;
    if (m_PrintPages <= 0 || !kiv::print::doPreparePrinting(info)) {
        // Nothing was loaded: the category on screen stays current and editable as it was, the
        // caret where it stood.
        m_View.SetCaretToField();
        m_View.showCaret();
        return false;
    }
    return true;
}

void CMstPrint::RestoreEditing() {
    m_View.CalcFieldPos();
    m_View.SetCaretToField();
    m_View.showCaret();
}

// ---------------------------------------------------------------------------------------------
// Begin, pages, end

void CMstPrint::OnBeginPrinting(PrinterDc&, PrintInfo&) { m_Pass = std::make_unique<KivMessagePass>(); }

void CMstPrint::OnPrint(PrinterDc& dc, PrintInfo& info) {
    PrintPage(dc, info.curPage);
    PrintPageNo(dc, info.curPage);
    m_View.onDraw(dc);
}

void CMstPrint::OnEndPrinting(PrinterDc&, PrintInfo& info) {
    // The collected messages are shown once, now.
    m_Pass.reset();
    MstDoc* d = Doc();
    if (!d)
        return;
    if (!info.completed) {
        m_View.SetCaretToField();
        m_View.showCaret();
        return;
    }
    d->SetCurKoumoku(1);
    d->LoadKoumokuGyou();
    d->SetCurGyou(1);
    d->SetTopGyou(0);
    d->SetScreenGyou(CMstView::m_FirstScreenGyou);
    m_View.m_CurField[0] = CMstView::m_FirstField;
    m_View.LoadGyou();
    m_View.invalidate();
    m_View.updateWindow();
    RestoreEditing();
}

void CMstPrint::MeasureBodyFont(PrinterDc& dc) {
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = static_cast<int>(tm.height * 1.75);
}

bool CMstPrint::PageGyou(const PageRef& ref, int i, std::string& row) const {
    const MstDoc& d = *Doc();
    const int place = ref.firstRow - 1 + i;
    if (ref.bun == 0) {
        if (place >= static_cast<int>(m_IndexSlots.size()))
            return false;
        const int slot = m_IndexSlots[idx(place)];
        row = slot >= 0 ? d.PoolGyou(slot) : G::blankRow();
        return true;
    }
    const int begin = m_BunStart[idx(ref.bun - 1)];
    const int rows = m_BunStart[idx(ref.bun)] - begin;
    if (rows == 0 && place == 0) {
        // An empty category shows the row 1 that loading it would give.
        row = G::blankRow();
        G::writeKey(row, ref.bun, 1);
        row.replace(GyouStore::kHokyuuPos, G::DefaultHokyuu.size(), G::DefaultHokyuu);
        return true;
    }
    if (place >= rows)
        return false;
    row = d.PoolGyou(m_BunSlots[idx(begin + place)]);
    return true;
}

void CMstPrint::PricePrintGyou() {
    const MstDoc& d = *Doc();
    G::fitLength(m_PrintGyou);
    RowPricingReport report;
    report.place = {G::koumokuOf(m_PrintGyou), G::toInt(m_PrintGyou, G::GyouNo), true};
    report.messages = m_Reported.insert(report.place.no * 100000LL + report.place.gyou).second;
    const RowPricingRules rules{FukugouUse::Master, d.IsFukugouStyle(), false};
    const RowPricing p = PriceKivGyou(m_PrintGyou, d.GetRoumu(), d.FukugouMarume(), report, rules);
    m_LabourNo = p.roumuNo;
}

void CMstPrint::PrintPage(PrinterDc& dc, int page) {
    m_CurPage = page;
    if (!Doc() || page < 1 || page > static_cast<int>(m_PageMap.size()))
        return;
    const int width = dc.pageWidth();
    const kiv::ui::Font old = dc.selectFont({kPrintFace, width / kBodyFontDivisor, 400});
    MeasureBodyFont(dc);
    const PageRef ref = m_PageMap[idx(page - 1)];

    m_PrintRow = 0;
    PrintTitle(dc);
    bool more = true;
    for (m_PrintRow = 1; m_PrintRow <= m_PrintRowsPerPage; ++m_PrintRow) {
        PrintGyouFrames(dc);
        if (more && (more = PageGyou(ref, m_PrintRow - 1, m_PrintGyou))) {
            PricePrintGyou();
            PrintGyou(dc);
        }
    }
    dc.selectFont(old);
}

// ---------------------------------------------------------------------------------------------
// The printed table: drawn by the grid's own routines on the paper geometry

FieldPos CMstPrint::PrintFieldPos(int field) const {
    const FieldGeometry g = m_PrintRow == 0 ? ::CalcTitleFieldPos(g_MstFieldTable, field, m_HScrollPairs)
                                            : ::CalcFieldPos(g_MstFieldTable, field, m_PrintRow, m_HScrollPairs);
    return g.Pos;
}

kiv::grid::GridGeometry CMstPrint::PaperGeometry() const {
    // The grid's cells stand nine cells right and three lines down on paper. Boxes fill their
    // lines exactly, texts stand 0.13 of a line lower, grouped numbers start half a cell (cut
    // to the dot) further left, and the row rule runs from the first field's own cell to four
    // cells short of the last field's end.
    const int c = m_CharWidth, l = m_LineHeight;
    kiv::grid::GridGeometry g{kPrintCellOffset * c, kPrintLineOffset * l, c, l};
    g.BoxTop = 0;
    g.BoxBottom = 0;
    g.TextTop = static_cast<int>(l * 0.13);
    g.GroupedShift = static_cast<int>((kPrintCellOffset - 0.5) * c) - kPrintCellOffset * c;
    g.RuleTop = 0;
    g.RuleFromCells = 0;
    g.RuleToCells = -4;
    return g;
}

kiv::grid::GridDesc CMstPrint::PaperDesc() const {
    // Black boxes and captions on white paper, the rules dotted light grey.
    kiv::grid::GridDesc desc = m_View.Desc();
    desc.LastField = kLastPrintField;
    kiv::grid::GridColors& k = desc.Colors;
    k.CellPen = k.SelectedPen = kiv::ui::kBlack;
    k.CaptionFill = k.RowFill = k.SelectedFill = kiv::ui::kWhite;
    k.CaptionText = k.RowText = kiv::ui::kBlack;
    k.CaptionRule = k.RulePen = kRuleColour;
    k.RuleStyle = kiv::ui::PenStyle::Dot;
    return desc;
}

void CMstPrint::PrintTitle(PrinterDc& dc) { kiv::grid::DrawCaption(dc, PaperGeometry(), PaperDesc(), m_HScrollPairs); }

void CMstPrint::PrintGyouFrames(PrinterDc& dc) {
    kiv::grid::DrawGridRow(dc, PaperGeometry(), PaperDesc(), {}, m_PrintRow, m_HScrollPairs, true, false, true, false);
}

void CMstPrint::PrintGyou(PrinterDc& dc) {
    const kiv::grid::GridGeometry g = PaperGeometry();
    const kiv::ui::Color old = dc.setTextColor(kiv::ui::kBlack);
    for (int f = 1; f <= kLastPrintField; ++f) {
        const FieldPos p = PrintFieldPos(f);
        if (!p.Visible)
            continue;
        if (f == kLabourField)
            dc.textOut(static_cast<int>((p.X0 + 8.8) * m_CharWidth), g.y(p.Line) + g.TextTop, LabourSummary());
        else
            kiv::grid::DrawFieldText(dc, g, p, m_PrintGyou, commaCellsOf(f), true);
    }
    dc.setTextColor(old);
}

// ---------------------------------------------------------------------------------------------
// The labour summary of the 備考 column

void CMstPrint::GroupDigitsPrintBuf() {
    constexpr int kWidth = RoumuRecord::TankaWidth;
    constexpr int kGrouped = 13;
    std::string source = m_PrintNumBuf.substr(0, std::min<std::size_t>(kWidth, m_PrintNumBuf.size()));
    source.resize(kWidth, ' ');
    const GroupedDigits g = GroupDigits(source);
    std::string out(g.Text(kWidth));
    if (out.size() < kGrouped)
        out.insert(0, kGrouped - out.size(), ' ');
    m_PrintNumBuf = out;
}

std::string CMstPrint::LabourSummary() {
    const MstDoc* d = Doc();
    std::string summary;
    if (!d)
        return std::string(kLabourSummaryLength, ' ');
    const int used = static_cast<int>(std::count_if(m_LabourNo.begin(), m_LabourNo.end(), [](int n) { return n != 0; }));
    for (int n : m_LabourNo) {
        if (n == 0)
            continue;
        const RoumuRecord* e = n >= 1 && n <= static_cast<int>(RoumuList::MaxLines) ? d->GetRoumu().byNumber(n) : nullptr;
        if (!e)
            continue;
        const std::string_view line = e->text();
        std::string_view trade = line.substr(RoumuRecord::SyokusyuPos, RoumuRecord::SyokusyuWidth);
        if (used == 3 && !trade.empty())
            trade = trade.substr(0, kiv::text::isLeadByte(static_cast<unsigned char>(trade[0])) ? 2 : 1);
        summary += kiv::text::trimRightBlanks(trade);
        // The list keeps the price as typed (left-aligned): right-aligned first, then grouped.
        const std::string_view price =
            kiv::text::trimBlanks(line.substr(RoumuRecord::Tanka1Pos, RoumuRecord::TankaWidth));
        m_PrintNumBuf = std::string(RoumuRecord::TankaWidth - std::min(price.size(), RoumuRecord::TankaWidth), ' ');
        m_PrintNumBuf += price;
        GroupDigitsPrintBuf();
        const std::string_view grouped = kiv::text::trimBlanks(m_PrintNumBuf);
        // Six cells right-aligned; a longer price prints whole rather than losing its first digit.
        if (grouped.size() < 6)
            summary.append(6 - grouped.size(), ' ');
        summary += grouped;
        summary += ' ';
    }
    std::string out = kiv::text::fitBytes(summary, kLabourSummaryLength);
    out.resize(kLabourSummaryLength, ' ');
    return out;
}

// ---------------------------------------------------------------------------------------------
// Page number

void CMstPrint::PrintPageNo(PrinterDc& dc, int page) {
    m_PageNoText = "-" + std::to_string(page) + "-";
    PrintPageNoText(dc);
}

void CMstPrint::PrintPageNoText(PrinterDc& dc) {
    const int width = dc.pageWidth();
    const kiv::ui::Font old = dc.selectFont({kPrintFace, width / kPageNoFontDivisor, 400});
    m_LineHeight = static_cast<int>(dc.textMetrics().height * 1.6);
    // x counts cells of the body font; only the line pitch comes from the page-number font.
    dc.textOut(kPageNoCell * m_CharWidth, kPageNoLine * m_LineHeight, m_PageNoText);
    dc.selectFont(old);
}

// ---------------------------------------------------------------------------------------------
// 印刷フォント指定

void CMstPrint::OnInsatuFont() {
    const auto chosen = kiv::ui::fontDialog(kiv::ui::Font::systemFixed(), &m_View);
    if (!chosen)
        return;
    std::unique_ptr<kiv::ui::Dc> dc = m_View.getDc();
    if (!dc)
        return;
    const kiv::ui::Font old = dc->selectFont(*chosen);
    dc->textOut(10, 10, kiv::text::sj(kFontSample));
    dc->selectFont(old);
}
