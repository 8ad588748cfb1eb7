// The totals' print job: preparation (recalculation and the sheet table), one sheet with its
// page number, and the end step; and the totals view's print commands.
#include "totals/TotalPrint.h"

#include <algorithm>

#include "estimate/KivMessagePass.h"
#include "grid/FieldTable.h"
#include "grid/GridCell.h"
#include "platform/ui/App.h"
#include "totals/TotalDoc.h"
#include "totals/TotalView.h"

using kiv::print::PrintInfo;
using kiv::print::PrinterDc;

// ---------------------------------------------------------------------------------------------
// The view's commands

CTotalPrint& CTotalView::Print() {
    if (!m_Print)
        m_Print = std::make_unique<CTotalPrint>(*this);
    return *m_Print;
}

void CTotalView::OnFilePrint() { kiv::print::runPrintCommand(Print(), kiv::print::PrintCommand::Print); }

void CTotalView::OnFilePrintPreview() { kiv::print::runPrintCommand(Print(), kiv::print::PrintCommand::Preview); }

void CTotalDoc::ConnectPrintCommands() {
    auto grid = [this]() -> CTotalView* {
        for (kiv::ui::View* v : views())
            if (auto* t = dynamic_cast<CTotalView*>(v))
                return t;
        return nullptr;
    };
    onCommandId(kiv::ui::cmd::FilePrint, [grid] {
        if (CTotalView* v = grid())
            v->OnFilePrint();
    });
    onCommandId(kiv::ui::cmd::FilePrintPreview, [grid] {
        if (CTotalView* v = grid())
            v->OnFilePrintPreview();
    });
}

// ---------------------------------------------------------------------------------------------

CTotalPrint::CTotalPrint(CTotalView& view) : m_View(view) {}

CTotalDoc* CTotalPrint::Doc() const { return m_View.GetDocument(); }

std::string CTotalPrint::printTitle() const {
    CTotalDoc* d = Doc();
    if (d && !d->title().empty())
        return d->title();
    return "集計";
}

std::filesystem::path CTotalPrint::printDocumentPath() const {
    const CTotalDoc* d = Doc();
    return d ? d->pathName() : std::filesystem::path();
}

kiv::ui::Font CTotalPrint::PrinterFont(const PrinterDc& dc) {
    const int p = static_cast<int>(dc.getDeviceCaps(kiv::print::DeviceCap::LogPixelsX) *
                                   dc.getDeviceCaps(kiv::print::DeviceCap::HorzSize) / 25.4);
    return {"ＭＳ ゴシック", p / 64, 400};
}

void CTotalPrint::MeasurePrinterFont(PrinterDc& dc) {
    kiv::grid::FontScope font(dc, PrinterFont(dc));
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = static_cast<int>(tm.height * 1.6);
}

// ---------------------------------------------------------------------------------------------
// Preparation

void CTotalPrint::CollectSlots(const CTotalDoc& d) {
    m_Slots.assign(static_cast<std::size_t>(CTotalDoc::kKoumokuMax) + 1, {});
    for (int j = 0; j < d.PoolGyouCount(); ++j) {
        const int k = d.KoumokuOfSlot(j);
        if (k >= 1 && k <= CTotalDoc::kKoumokuMax)
            m_Slots[static_cast<std::size_t>(k)].push_back(j);
    }
}

