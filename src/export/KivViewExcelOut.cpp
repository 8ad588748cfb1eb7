// Command 32884 エクセルファイル出力 of the estimate view: the options dialog, the path checks,
// the recalculation, the breakdown workbook and the view put back as it was.
#include "estimate/KivDoc.h"
#include "estimate/KivMessagePass.h"
#include "estimate/RecalcSeams.h"
#include "export/ExcelDialog.h"
#include "export/ExportPath.h"
#include "export/UtiwakeWorkbook.h"
#include "export/excel/ExcelSession.h"
#include "grid/KivView.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

void CKivView::OnExcelOut() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    ExcelDialog dlg(d->pathName());
    if (dlg.doModal() != kiv::ui::IDOK)
        return;

    // The path is checked before anything is stored or recalculated.
    using namespace kiv::exporting;
    const ExportPathProblem problem = CheckExportPath(dlg.m_Path, d);
    if (problem != ExportPathProblem::None) {
        kiv::ui::messageBox(ExportPathMessage(problem), kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
        return;
    }
    if (ExportTargetExists(dlg.m_Path) && dlg.m_Path != dlg.m_BrowsedPath &&
        kiv::ui::messageBox(kOverwriteQuestion, kiv::ui::MB_OKCANCEL | kiv::ui::MB_ICONQUESTION, {}, this) != kiv::ui::IDOK)
        return;

    hideCaret();
    SavePosition8();
    bool failed = false;
    {
        kiv::ui::App::WaitCursorScope wait;
        // The row being edited and its item go back before every walk; a cursor below the
        // item's last row holds none.
        if (d->m_CurGyou[0] >= 1 && d->m_CurGyou[0] <= d->m_GyouCount)
            StoreGyou();
        StoreKoumoku();
        if (d->m_NeedRecalc == 1) {
            KivMessagePass pass;
            RunClearKeisanMissing(*this);
            // Heading rows take totals of later items: from the last item to the first.
            for (int k = d->m_KoumokuCount; k >= 1; --k) {
                d->m_CurKoumoku[0] = k;
                LoadKoumoku();
                RecalcKoumoku();
                StoreKoumoku();
            }
            d->m_NeedRecalc = 0;
        }
        UtiwakeWorkbookOptions options;
        options.path = dlg.m_Path;
        options.doubleSpacing = dlg.m_DoubleSpacing != 0;
        options.tate = dlg.m_Orientation == 1;
        options.hyousi = dlg.m_Hyousi != 0;
        options.rows.bikou1 = dlg.m_Bikou1 != 0;
        options.rows.roumuNinzuu = dlg.m_RoumuNinzuu != 0;
        kiv::excel::ExcelSession session;
        try {
            UtiwakeWorkbook(*this, options).Write(session);
        } catch (const kiv::excel::ExcelCallError&) {
            session.Abandon();
            failed = true;
        }
    }
    RunClearKeisanGyouFlags(*this);

    RestorePosition8();
    LoadKoumoku();
    RestorePosition8();
    LoadGyou();
    CalcFieldPos();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->m_CurGyou[0]);
    SetCaretToField();
    showCaret();
    if (failed)
        kiv::ui::messageBox(kCannotCreate, kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
}
