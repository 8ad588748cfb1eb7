#include "master/MstView.h"

#include <algorithm>
#include <memory>

#include "grid/GridCell.h"
#include "grid/GroupDigits.h"
#include "grid/GyouRecord.h"
#include "grid/KivViewLinks.h"
#include "master/MstDoc.h"
#include "master/MstFind.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Keys.h"

using kiv::ui::Brush;
using kiv::ui::Color;
using kiv::ui::Dc;
using kiv::ui::Pen;
using kiv::ui::PenStyle;
using kiv::ui::rgb;

CMstView* g_pMstView = nullptr;

namespace {

constexpr Color kClientPen = rgb(100, 100, 100);
constexpr Color kClientFill = rgb(211, 211, 211);
constexpr Color kCellPen = rgb(100, 100, 100);
constexpr Color kCaptionFill = rgb(211, 211, 211);
constexpr Color kCaptionText = rgb(0, 123, 67);
constexpr Color kCaptionRule = rgb(146, 7, 131);
constexpr Color kRowFill = rgb(255, 255, 200);
constexpr Color kRowText = kiv::ui::kBlack;
constexpr Color kSelectedPen = kiv::ui::kBlack;
constexpr Color kSelectedFill = rgb(200, 200, 200);
constexpr Color kRulePen = rgb(180, 200, 150);


int commaCellsOf(int field) { return g_MstFieldTable.CommaCells[static_cast<std::size_t>(field - 1)]; }

bool isCursorField(int field, int hscrollPairs) {
    return IsFieldShown(g_MstFieldTable, field, hscrollPairs) &&
           g_MstFieldTable.Skip[static_cast<std::size_t>(field - 1)] == 0;
}


} // namespace

CMstView::CMstView() : m_EditGyou(m_GyouLen, ' ') {
    m_CurField[0] = m_FirstField;
    onCommandId(ID_EDIT_COPY, [this] { OnEditCopy(); });
    onCommandId(ID_EDIT_CUT, [this] { OnEditCut(); });
    onCommandId(ID_SYOUSAI, [this] { OnSyousai(); });
    onCommandId(ID_TENSOU, [this] { OnTensou(); });
    onCommandId(ID_BUBUN_TENSOU, [this] { OnBubunTensou(); });
    onCommandId(ID_TANKA_HENKAN, [this] { OnTankaHenkan(); });
    onCommandId(ID_SONOTA_HENKAN, [this] { OnSonotaHenkan(); });
    onCommandId(ID_OLD_DENKI_MASTER, [this] { OnOldDenkiMaster(); });
    onCommandId(ID_BUKAKE_SELECT, [this] { OnBukakeSelect(); });
    onCommandId(ID_TANKA_COPY, [this] { OnTankaCopy(); });
    onCommandId(ID_GYOU_TANKA_HENKAN, [this] { OnGyouTankaHenkan(); });
    onCommandId(ID_CSV_READ, [this] { OnCsvRead(); });
    AddRowCommands();
    g_pMstView = this;
}

CMstView::~CMstView() {
    MstFindViewGone(this);
    ForgetRowCommands();
    Detach();
    if (g_pMstView == this)
        g_pMstView = g_pMstDoc ? g_pMstDoc->GetView() : nullptr;
}

MstDoc* CMstView::GetDocument() const {
    if (m_pDoc)
        return m_pDoc;
    return dynamic_cast<MstDoc*>(document());
}

void CMstView::SetDocument(MstDoc* doc) {
    if (!doc)
        Detach();
    m_pDoc = doc;
    if (doc)
        Attach(doc);
}

void CMstView::Attach(MstDoc* doc) {
    if (m_pAttached != doc)
        Detach();
    m_pAttached = doc;
    doc->SetView(this);
}

void CMstView::Detach() {
    if (m_pAttached && m_pAttached->GetView() == this)
        m_pAttached->SetView(nullptr);
    m_pAttached = nullptr;
}

