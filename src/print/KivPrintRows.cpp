// The printed table of the estimate: the caption line, one row on a printed line, the boxes of
// a line and the heavy outer frame of a page.
#include "print/KivPrint.h"

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/GroupDigits.h"
#include "grid/PrintedRow.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

using kiv::print::PrinterDc;

constexpr int kPrintLastRowField = 36;   // the row prints fields 1-36

namespace {

int commaCellsOf(int field) { return g_KivFieldTable.CommaCells[static_cast<std::size_t>(field - 1)]; }

// The field's printed bytes; a double-byte character cut in half at the end prints a blank.
std::string fieldText(const std::string& row, const FieldPos& p) {
    const auto off = static_cast<std::size_t>(p.Offset);
    const auto w = static_cast<std::size_t>(p.Width);
    const std::string_view bytes = off < row.size() ? std::string_view(row).substr(off, w) : std::string_view();
    return PrintableText(bytes);
}

class PenBrushScope {
public:
    PenBrushScope(PrinterDc& dc, int penWidth)
        : m_Dc(dc), m_Pen(dc.selectPen({kiv::ui::PenStyle::Solid, penWidth, kiv::ui::kBlack})),
          m_Brush(dc.selectBrush(kiv::ui::Brush::hollowBrush())) {}
    ~PenBrushScope() {
        m_Dc.selectPen(m_Pen);
        m_Dc.selectBrush(m_Brush);
    }
    PenBrushScope(const PenBrushScope&) = delete;
    PenBrushScope& operator=(const PenBrushScope&) = delete;

private:
    PrinterDc& m_Dc;
    kiv::ui::Pen m_Pen;
    kiv::ui::Brush m_Brush;
};

} // namespace

void CKivPrint::CalcPrintFieldPos() { m_FieldPos = ::CalcPrintFieldPos(m_CurField, m_PrintLine, LayoutChoice()); }

void CKivPrint::CalcPrintTitleFieldPos() { m_FieldPos = ::CalcPrintTitleFieldPos(m_CurField, LayoutChoice()); }

void CKivPrint::PrintTitleText(PrinterDc& dc) {
    for (m_CurField = 1; m_CurField <= kPrintLastRowField; ++m_CurField) {
        CalcPrintTitleFieldPos();
        if (!m_FieldPos.Visible)
            continue;
        const std::string caption(kiv::text::trimRightBlanks(fieldText(g_KivPrintTitleText, m_FieldPos)));
        dc.textOut(m_FieldPos.X0 * m_CharWidth, PrintTextTop(m_FieldPos.Line, m_LineHeight), caption);
    }
}

void CKivPrint::PrintGyou(PrinterDc& dc) {
    std::string& row = m_PrintGyou;
    if (!m_InsatuRoumuNin)
        RewriteRoumuIsshiki(row, Doc().GetSetteiValues());
    BlankTankaIfSuuOne(row);
    for (m_CurField = 1; m_CurField <= kPrintLastRowField; ++m_CurField) {
        CalcPrintFieldPos();
        if (m_InsatuKanenuki && (m_CurField == GyouRecord::Tanka1 || m_CurField == GyouRecord::FukugouTanka1 ||
                                 m_CurField == GyouRecord::Kingaku1))
            continue;
        if (!m_FieldPos.Visible)
            continue;
        const int y = PrintTextTop(m_FieldPos.Line, m_LineHeight);
        const std::string text = fieldText(row, m_FieldPos);
        if (m_FieldPos.IsText) {
            dc.textOut(m_FieldPos.X0 * m_CharWidth, y, std::string(kiv::text::trimRightBlanks(text)));
        } else if (commaCellsOf(m_CurField) != 0) {
            // Grouped: the separators take cells left of the field, so the last digit stays
            // where the ungrouped number's last digit would stand.
            const GroupedDigits g = GroupDigits(text);
            const std::string grouped(g.Text(static_cast<int>(text.size())));
            const int x0 = m_FieldPos.X0 - g.Spare;
            dc.textOut(static_cast<int>((x0 - 0.5) * m_CharWidth), y, grouped);
        } else {
            dc.textOut(static_cast<int>((m_FieldPos.X0 - 0.5) * m_CharWidth), y, text);
        }
    }
}

void CKivPrint::PrintGyouFrames(PrinterDc& dc) {
    PenBrushScope pen(dc, 1);
    for (m_CurField = 1; m_CurField <= kPrintLastRowField; ++m_CurField) {
        CalcPrintFieldPos();
        if (!m_FieldPos.Visible)
            continue;
        const int x0 = m_FieldPos.X0 - commaCellsOf(m_CurField);
        dc.rectangle({(x0 - 1) * m_CharWidth + 3, m_FieldPos.Line * m_LineHeight, (m_FieldPos.X1 + 1) * m_CharWidth + 4,
                      (m_FieldPos.Line + 1) * m_LineHeight});
    }
}

void CKivPrint::PrintTitleFrames(PrinterDc& dc) {
    PenBrushScope pen(dc, 1);
    for (m_CurField = 1; m_CurField <= kPrintLastRowField; ++m_CurField) {
        CalcPrintTitleFieldPos();
        if (!m_FieldPos.Visible)
            continue;
        const int x0 = m_FieldPos.X0 - commaCellsOf(m_CurField);
        dc.rectangle({(x0 - 1) * m_CharWidth + 3, m_FieldPos.Line * m_LineHeight, (m_FieldPos.X1 + 1) * m_CharWidth + 4,
                      (m_FieldPos.Line + 1) * m_LineHeight});
    }
}

void CKivPrint::PrintOuterFrame(PrinterDc& dc) {
    // The frame always runs from the caption line of a page without the cover block to the last
    // row line, so on a page with the cover block it encloses the block as well.
    PrintLayoutChoice c = LayoutChoice();
    c.coverShift = false;
    const FieldPos first = ::CalcPrintTitleFieldPos(m_PrintFirstField, c);
    const int left = (first.X0 - 1) * m_CharWidth + 3;
    const int top = kPrintCaptionLine * m_LineHeight - 2;
    m_PrintLine = m_InsatuA4 ? m_PrintRowsPerPageA4 : m_PrintRowsPerPage;
    const FieldPos last = ::CalcPrintFieldPos(m_InsatuA4 ? m_PrintLastFieldA4 : m_PrintLastField, m_PrintLine, c);
    const int right = (last.X1 + 1) * m_CharWidth + 4;
    const int bottom = (last.Line + 1) * m_LineHeight + 1;
    PenBrushScope pen(dc, 8);
    dc.moveTo(left, top);
    dc.lineTo(right, top);
    dc.moveTo(left, bottom);
    dc.lineTo(right, bottom);
    dc.moveTo(left, top);
    dc.lineTo(left, bottom);
    dc.moveTo(right, top);
    dc.lineTo(right, bottom);
}
