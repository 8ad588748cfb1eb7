// The composite unit-price workbook: sheet, caption row, blocks and page fill.
#include "export/DaikaWorkbook.h"

#include <memory>

#include "estimate/KivDoc.h"
#include "export/ExportRun.h"
#include "export/excel/ExcelSession.h"
#include "export/excel/ProgressDlg.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"

namespace kiv::exporting {

using excel::CellName;
using kiv::text::sj;
using L = DaikaLine;

namespace {
constexpr const char* kQuantity = "#,##0.####";
constexpr const char* kPrice = "#,##0.##";
constexpr char kColumns[] = "ABCDEFGH";
constexpr std::uint32_t kRowHeight = 25;
} // namespace

DaikaWorkbook::DaikaWorkbook(CKivView& view, const DaikaWorkbookOptions& options) : m_View(view), m_Options(options) {}

DaikaWorkbook::~DaikaWorkbook() { CloseProgress(); }

void DaikaWorkbook::CloseProgress() {
    if (m_Progress) {
        std::unique_ptr<CProgressDlg> owned(m_Progress);
        m_Progress = nullptr;
        owned->Close();
    }
}

void DaikaWorkbook::Write(excel::ExcelSession& session) {
    m_S = &session;
    CKivDoc& doc = *m_View.GetDocument();
    session.Start();
    auto progress = std::make_unique<CProgressDlg>();
    if (progress->Open(&m_View))
        m_Progress = progress.release();
    session.AddSheet(sj("代価表"));
    session.SetupPage(excel::unitPriceSheetPage());
    WriteCaptionRow();

    kiv::ui::App::WaitCursorScope wait;
    StoreAndRecalcForExport(m_View);
    DaikaSheet sheet = WalkDaikaSheet(doc, DaikaStyle::workbook());
    KeepDaikaKeys(m_View, std::move(sheet.keys));
    if (m_Progress)
        m_Progress->SetRange(doc.KoumokuCount());
    m_R = 2;
    for (const DaikaBlock& b : sheet.blocks) {
        if (m_Progress)
            m_Progress->SetPos(b.koumoku);
        for (const DaikaLine& l : b.lines)
            WriteLine(l);
        if (b.closed())
            WriteLine(DaikaLine{});
    }
    if (m_Progress)
        m_Progress->SetPos(doc.KoumokuCount());
    PadPage();
    session.End(m_Options.path, false);
    CloseProgress();
}

void DaikaWorkbook::WriteCaptionRow() {
    static const char* const captions[8] = {"項目", "品         名", "規          格", "数 量 ",
                                            "単位", "単  価",         "金     額",       "備          考"};
    static const std::uint32_t widths[8] = {6, 30, 30, 10, 4, 15, 15, 30};
    excel::ExcelSession& s = *m_S;
    for (int c = 0; c < 8; ++c) {
        s.SetCellText(CellName(kColumns[c], 1), sj(captions[c]));
        s.ColumnWidth(widths[c]);
        if (c == 0)
            s.RowHeight(kRowHeight);
        s.FrameCell();
        s.Centre();
    }
    s.ReleaseRange();
}

void DaikaWorkbook::WriteLine(const DaikaLine& l) {
    excel::ExcelSession& s = *m_S;
    const int R = m_R;
    auto text = [&](char column, const std::string& t) {
        s.SetCellText(CellName(column, R), t);
        if (column == 'A')
            s.RowHeight(kRowHeight);
        s.FrameCell();
        if (column == 'E')
            s.Centre();
    };
    auto number = [&](char column, const std::string& t, const char* fraction) {
        s.SetCellNumber(CellName(column, R), t, fraction);
        s.FrameCell();
    };
    text('A', {});
    text('B', l.cell[L::Meisyou]);
    text('C', l.cell[L::Kikaku]);
    number('D', l.cell[L::Suuryou], kQuantity);
    text('E', l.cell[L::Tanni]);
    number('F', l.cell[L::Tanka1], kPrice);
    number('G', l.cell[L::Kingaku], kPrice);
    text('H', l.cell[L::Bikou]);
    s.ReleaseRange();
    m_R = R + 1;
}

void DaikaWorkbook::PadPage() {
    excel::ExcelSession& s = *m_S;
    while ((m_R - 1) % kDaikaPageRows != 1) {
        for (int c = 0; c < 8; ++c) {
            s.SelectRange(CellName(kColumns[c], m_R));
            if (c == 0)
                s.RowHeight(kRowHeight);
            if (c == 3 || c == 5 || c == 6)
                s.SetNumberFormat("#,###");
            s.FrameCell();
            if (c == 4)
                s.Centre();
        }
        s.ReleaseRange();
        ++m_R;
    }
}

} // namespace kiv::exporting