void CMstView::ForgetDocument(const MstDoc* doc) {
    if (m_pAttached == doc)
        m_pAttached = nullptr;
    if (m_pDoc == doc)
        m_pDoc = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Positions and the row path

void CMstView::SavePosition(int slot) {
    MstDoc* d = GetDocument();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[k] = m_CurField[0];
    d->m_CurGyou[k] = d->m_CurGyou[0];
    d->m_TopGyou[k] = d->m_TopGyou[0];
    d->m_ScreenGyou[k] = d->m_ScreenGyou[0];
    m_SavedVisibleGyou[k] = m_VisibleGyou;
    d->m_CurKoumoku[k] = d->m_CurKoumoku[0];
}

void CMstView::RestorePosition(int slot) {
    MstDoc* d = GetDocument();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[0] = m_CurField[k];
    d->m_CurGyou[0] = d->m_CurGyou[k];
    d->m_TopGyou[0] = d->m_TopGyou[k];
    d->m_ScreenGyou[0] = d->m_ScreenGyou[k];
    m_VisibleGyou = m_SavedVisibleGyou[k];
    d->m_CurKoumoku[0] = d->m_CurKoumoku[k];
}

void CMstView::LoadGyou() {
    if (MstDoc* d = GetDocument())
        d->GetCurrentGyou(m_EditGyou);
    GyouRecord::fitLength(m_EditGyou);
}

void CMstView::StoreGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    // Storing a row as it stands is no change: a master only opened and looked at closes
    // without the save question.
    std::string stored;
    d->GetCurrentGyou(stored);
    if (stored != m_EditGyou)
        d->SetCurrentGyou(m_EditGyou);
}

bool CMstView::AddGyou() {
    MstDoc* d = GetDocument();
    if (!d || !d->AddGyou())
        return false;
    ++d->m_GyouCount;
    return true;
}

void CMstView::RenumberStoreGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    ClearGyouBuffer();
    GyouRecord::writeKey(m_EditGyou, d->m_CurKoumoku[0], d->m_CurGyou[0]);
    m_EditGyou.replace(GyouStore::kHokyuuPos, GyouRecord::DefaultHokyuu.size(), GyouRecord::DefaultHokyuu);
    StoreGyou();
}

void CMstView::RecalcGyou() {
    CalcFukugouTanka();
    SavePosition(3);
    // The master keeps no quantities: they are blanked whenever its row is recalculated.
    for (int f = GyouRecord::HiroidasiSuu1; f <= GyouRecord::SekisanSuu2; ++f)
        GyouRecord::blank(m_EditGyou, f);
    StoreGyou();
    RestorePosition(3);
    // A category chosen in the detail dialog that the labour check opened: the row moves now
    // that it is stored; the buffer takes the row that came into its place.
    if (m_PendingBun > 0) {
        const int bun = m_PendingBun;
        m_PendingBun = 0;
        SavePosition(3);
        MoveGyouToBun(bun);
        RestorePosition(3);
        LoadGyou();
    }
}

void CMstView::ReadBunNo() { m_BunNo = GyouRecord::toInt(m_EditGyou, m_BunField); }

// ---------------------------------------------------------------------------------------------
// Geometry

void CMstView::CalcFieldPos() {
    MstDoc* d = GetDocument();
    m_TypedCount = 0;
    m_PointTyped = 0;
    m_HScrollPairs = std::clamp(m_HScrollPairs, 0, m_HScrollRange - 1);
    const int field = std::clamp(m_CurField[0], 1, FieldTable::Size);
    const int screenRow = std::clamp(d ? d->m_ScreenGyou[0] : 1, 1, kMaxVisibleGyou);
    const FieldGeometry g = ::CalcFieldPos(g_MstFieldTable, field, screenRow, m_HScrollPairs);
    m_FieldPos = g.Pos;
    m_CaretOfs = g.CaretOfs;
    m_HScrollCells = g.HScrollCells;
}

void CMstView::CalcTitleFieldPos() {
    const int field = std::clamp(m_CurField[0], 1, FieldTable::Size);
    const FieldGeometry g = ::CalcTitleFieldPos(g_MstFieldTable, field, m_HScrollPairs);
    m_FieldPos = g.Pos;
    m_CaretOfs = g.CaretOfs;
    m_HScrollCells = g.HScrollCells;
}

