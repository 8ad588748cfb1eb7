#pragma once
// The steps every export of the estimate view takes around its walk: the edited row and item go
// back into the document and a due recalculation runs first; afterwards the view is reloaded at
// the saved position and redrawn, with the caret shown.
#include <string>
#include <vector>

class CKivView;

namespace kiv::exporting {

// StoreGyou (when the cursor is on a row of the item) and StoreKoumoku, then, when the estimate
// needs it, every item recalculated from the last to the first as one message pass.
void StoreAndRecalcForExport(CKivView& view);
// The computed-row warning of the pass, then the position of `slot` reloaded, grid redrawn,
// scroll bar set, caret placed and shown.
void RestoreViewAfterExport(CKivView& view, int slot);

// The keys of the rows a composite sheet walked, kept in the view's table (the rest of the
// table stays, empty).
void KeepDaikaKeys(CKivView& view, std::vector<std::string> keys);

} // namespace kiv::exporting
