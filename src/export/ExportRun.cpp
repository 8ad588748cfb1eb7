// The common frame of the estimate view's exports.
#include "export/ExportRun.h"

#include "estimate/KivDoc.h"
#include "estimate/KivMessagePass.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"

namespace kiv::exporting {

void StoreAndRecalcForExport(CKivView& view) {
    CKivDoc* d = view.GetDocument();
    // A cursor below the item's last row holds no row.
    if (d->m_CurGyou[0] >= 1 && d->m_CurGyou[0] <= d->m_GyouCount)
        view.StoreGyou();
    view.StoreKoumoku();
    if (d->m_NeedRecalc != 1)
        return;
    KivMessagePass pass;
    RunClearKeisanMissing(view);
    // Heading rows take totals of later items: from the last item to the first.
    for (int k = d->m_KoumokuCount; k >= 1; --k) {
        d->m_CurKoumoku[0] = k;
        view.LoadKoumoku();
        view.RecalcKoumoku();
        view.StoreKoumoku();
    }
    d->m_NeedRecalc = 0;
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
    view.setScrollPos(kiv::ui::SB_VERT, view.GetDocument()->m_CurGyou[0]);
    view.SetCaretToField();
    view.showCaret();
}

void KeepDaikaKeys(CKivView& view, std::vector<std::string> keys) {
    view.m_DaikaKeys = std::move(keys);
    if (view.m_DaikaKeys.size() < static_cast<std::size_t>(CKivView::kDaikaKeyCount))
        view.m_DaikaKeys.resize(static_cast<std::size_t>(CKivView::kDaikaKeyCount));
}

} // namespace kiv::exporting
