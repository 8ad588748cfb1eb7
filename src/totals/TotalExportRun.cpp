// What the totals exports share around their walk: the position kept, the page stored and the
// totals recalculated when due, the rows of each category read from the store.
#include "totals/TotalExport.h"

#include <algorithm>
#include <memory>

#include "totals/TotalDoc.h"
#include "totals/TotalView.h"

namespace kiv::exporting {

TotalExportPosition SaveTotalPosition(const CTotalDoc& d) {
    return {d.CurKoumoku(), d.CurGyou(), d.TopGyou(), d.ScreenGyou()};
}

void StoreAndRecalcTotalsForExport(CTotalDoc& d) {
    d.StoreGridGyou();   // a value typed into the grid's row is exported
    if (d.NeedsRecalc())
        d.RebuildKoumokuList();   // stores the page first, then every category
    else
        d.StoreKoumokuGyou();
}

void RestoreTotalViewAfterExport(CTotalView& view, const TotalExportPosition& pos) {
    if (CTotalDoc* d = view.GetDocument()) {
        // The walk reads the store and leaves the grid's page loaded; a recalculation reloads it.
        if (d->CurKoumoku() != pos.koumoku) {
            d->SetCurKoumoku(pos.koumoku);
            d->LoadKoumokuGyou();
        }
        d->SetCurGyou(std::clamp(pos.gyou, 1, std::max(1, d->GyouCount())));
        d->SetTopGyou(std::clamp(pos.top, 0, std::max(0, d->GyouCount() - 1)));
        d->SetScreenGyou(pos.screen);
        view.LoadGyou();
        view.SetCaretToField();
    }
    view.invalidate();
    view.updateWindow();
    view.showCaret();
}

ExportRun TotalExportRun(CTotalView& view, kiv::ui::Dialog& dialog, const std::string& path) {
    ExportRun run;
    run.owner = &view;
    run.doc = view.GetDocument();
    run.dialog = &dialog;
    run.path = &path;
    auto pos = std::make_shared<TotalExportPosition>();
    run.savePosition = [&view, pos] {
        if (const CTotalDoc* d = view.GetDocument())
            *pos = SaveTotalPosition(*d);
    };
    run.restorePosition = [&view, pos] { RestoreTotalViewAfterExport(view, *pos); };
    return run;
}

std::vector<std::vector<const std::string*>> TotalPages(const CTotalDoc& d) {
    const std::vector<int> walk = d.WalkKoumoku();
    std::vector<int> pageOf(static_cast<std::size_t>(CTotalDoc::kKoumokuMax) + 1, -1);
    for (std::size_t i = 0; i < walk.size(); ++i)
        pageOf[static_cast<std::size_t>(walk[i])] = static_cast<int>(i);
    std::vector<std::vector<const std::string*>> pages(walk.size());
    for (int j = 0; j < d.PoolGyouCount(); ++j) {
        const int k = d.KoumokuOfSlot(j);
        if (k >= 1 && k <= CTotalDoc::kKoumokuMax && pageOf[static_cast<std::size_t>(k)] >= 0)
            pages[static_cast<std::size_t>(pageOf[static_cast<std::size_t>(k)])].push_back(
                &d.PoolGyou(j));
    }
    return pages;
}

} // namespace kiv::exporting
