// Command 32884 エクセルファイル出力 of the estimate view: the options dialog, the path checks,
// the recalculation, the breakdown workbook and the view put back as it was.
#include "estimate/KivDoc.h"
#include "export/ExcelDialog.h"
#include "export/ExportPath.h"
#include "export/ExportRun.h"
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
    std::optional<std::string> failure;
    {
        kiv::ui::App::WaitCursorScope wait;
        StoreAndRecalcForExport(*this);
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
        } catch (const kiv::excel::ExcelCallError& e) {
            session.Abandon();
            failure = kiv::excel::ExportFailureMessage(e);
        }
    }
    RestoreViewAfterExport(*this, 8);
    if (failure)
        kiv::ui::messageBox(*failure, kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
}