void CMstView::SetCaretToField() {
    setCaretPos({(m_FieldPos.X0 + m_CaretOfs) * m_CharWidth, m_FieldPos.Line * m_LineHeight});
}

kiv::ui::Font CMstView::GridFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }

void CMstView::MeasureFont() {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    kiv::grid::FontScope font(*dc, GridFont());
    const kiv::ui::TextMetrics tm = dc->textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = tm.height + 4;
}

int CMstView::VisibleGyouFor(int clientHeight) const {
    const int lines = m_LineHeight > 0 ? clientHeight / m_LineHeight : 0;
    return std::clamp((lines - 2) / 2, 1, kMaxVisibleGyou);
}

bool CMstView::KeepCursorOnScreen() {
    MstDoc* d = GetDocument();
    if (!d || d->m_ScreenGyou[0] <= m_VisibleGyou)
        return false;
    d->m_TopGyou[0] += d->m_ScreenGyou[0] - m_VisibleGyou;
    d->m_ScreenGyou[0] = m_VisibleGyou;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Painting

void CMstView::DrawFieldBox(Dc& dc, int field) const {
    const int cw = m_CharWidth, lh = m_LineHeight;
    dc.rectangle({(m_FieldPos.X0 - commaCellsOf(field) - 1) * cw + 3, m_FieldPos.Line * lh - 2,
                  (m_FieldPos.X1 + 1) * cw + 4, (m_FieldPos.Line + 1) * lh - 1});
}

void CMstView::DrawFieldText(Dc& dc, bool grouped) {
    const int field = m_CurField[0];
    std::string text(std::string_view(m_EditGyou).substr(static_cast<std::size_t>(m_FieldPos.Offset),
                                                         static_cast<std::size_t>(m_FieldPos.Width)));
    int x0 = m_FieldPos.X0;
    if (grouped && m_FieldPos.IsText == 0 && commaCellsOf(field) != 0 && m_FieldPos.Width <= GroupedDigits::MaxWidth) {
        // Thousands separators take cells to the left of the number.
        const GroupedDigits g = GroupDigits(text);
        text = std::string(g.Text(m_FieldPos.Width));
        x0 -= g.Spare;
    }
    dc.textOut(x0 * m_CharWidth, m_FieldPos.Line * m_LineHeight, text);
}

void CMstView::DrawRowRule(Dc& dc) {
    m_CurField[0] = GyouRecord::GyouNo;
    CalcFieldPos();
    const int left = (m_FieldPos.X0 - 1) * m_CharWidth + 3;
    const int y = m_FieldPos.Line * m_LineHeight - 2;
    m_CurField[0] = m_LastField;
    CalcFieldPos();
    const int right = (m_FieldPos.X1 + 1) * m_CharWidth + 4;
    const Pen old = dc.selectPen({PenStyle::Solid, 1, kRulePen});
    dc.moveTo(left, y);
    dc.lineTo(right, y);
    dc.selectPen(old);
}

void CMstView::DrawRow(Dc& dc, bool boxes, RowLook look, bool texts, bool rule) {
    const int saved = m_CurField[0];
    const bool selected = look == RowLook::Selected;
    const Color fill = selected ? kSelectedFill : kRowFill;
    if (boxes) {
        const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, selected ? kSelectedPen : kCellPen});
        const Brush oldBrush = dc.selectBrush(Brush::solid(fill));
        for (int f = 1; f <= m_LastField; ++f) {
            m_CurField[0] = f;
            CalcFieldPos();
            if (m_FieldPos.Visible)
                DrawFieldBox(dc, f);
        }
        dc.selectPen(oldPen);
        dc.selectBrush(oldBrush);
    }
    if (texts) {
        const Color oldText = dc.setTextColor(kRowText);
        const Color oldBack = dc.setBkColor(fill);
        for (int f = 1; f <= m_LastField; ++f) {
            m_CurField[0] = f;
            CalcFieldPos();
            if (m_FieldPos.Visible)
                DrawFieldText(dc, true);
        }
        dc.setTextColor(oldText);
        dc.setBkColor(oldBack);
    }
    if (rule)
        DrawRowRule(dc);
    m_CurField[0] = saved;
    CalcFieldPos();
}

