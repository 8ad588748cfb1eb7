// The common run of the exports, and the estimate view's side of it.
#include "export/ExportRun.h"

#include <optional>

#include "estimate/KivDoc.h"
#include "estimate/KivMessagePass.h"
#include "estimate/RecalcSeams.h"
#include "export/ExportPath.h"
#include "export/excel/ExcelSession.h"
#include "grid/KivView.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

namespace kiv::exporting {

namespace {

void Warn(kiv::ui::Window* owner, std::string_view text) {
    kiv::ui::messageBox(text, kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, owner);
}

} // namespace

void RunExport(const ExportRun& run) {
    if (run.dialog->doModal() != kiv::ui::IDOK)
        return;
    const std::string& path = *run.path;
    const ExportPathProblem problem = CheckExportPath(path, run.doc);
    if (problem != ExportPathProblem::None) {
        Warn(run.owner, ExportPathMessage(problem));
        return;
    }
    if (run.browsedPath && ExportTargetExists(path) && path != *run.browsedPath &&
        kiv::ui::messageBox(kOverwriteQuestion, kiv::ui::MB_OKCANCEL | kiv::ui::MB_ICONQUESTION, {}, run.owner) !=
            kiv::ui::IDOK)
        return;

    run.owner->hideCaret();
    run.savePosition();
    std::optional<std::string> failure;
    {
        std::optional<KivMessagePass> pass;
        if (run.messages != ExportMessages::AtOnce)
            pass.emplace();
        {
            std::optional<kiv::ui::App::WaitCursorScope> wait;
            if (run.waitCursor)
                wait.emplace();
            if (run.prepare)
                run.prepare();
            failure = run.walk();
        }
        run.restorePosition();
        if (failure && run.messages == ExportMessages::AfterFailure)
            Warn(run.owner, *failure);
    }
    if (failure && run.messages != ExportMessages::AfterFailure)
        Warn(run.owner, *failure);
}

std::optional<std::string> WriteWorkbook(const std::function<void(kiv::excel::ExcelSession&)>& write) {
    kiv::excel::ExcelSession session;
    try {
        write(session);
    } catch (const kiv::excel::ExcelCallError& e) {
        session.Abandon();
        return kiv::excel::ExportFailureMessage(e);
    }
    return std::nullopt;
}

ExportRun EstimateExportRun(CKivView& view, kiv::ui::Dialog& dialog, const std::string& path, int slot) {
    ExportRun run;
    run.owner = &view;
    run.doc = view.GetDocument();
    run.dialog = &dialog;
    run.path = &path;
    run.savePosition = [&view, slot] { view.SavePosition(slot); };
    run.prepare = [&view] { StoreAndRecalcForExport(view); };
    run.restorePosition = [&view, slot] { RestoreViewAfterExport(view, slot); };
    return run;
}

void StoreAndRecalcForExport(CKivView& view) {
    CKivDoc* d = view.GetDocument();
    // A cursor below the item's last row holds no row.
    if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
        view.StoreGyou();
    view.StoreKoumoku();
    if (!d->NeedsRecalc())
        return;
    KivMessagePass pass;
    RunClearKeisanMissing(view);
    // Heading rows take totals of later items: from the last item to the first.
    for (int k = d->KoumokuCount(); k >= 1; --k) {
        d->SetCurKoumoku(k);
        view.LoadKoumoku();
        view.RecalcKoumoku();
        view.StoreKoumoku();
    }
    d->MarkRecalculated();
}

void RestoreViewAfterExport(CKivView& view, int slot) {
    RunClearKeisanGyouFlags(view);
    view.RestorePosition(slot);
    view.LoadKoumoku();
    view.RestorePosition(slot);
    view.LoadGyou();
    view.CalcFieldPos();
    view.RedrawGyou();
    view.setScrollRange(kiv::ui::SB_VERT, 0, view.m_VisibleGyou);
    view.setScrollPos(kiv::ui::SB_VERT, view.GetDocument()->CurGyou());
    view.SetCaretToField();
    view.showCaret();
}

void KeepDaikaKeys(CKivView& view, std::vector<std::string> keys) {
    view.m_DaikaKeys = std::move(keys);
    if (view.m_DaikaKeys.size() < static_cast<std::size_t>(CKivView::kDaikaKeyCount))
        view.m_DaikaKeys.resize(static_cast<std::size_t>(CKivView::kDaikaKeyCount));
}

} // namespace kiv::exporting
