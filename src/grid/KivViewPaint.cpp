// Painting of the estimate grid: the grid font and its metrics, the caption lines, cell boxes,
// texts and row rules, the redraw routines, digit grouping, the status-bar panes and the screen
// and print font commands.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "grid/GridCell.h"
#include "grid/GridEditRules.h"
#include "grid/GroupDigits.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/profile/Profile.h"
#include "platform/text/Number.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

using kiv::ui::Brush;
using kiv::ui::Color;
using kiv::ui::Dc;
using kiv::ui::Pen;
using kiv::ui::PenStyle;

namespace {

int commaCellsOf(int field) { return g_KivFieldTable.CommaCells[static_cast<std::size_t>(field - 1)]; }


} // namespace

// ---------------------------------------------------------------------------------------------
// One field, one row

void CKivView::DrawFieldBox(Dc& dc, int field) const {
    kiv::grid::DrawFieldBox(dc, ScreenGeometry(), m_FieldPos, commaCellsOf(field));
}

void CKivView::DrawFieldText(Dc& dc, bool grouped) {
    const int field = m_CurField[0];
    std::string_view text;
    if (grouped && m_FieldPos.IsText == 0 && commaCellsOf(field) != 0) {
        GroupDigitsField();
        text = std::string_view(m_GroupDigitsBuf).substr(static_cast<std::size_t>(m_FieldPos.Offset),
                                                         static_cast<std::size_t>(m_FieldPos.Width));
    } else {
        text = std::string_view(m_EditGyou).substr(static_cast<std::size_t>(m_FieldPos.Offset),
                                                   static_cast<std::size_t>(m_FieldPos.Width));
    }
    dc.textOut(m_FieldPos.X0 * m_CharWidth, m_FieldPos.Line * m_LineHeight, text);
}

void CKivView::DrawRowRule(Dc& dc) {
    m_CurField[0] = m_Desc.RuleFirstField;
    CalcFieldPos();
    const FieldPos from = m_FieldPos;   // field 2 stands on the row's lower line
    m_CurField[0] = m_Desc.RuleLastField;
    CalcFieldPos();
    kiv::grid::DrawLineRule(dc, ScreenGeometry(), from, m_FieldPos, from.Line, m_Desc.Colors.RulePen);
}

void CKivView::DrawRow(Dc& dc, bool boxes, RowLook look, bool texts, bool rule) {
    const int saved = m_CurField[0];
    const bool selected = look == RowLook::Selected;
    const Color fill = selected ? m_Desc.Colors.SelectedFill : m_Desc.Colors.RowFill;
    if (boxes) {
        const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, selected ? m_Desc.Colors.SelectedPen : m_Desc.Colors.CellPen});
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
        const Color oldText = dc.setTextColor(m_Desc.Colors.RowText);
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

// ---------------------------------------------------------------------------------------------
// The drawing routines

void CKivView::DrawCurFieldOwnDc(bool grouped) {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    kiv::grid::FontScope font(*dc, GridFont());
    dc->setTextColor(m_Desc.Colors.RowText);
    dc->setBkColor(m_Desc.Colors.RowFill);
    DrawFieldText(*dc, grouped);
}

void CKivView::DrawGyouSelected() { DrawRowOwnDc(true, RowLook::Selected, true, true); }

void CKivView::DrawTitleFrames(Dc& dc) {
    const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, m_Desc.Colors.ClientPen});
    const Brush oldBrush = dc.selectBrush(Brush::solid(m_Desc.Colors.ClientFill));
    dc.rectangle(clientRect());
    dc.selectPen({PenStyle::Solid, 1, m_Desc.Colors.CellPen});
    dc.selectBrush(Brush::solid(m_Desc.Colors.CaptionFill));
    const int saved = m_CurField[0];
    for (int f = 1; f <= m_LastField; ++f) {
        m_CurField[0] = f;
        CalcTitleFieldPos();
        if (m_FieldPos.Visible)
            DrawFieldBox(dc, f);
    }
    m_CurField[0] = saved;
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);
}

void CKivView::DrawTitleText(Dc& dc) {
    const Color oldText = dc.setTextColor(m_Desc.Colors.CaptionText);
    const Color oldBack = dc.setBkColor(m_Desc.Colors.CaptionFill);
    const int saved = m_CurField[0];
    for (int f = 1; f <= m_LastField; ++f) {
        m_CurField[0] = f;
        CalcTitleFieldPos();
        if (!m_FieldPos.Visible)
            continue;
        const std::string_view caption = std::string_view(g_KivTitleText).substr(
            static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(m_FieldPos.Width));
        dc.textOut(m_FieldPos.X0 * m_CharWidth, m_FieldPos.Line * m_LineHeight, caption);
    }
    m_CurField[0] = saved;
    dc.setTextColor(oldText);
    dc.setBkColor(oldBack);
}

// ---------------------------------------------------------------------------------------------
// The paint

void CKivView::OnDrawn() {
    // The horizontal thumb shows the pairs scrolled away, so that dragging it moves from there.
    setScrollPos(kiv::ui::SB_HORZ, m_HScrollPairs);
    setScrollPos(kiv::ui::SB_VERT, 0);
}

void CKivView::DrawTitle(Dc& dc) {
    DrawTitleFrames(dc);
    DrawTitleText(dc);
}