void CMstView::DrawRowOwnDc(bool boxes, RowLook look, bool texts, bool rule) {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    kiv::grid::FontScope font(*dc, GridFont());
    DrawRow(*dc, boxes, look, texts, rule);
}

void CMstView::DrawCurFieldOwnDc(bool grouped) {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    kiv::grid::FontScope font(*dc, GridFont());
    dc->setTextColor(kRowText);
    dc->setBkColor(kRowFill);
    DrawFieldText(*dc, grouped);
}

void CMstView::DrawCurField() {
    if (m_FieldFull == 0)
        DrawCurFieldOwnDc(false);
}

void CMstView::DrawCurFieldFormatted() { DrawCurFieldOwnDc(true); }

void CMstView::DrawCurGyou() { DrawRowOwnDc(false, RowLook::Normal, true, false); }

void CMstView::DrawGyouFramed() { DrawRowOwnDc(true, RowLook::Normal, true, true); }

void CMstView::DrawTitle(Dc& dc) {
    const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, kClientPen});
    const Brush oldBrush = dc.selectBrush(Brush::solid(kClientFill));
    dc.rectangle(clientRect());
    dc.selectPen({PenStyle::Solid, 1, kCellPen});
    dc.selectBrush(Brush::solid(kCaptionFill));
    const int saved = m_CurField[0];
    for (int f = 1; f <= m_LastField; ++f) {
        m_CurField[0] = f;
        CalcTitleFieldPos();
        if (m_FieldPos.Visible)
            DrawFieldBox(dc, f);
    }
    // The rule between the two caption lines.
    m_CurField[0] = GyouRecord::GyouNo;
    CalcTitleFieldPos();
    const int left = (m_FieldPos.X0 - 1) * m_CharWidth + 3;
    const int y = m_FieldPos.Line * m_LineHeight - 2;
    m_CurField[0] = m_LastField;
    CalcTitleFieldPos();
    dc.selectPen({PenStyle::Solid, 1, kCaptionRule});
    dc.moveTo(left, y);
    dc.lineTo((m_FieldPos.X1 + 1) * m_CharWidth + 4, y);
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);

    const Color oldText = dc.setTextColor(kCaptionText);
    const Color oldBack = dc.setBkColor(kCaptionFill);
    for (int f = 1; f <= m_LastField; ++f) {
        m_CurField[0] = f;
        CalcTitleFieldPos();
        if (!m_FieldPos.Visible)
            continue;
        const std::string_view caption = std::string_view(g_MstTitleText).substr(
            static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(m_FieldPos.Width));
        dc.textOut(m_FieldPos.X0 * m_CharWidth, m_FieldPos.Line * m_LineHeight, caption);
    }
    dc.setTextColor(oldText);
    dc.setBkColor(oldBack);
    m_CurField[0] = saved;
}

void CMstView::DrawGyouAt(int gyou, int screenRow) {
    MstDoc* d = GetDocument();
    if (!d || screenRow < 1 || screenRow > m_VisibleGyou)
        return;
    d->m_CurGyou[0] = gyou;
    d->m_ScreenGyou[0] = screenRow;
    if (gyou >= 1 && gyou <= d->m_GyouCount)
        LoadGyou();
    else
        ClearGyouBuffer();
    DrawGyouFramed();
}

void CMstView::RedrawVisibleGyou(bool framed) {
    MstDoc* d = GetDocument();
    std::unique_ptr<Dc> dc = d ? getDc() : nullptr;
    if (!dc)
        return;
    KeepCursorOnScreen();
    SavePosition(2);
    {
        kiv::grid::FontScope font(*dc, GridFont());
        int gyou = d->m_TopGyou[0] + 1;
        for (int s = 1; s <= m_VisibleGyou; ++s, ++gyou) {
            d->m_CurGyou[0] = gyou;
            d->m_ScreenGyou[0] = s;
            LoadGyou();
            if (gyou > d->m_GyouCount)
                ClearGyouBuffer();
            DrawRow(*dc, framed, RowLook::Normal, true, framed);
        }
    }
    RestorePosition(2);
    CalcFieldPos();
    LoadGyou();
}