void CTotalPrint::RecalcAndCountSheets(CTotalDoc& d) {
    const std::vector<int> walk = d.WalkKoumoku();
    CollectSlots(d);
    // A category without rows gets its blank first row, as loading it gives one.
    bool created = false;
    for (int k : walk) {
        if (!m_Slots[static_cast<std::size_t>(k)].empty())
            continue;
        d.SetCurKoumoku(k);
        d.LoadKoumokuGyou();
        d.StoreKoumokuGyou();
        created = true;
    }
    if (created)
        CollectSlots(d);

    // Every category from the last, on the stored rows: its items, then its total row. The
    // messages go to the pass, which shows each once with the first row that gave it.
    std::vector<std::string> messages;
    std::vector<const std::string*> items;
    auto report = [&messages](int k, int gyou) {
        for (const std::string& m : messages)
            KivRowMessage(m, RowPlace{k, gyou, true});
        messages.clear();
    };
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
        const int k = *it;
        const std::vector<int>& slots = m_Slots[static_cast<std::size_t>(k)];
        if (slots.empty())
            continue;
        items.clear();
        for (std::size_t i = 0; i + 1 < slots.size(); ++i) {
            std::string& row = d.EditPoolGyou(slots[i]);
            d.CalcGyou(row, messages);
            report(k, static_cast<int>(i) + 1);
            items.push_back(&row);
        }
        d.CalcKoumokuKei(items, d.EditPoolGyou(slots.back()), messages);
        report(k, static_cast<int>(slots.size()));
    }

    m_Sheets.clear();
    for (int k : walk) {
        const int rows = std::max<int>(1, static_cast<int>(m_Slots[static_cast<std::size_t>(k)].size()));
        for (int first = 1; first <= rows; first += m_PrintGyouCount)
            m_Sheets.push_back({k, first});
    }
}