// ---------------------------------------------------------------------------------------------
// Digit grouping

void CKivView::GroupDigitsOf(const std::string& source, int width, bool adjustFieldPos) {
    const GroupedDigits g = GroupDigits(source);
    m_GroupIntDigits = g.IntDigits;
    m_GroupFracDigits = g.FracDigits;
    m_GroupPointSeen = g.PointSeen;
    if (width > GroupedDigits::MaxWidth) {
        // Wider than any grouped field: drawn as it is, from the same place in the buffer.
        m_GroupDigitsBuf = std::string(GroupedDigits::Start, ' ') + source;
        if (adjustFieldPos) {
            m_FieldPos.Offset = GroupedDigits::Start;
            m_FieldPos.Width = width;
        }
        return;
    }
    m_GroupDigitsBuf = g.Buffer;
    if (adjustFieldPos) {
        m_FieldPos.Offset = g.Offset();
        m_FieldPos.Width = width + g.Spare;
        m_FieldPos.X0 -= g.Spare;
    }
}

void CKivView::GroupDigitsField() {
    const int width = m_FieldPos.Width;
    GroupDigitsOf(m_EditGyou.substr(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(width)),
                  width, true);
}

void CKivView::GroupDigitsPrintBuf() {
    const auto width = static_cast<std::size_t>(std::max(0, m_FieldPos.Width));
    std::string source = m_PrintNumBuf.substr(0, std::min(width, m_PrintNumBuf.size()));
    source.resize(width, ' ');
    GroupDigitsOf(source, static_cast<int>(width), true);
}

void CKivView::GroupDigitsPrintBuf2() {
    const auto width = static_cast<std::size_t>(std::max(0, m_FieldPos.Width));
    std::string source = m_PrintNumBuf2.substr(0, std::min(width, m_PrintNumBuf2.size()));
    source.resize(width, ' ');
    GroupDigitsOf(source, static_cast<int>(width), true);
}

void CKivView::GroupDigitsGoukei() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    const std::string& total = d->HyousiData()[CKivDoc::kHyousiDataCount - 1];
    if (total.empty()) {
        d->SetKingakuText("  ");
        return;
    }
    // The item calculation writes the total right-aligned in 12 characters; a longer text is no
    // total of ours and is shown as it is.
    const std::string_view trimmed = kiv::text::trimBlanks(total);
    constexpr std::size_t kTotalWidth = GroupedDigits::MaxWidth;
    if (trimmed.size() > kTotalWidth) {
        d->SetKingakuText(std::string(trimmed));
        return;
    }
    const std::string number = std::string(kTotalWidth - trimmed.size(), ' ') + std::string(trimmed);
    GroupDigitsOf(number, static_cast<int>(kTotalWidth), false);
    const int spare = GroupSpareCells(static_cast<int>(kTotalWidth));
    d->SetKingakuText(m_GroupDigitsBuf.substr(0, kTotalWidth + static_cast<std::size_t>(spare) + 2));
}

// ---------------------------------------------------------------------------------------------
// Status bar

void CKivView::UpdateStatusPanes() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    if (d->IsFukugouStyle()) {
        const std::string file = kiv::grid::FileNameOf(d->RoumuPath().string());
        kiv::grid::SetStatusPaneText(kiv::grid::kPaneRoumuFile, "複合単価労務費は " + file + " を使用");
        kiv::grid::SetStatusPaneText(kiv::grid::kPaneStyle, "複合単価で積算");
        switch (d->FukugouMarume()) {
        case 1:
            kiv::grid::SetStatusPaneText(kiv::grid::kPaneRounding, "複合単価を補償用に設定");
            break;
        case 2:
            kiv::grid::SetStatusPaneText(kiv::grid::kPaneRounding, "複合単価を切捨てに設定");
            break;
        case 3:
            kiv::grid::SetStatusPaneText(kiv::grid::kPaneRounding, "複合単価を四捨五入に設定");
            break;
        default:
            break;
        }
    } else {
        kiv::grid::SetStatusPaneText(kiv::grid::kPaneStyle, "労務費を計上して積算");
    }
}

// ---------------------------------------------------------------------------------------------
// 画面フォントサイズ指定

void CKivView::OnFontSize() {
    if (const std::optional<int> size = gridedit::AskFontSize(this, kDefaultFontSize))
        m_FontSize = *size;
    invalidate();
    updateWindow();
    if (hasFocus()) {
        createSolidCaret(kCaretWidth, m_CharHeight);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    kiv::grid::RebuildKivTree(*this);
}

// ---------------------------------------------------------------------------------------------
// 印刷フォント指定

void CKivView::OnInsatuFont() {
    kiv::ui::messageBox("フォント選択は固定幅（例ＭＳ明朝、ＭＳゴシック等）を選択してください。大きさは変更されません",
                        kiv::ui::MB_OK, kiv::ui::kAppName, this);
    // Only the face is kept: size, style and effects chosen in the dialog are not. A job already
    // prepared keeps the face it read; the next one reads this.
    if (const auto chosen = kiv::ui::fontDialog(kiv::ui::Font::systemFixed(), this))
        kiv::profile::Profile::user().writeString("Font_Section", "Font_File", chosen->face);
}