void CMstView::RedrawGyou() { RedrawVisibleGyou(true); }

void CMstView::RedrawGyou2() { RedrawVisibleGyou(false); }

void CMstView::onDraw(Dc& dc) {
    MstDoc* d = GetDocument();
    if (d)
        kiv::grid::SetStatusPaneText(kPaneFileName, kiv::grid::FileNameOf(d->GetPathName()));
    if (dc.isPrinting())
        return;
    kiv::grid::FontScope font(dc, GridFont());
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = tm.height + 4;
    m_VisibleGyou = VisibleGyouFor(clientRect().height());
    const bool cursorMoved = KeepCursorOnScreen();
    if (!d) {
        DrawTitle(dc);
        return;
    }
    // A paint may come between two keystrokes: the cell being typed and the caret survive it.
    const int typedCount = m_TypedCount;
    const int pointTyped = m_PointTyped;
    const int caretOfs = m_CaretOfs;
    const bool typing = m_TypedCount > 0;
    const std::string editing = m_EditGyou;
    const int cursorGyou = d->m_CurGyou[0];
    SavePosition(2);
    DrawTitle(dc);
    int gyou = d->m_TopGyou[0] + 1;
    for (int s = 1; s <= m_VisibleGyou; ++s) {
        d->m_CurGyou[0] = gyou;
        d->m_ScreenGyou[0] = s;
        DrawRow(dc, true, RowLook::Normal, false, true);
        if (gyou <= d->m_GyouCount) {
            if (typing && gyou == cursorGyou)
                m_EditGyou = editing;
            else
                LoadGyou();
            DrawRow(dc, false, RowLook::Normal, true, false);
            ++gyou;
        }
    }
    RestorePosition(2);
    CalcFieldPos();
    m_TypedCount = typedCount;
    m_PointTyped = pointTyped;
    m_CaretOfs = caretOfs;
    if (typing)
        m_EditGyou = editing;
    else
        LoadGyou();
    if (cursorMoved && hasFocus())
        SetCaretToField();
}

// ---------------------------------------------------------------------------------------------
// Caret and field navigation

void CMstView::onSetFocus() {
    View::onSetFocus();
    const int lineHeight = m_LineHeight;
    MeasureFont();
    if (lineHeight > 0)
        m_LineHeight = lineHeight;
    createSolidCaret(kCaretWidth, m_CharHeight);
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void CMstView::onKillFocus() {
    View::onKillFocus();
    hideCaret();
    destroyCaret();
}

void CMstView::SetImeForField() { setImeOpen(m_FieldPos.IsText == 1 && m_CurField[0] > 4); }

void CMstView::NextField() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    m_FieldFull = 0;
    const int left = std::clamp(m_CurField[0], 1, m_LastField);
    if (commaCellsOf(left) != 0)
        DrawCurFieldFormatted();
    for (int f = left + 1; f <= m_LastField; ++f) {
        if (isCursorField(f, m_HScrollPairs)) {
            m_CurField[0] = f;
            CalcFieldPos();
            return;
        }
    }
    // The row is finished: it goes back to the document and the cursor moves to the next row,
    // which is appended when the row left was the category's last.
    StoreGyou();
    DrawCurGyou();
    const int cur = d->m_CurGyou[0];
    const bool append = cur >= d->m_GyouCount;
    if (append) {
        if (cur > d->m_GyouCount) {
            if (!AddGyou()) {
                CalcFieldPos();
                return;
            }
            d->m_CurGyou[0] = d->m_GyouCount;
            std::string edited = m_EditGyou;
            RenumberStoreGyou();
            edited.replace(0, 8, m_EditGyou, 0, 8);
            m_EditGyou = edited;
            StoreGyou();
        }
        // Nothing moves when the category or the master has no room for one more row.
        if (!AddGyou()) {
            CalcFieldPos();
            return;
        }
    }
    const int next = d->m_CurGyou[0] + 1;
    if (d->m_ScreenGyou[0] >= m_VisibleGyou) {
        ScrollGridRows(1, m_VisibleGyou - 1, -1);
        if (m_VisibleGyou > 1) {
            d->m_ScreenGyou[0] = m_VisibleGyou - 1;
            DrawCurGyou();
        }
        d->m_ScreenGyou[0] = m_VisibleGyou;
        ++d->m_TopGyou[0];
    } else {
        ++d->m_ScreenGyou[0];
    }
    d->m_CurGyou[0] = next;
    if (append)
        RenumberStoreGyou();
    else
        LoadGyou();
    m_CurField[0] = m_FirstField;
    CalcFieldPos();
    DrawCurGyou();
}