bool CTotalPrint::onPreparePrinting(PrintInfo& info) {
    CTotalDoc* d = Doc();
    if (!d)
        return false;
    m_SavedKoumoku = d->CurKoumoku();
    m_SavedGyou = d->CurGyou();
    m_SavedTop = d->TopGyou();
    m_SavedScreen = d->ScreenGyou();
    m_SavedField = std::max(m_View.m_CurField[0], static_cast<int>(CTotalView::m_FirstField));
    {
        kiv::ui::App::WaitCursorScope wait;
        KivMessagePass pass;
        // A value typed into the cursor row prints: the grid's row goes to the page first.
        m_View.StoreCursorGyou();
        d->StoreKoumokuGyou();
        RecalcAndCountSheets(*d);
        d->MarkRecalculated();
        d->SetModifiedFlag();
        // The page of before, recalculated, until the job moves the grid.
        d->SetCurKoumoku(m_SavedKoumoku);
        d->LoadKoumokuGyou();
        d->SetCurGyou(std::clamp(m_SavedGyou, 1, d->GyouCount()));
    }
    info.minPage = 1;
    info.maxPage = static_cast<int>(m_Sheets.size());
    info.settings.orientation = kiv::print::Orientation::Portrait;
    if (!kiv::print::doPreparePrinting(info)) {
        RestoreBefore();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheets

CTotalPrint::PaperGeometry CTotalPrint::Paper(int cw, int lh) {
    const int textTop = 3 * lh + static_cast<int>(0.13 * lh);
    return {{6 * cw, 3 * lh, cw, lh, /*BoxTop*/ 0, /*BoxBottom*/ 0, /*TextTop*/ 0, /*GroupedShift*/ 0, /*RuleTop*/ 0},
            {6 * cw, textTop, cw, lh},
            {static_cast<int>(5.5 * cw), textTop, cw, lh}};
}

void CTotalPrint::PrintPage(PrinterDc& dc, int n) {
    using namespace kiv::grid;
    m_PrintPage = n;
    CTotalDoc* d = Doc();
    if (!d || n < 1 || n > static_cast<int>(m_Sheets.size()))
        return;
    MeasurePrinterFont(dc);
    FontScope font(dc, PrinterFont(dc));
    const PaperGeometry g = Paper(m_CharWidth, m_LineHeight);
    const FieldTable& t = g_TotalFieldTable;
    const Sheet sheet = m_Sheets[static_cast<std::size_t>(n - 1)];
    const std::vector<int>& slots = m_Slots[static_cast<std::size_t>(sheet.koumoku)];
    const auto comma = [&t](int f) { return t.CommaCells[static_cast<std::size_t>(f - 1)]; };

    const kiv::ui::Pen oldPen = dc.selectPen({kiv::ui::PenStyle::Solid, 1, kiv::ui::kBlack});
    const kiv::ui::Brush oldBrush = dc.selectBrush(kiv::ui::Brush::hollowBrush());
    const kiv::ui::Color oldText = dc.setTextColor(kiv::ui::kBlack);
    // The boxes of the heading (screenRow 0) or of grid row s, and the divider on top of the
    // lower line.
    const auto boxes = [&](int screenRow) {
        const auto at = [&](int f) {
            return screenRow == 0 ? CalcTitleFieldPos(t, f, 0).Pos : CalcFieldPos(t, f, screenRow, 0).Pos;
        };
        for (int f = 1; f <= CTotalView::kShownFields; ++f)
            if (const FieldPos pos = at(f); pos.Visible)
                DrawFieldBox(dc, g.boxes, pos, comma(f));
        const FieldPos from = at(CTotalView::kDividerFirstField);
        DrawLineRule(dc, g.boxes, from, at(CTotalView::kDividerLastField), from.Line, CTotalView::kDividerColor);
    };

    boxes(0);
    for (int f = 1; f <= CTotalView::kShownFields; ++f)
        if (const FieldPos pos = CalcTitleFieldPos(t, f, 0).Pos; pos.Visible)
            DrawFieldText(dc, g.texts, pos, g_TotalTitleText, 0, false);
    for (int s = 1; s <= m_PrintGyouCount; ++s) {
        boxes(s);
        const std::size_t i = static_cast<std::size_t>(sheet.firstGyou + s - 2);
        if (i >= slots.size())
            continue;
        const std::string& row = d->PoolGyou(slots[i]);
        for (int f = 1; f <= CTotalView::kShownFields; ++f)
            if (const FieldPos pos = CalcFieldPos(t, f, s, 0).Pos; pos.Visible)
                DrawFieldText(dc, comma(f) != 0 ? g.numbers : g.texts, pos, row, comma(f), true);
    }
    dc.setTextColor(oldText);
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

void CTotalPrint::PrintPageNo(PrinterDc& dc, int n) {
    m_PrintPage = n;
    m_PageNoText = std::to_string(n);
    m_PageNoText.insert(m_PageNoText.begin(), '-');
    m_PageNoText.push_back('-');
    MeasurePrinterFont(dc);
    kiv::grid::FontScope font(dc, PrinterFont(dc));
    dc.textOut(64 * m_CharWidth, static_cast<int>(m_LineHeight * 57.5), m_PageNoText);
}

void CTotalPrint::onPrint(PrinterDc& dc, PrintInfo& info) {
    PrintPage(dc, info.curPage);
    PrintPageNo(dc, info.curPage);
}

// ---------------------------------------------------------------------------------------------
// End

// The grid shows the page again with the caret at its screen position: the printer's metrics
// were kept in the print state, so the grid's own geometry still holds.
void CTotalPrint::ShowAt(int koumoku, int gyou, int top, int screen, int field) {
    CTotalDoc* d = Doc();
    if (!d)
        return;
    d->SetCurKoumoku(koumoku);
    d->LoadKoumokuGyou();
    d->SetCurGyou(std::clamp(gyou, 1, d->GyouCount()));
    d->SetTopGyou(std::clamp(top, 0, d->CurGyou() - 1));
    d->SetScreenGyou(std::max(1, screen));
    m_View.m_CurField[0] = field;
    m_View.CalcFieldPos();
    m_View.LoadGyou();
    m_View.SetCaretToField();
    m_View.invalidate();
    m_View.updateWindow();
}

void CTotalPrint::RestoreBefore() { ShowAt(m_SavedKoumoku, m_SavedGyou, m_SavedTop, m_SavedScreen, m_SavedField); }

void CTotalPrint::onEndPrinting(PrinterDc&, PrintInfo& info) {
    if (!info.completed) {
        RestoreBefore();
        return;
    }
    ShowAt(1, 1, 0, 1, CTotalView::m_FirstField);
}
