#pragma once
// The run every export command takes, from its options dialog to the caret shown again: the
// dialog, the checks of the output path, the position kept, the edited rows stored and a due
// recalculation made, the walk that writes the file, the position put back and a failure told.
// Each export gives its dialog, its walk and how its view keeps and restores its position; the
// few ways the exports differ around that are the run's fields.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CKivView;

namespace kiv::excel {
class ExcelSession;
}

namespace kiv::ui {
class Dialog;
class Document;
class Window;
}

namespace kiv::exporting {

// When the row messages of the walk (and of the restore) are shown.
enum class ExportMessages {
    AtOnce,          // as each one comes: the run opens no message pass of its own
    BeforeFailure,   // gathered over walk and restore, listed before the failure message
    AfterFailure,    // gathered over walk, restore and the failure message, listed last
};

struct ExportRun {
    kiv::ui::Window* owner = nullptr;           // the view: owner of the boxes, its caret hidden over the run
    const kiv::ui::Document* doc = nullptr;     // the document exported: its own file is no target
    kiv::ui::Dialog* dialog = nullptr;          // the options, asked first; nothing happens unless OK
    const std::string* path = nullptr;          // the dialog's output path (CP932), read after OK
    // Workbooks: the path 参照 chose. An existing file is replaced only after a question, unless
    // 参照 chose it (its chooser asked already). Null: a text file is replaced without a question.
    const std::string* browsedPath = nullptr;
    bool waitCursor = true;                     // false: the walk begins its own, once its progress window is up
    ExportMessages messages = ExportMessages::AtOnce;
    std::function<void()> savePosition;
    // The edited rows stored and a due recalculation made, before the walk under the wait
    // cursor; empty when the walk does it itself at its own time.
    std::function<void()> prepare;
    // The file written: nothing, or why it could not be made (the message shown, naming the
    // file and the reason).
    std::function<std::optional<std::string>()> walk;
    std::function<void()> restorePosition;
};

// The whole command: nothing is stored or recalculated before the path passed its checks; the
// walk's failure message when it failed, after the view is back in place.
void RunExport(const ExportRun& run);

// A workbook walk: `write` given a fresh session; when one of its calls fails the session is
// abandoned (nothing saved) and the result says what failed.
std::optional<std::string> WriteWorkbook(const std::function<void(kiv::excel::ExcelSession&)>& write);

// A run of the estimate view with its options `dialog` and that dialog's output `path`, its
// position kept in `slot` and its rows stored and recalculated before the walk; the caller sets
// the walk and what else differs.
ExportRun EstimateExportRun(CKivView& view, kiv::ui::Dialog& dialog, const std::string& path, int slot);

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