void CMstView::PrevField() {
    // The previous field the cursor can enter: from 11 that is 6, from 19 it is 14, over the
    // hidden quantity and amount columns.
    const int from = std::clamp(m_CurField[0], m_FirstField, m_LastField);
    m_CurField[0] = m_FirstField;
    for (int f = from - 1; f >= m_FirstField; --f) {
        if (isCursorField(f, m_HScrollPairs)) {
            m_CurField[0] = f;
            break;
        }
    }
    CalcFieldPos();
}

void CMstView::SkipKeisanField() {
    while (m_FieldPos.Skip == 1 && m_CurField[0] < m_LastField) {
        ++m_CurField[0];
        CalcFieldPos();
    }
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void CMstView::ScrollGridRows(int fromRow, int toRow, int rows) {
    const int lh = m_LineHeight;
    const int saved = m_CurField[0];
    m_CurField[0] = m_LastField;
    CalcFieldPos();
    const int right = (m_FieldPos.X1 + 1) * m_CharWidth + 4;
    m_CurField[0] = saved;
    CalcFieldPos();
    const kiv::ui::Rect area{3, 2 * fromRow * lh - 2, right + 1, 2 * (toRow + 1) * lh - 2};
    if (area.isEmpty())
        return;
    scrollWindow(0, 2 * rows * lh, area);
    validateRect(area);
}

bool CMstView::ScrollStepUp() {
    MstDoc* d = GetDocument();
    if (!d || d->m_TopGyou[0] < 1)
        return false;
    StoreGyou();
    SavePosition(1);
    const int top = d->m_TopGyou[0];
    if (m_VisibleGyou >= 2)
        ScrollGridRows(1, m_VisibleGyou, 1);
    DrawGyouAt(top, 1);
    RestorePosition(1);
    CalcFieldPos();
    --d->m_CurGyou[0];
    --d->m_TopGyou[0];
    LoadGyou();
    return true;
}

bool CMstView::ScrollStepDown() {
    MstDoc* d = GetDocument();
    if (!d)
        return false;
    const int top = d->m_TopGyou[0];
    const int v = m_VisibleGyou;
    if (d->m_GyouCount - top < v || d->m_CurGyou[0] >= m_MaxGyou)
        return false;
    StoreGyou();
    SavePosition(1);
    if (v >= 2)
        ScrollGridRows(1, v - 1, -1);
    DrawGyouAt(top + v, v - 1);
    DrawGyouAt(top + v + 1, v);
    RestorePosition(1);
    CalcFieldPos();
    ++d->m_CurGyou[0];
    ++d->m_TopGyou[0];
    LoadGyou();
    return true;
}

void CMstView::ResetVScroll(int max) {
    MstDoc* d = GetDocument();
    setScrollRange(kiv::ui::SB_VERT, 0, max);
    setScrollPos(kiv::ui::SB_VERT, d ? d->m_CurGyou[0] : 0);
}

void CMstView::onVScroll(int code, int pos) {
    using namespace kiv::ui;
    MstDoc* d = GetDocument();
    if (!d)
        return;
    auto step = [&](bool up) {
        hideCaret();
        const bool moved = up ? ScrollStepUp() : ScrollStepDown();
        SetCaretToField();
        showCaret();
        return moved;
    };
    switch (code) {
    case SB_LINEUP: step(true); break;
    case SB_LINEDOWN: step(false); break;
    case SB_PAGEUP:
        for (int i = 0; i < kPageStep; ++i)
            step(true);
        break;
    case SB_PAGEDOWN:
        for (int i = 0; i < kPageStep; ++i)
            step(false);
        break;
    case SB_THUMBTRACK:
        if (m_LastThumbPos >= pos && m_LastThumbPos >= 0)
            step(true);
        else if (m_LastThumbPos < pos && m_LastThumbPos < d->m_GyouCount)
            step(false);
        m_LastThumbPos = pos;
        break;
    default: break;
    }
    ResetVScroll(d->m_GyouCount);
    View::onVScroll(code, pos);
}

bool CMstView::onMouseWheel(unsigned flags, int delta, kiv::ui::Point p) {
    MstDoc* d = GetDocument();
    if (!d)
        return View::onMouseWheel(flags, delta, p);
    hideCaret();
    if (delta > 0)
        ScrollStepUp();
    else if (delta < 0)
        ScrollStepDown();
    SetCaretToField();
    showCaret();
    ResetVScroll(d->m_GyouCount);
    View::onMouseWheel(flags, delta, p);
    return true;
}

void CMstView::onHScroll(int code, int pos) {
    using namespace kiv::ui;
    const int before = m_HScrollPairs;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT: m_HScrollPairs = std::max(0, m_HScrollPairs - 1); break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: m_HScrollPairs = std::min(m_HScrollRange - 1, m_HScrollPairs + 1); break;
    default: break;
    }
    if (m_HScrollPairs != before) {
        // The cursor may stand on a field that scrolled away: it goes to the first one left.
        if (!isCursorField(std::clamp(m_CurField[0], 1, m_LastField), m_HScrollPairs))
            m_CurField[0] = m_FirstField;
        CalcFieldPos();
        invalidate();
    }
    setScrollRange(SB_HORZ, 0, m_HScrollRange);
    setScrollPos(SB_HORZ, m_HScrollPairs);
    View::onHScroll(code, pos);
}

