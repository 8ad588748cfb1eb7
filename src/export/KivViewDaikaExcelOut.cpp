// Command 32889 単価表エクセルファイル出力 of the estimate view: the dialog, the path checks,
// the composite unit-price workbook and the view put back as it was.
#include "estimate/KivDoc.h"
#include "estimate/KivMessagePass.h"
#include "export/DaikaExcelDialog.h"
#include "export/DaikaWorkbook.h"
#include "export/ExportPath.h"
#include "export/ExportRun.h"
#include "export/excel/ExcelSession.h"
#include "grid/KivView.h"
#include "platform/ui/MessageBox.h"

void CKivView::OnDaikaExcel() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    CDaikaExcelDialog dlg(d->pathName());
    if (dlg.doModal() != kiv::ui::IDOK)
        return;

    // The path is checked before anything is stored or recalculated: an untitled estimate's
    // empty name stops here, not at the save.
    using namespace kiv::exporting;
    const ExportPathProblem problem = CheckExportPath(dlg.m_OutPath, d);
    if (problem != ExportPathProblem::None) {
        kiv::ui::messageBox(ExportPathMessage(problem), kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
        return;
    }
    if (ExportTargetExists(dlg.m_OutPath) && dlg.m_OutPath != dlg.m_BrowsedPath &&
        kiv::ui::messageBox(kOverwriteQuestion, kiv::ui::MB_OKCANCEL | kiv::ui::MB_ICONQUESTION, {}, this) != kiv::ui::IDOK)
        return;

    hideCaret();
    // Slot 8: the row pricing's own saves use slot 1.
    SavePosition8();
    DaikaWorkbookOptions options;
    options.path = dlg.m_OutPath;
    options.doubleSpacing = dlg.m_DoubleSpacing != 0;
    std::optional<std::string> failure;
    {
        // The pricing's messages are gathered over the walk and shown once, after the save.
        KivMessagePass pass;
        kiv::excel::ExcelSession session;
        try {
            DaikaWorkbook(*this, options).Write(session);
        } catch (const kiv::excel::ExcelCallError& e) {
            session.Abandon();
            failure = kiv::excel::ExportFailureMessage(e);
        }
        RestoreViewAfterExport(*this, 8);
    }
    if (failure)
        kiv::ui::messageBox(*failure, kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
}