// ---------------------------------------------------------------------------------------------
// Life cycle

int CMstView::onCreate() {
    if (View::onCreate() == -1)
        return -1;
    if (MstDoc* d = GetDocument())
        Attach(d);
    // The grid opens at the estimate's font size; the master's own size is the tree's.
    m_FontSize = kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
    showScrollBar(kiv::ui::SB_BOTH);
    MeasureFont();
    m_VisibleGyou = VisibleGyouFor(clientRect().height());
    return 0;
}

void CMstView::onDestroy() {
    View::onDestroy();
    MstDoc* d = GetDocument();
    if (d)
        m_DocPath = d->GetPathName();
    // The master's bulk commands and the estimate's price conversion read the last master here.
    // A window whose master never opened (a damaged file) leaves the entry as it was.
    if (!m_DocPath.empty())
        kiv::profile::Profile::user().writeString("Master_Section", "Master_Dat", m_DocPath);
    Detach();
}

void CMstView::onShowWindow(bool show) {
    View::onShowWindow(show);
    m_FieldCopyBuf.assign(kFieldBufLength, ' ');
    m_FieldUndoBuf.assign(kFieldBufLength, ' ');
    MstDoc* d = GetDocument();
    if (!d || !show)
        return;
    d->m_TopGyou[0] = 0;
    d->m_ScreenGyou[0] = 1;
    d->m_CurGyou[0] = 1;
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void CMstView::onInitialUpdate() {
    View::onInitialUpdate();
    if (kiv::ui::ChildFrame* frame = parentFrame())
        if (kiv::ui::Window* client = frame->parent())
            frame->setGeometry(client->clientRect());
}

void CMstView::onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) {
    if (MstDoc* d = GetDocument())
        d->m_ViewKoumokuCount = d->m_KoumokuCount;
    View::onActivateView(activate, activated, deactivated);
}

void CMstView::onUpdate(kiv::ui::View*, long) {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    CalcFieldPos();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
}
