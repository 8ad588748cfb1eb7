#include "grid/BlockSelect.h"

#include "estimate/KivMessage.h"
#include "grid/KivView.h"

int g_BlockSelectState = 0;
int g_BlockStartGyou = 0;
int g_BlockEndGyou = 0;
int g_BlockStartLine = 0;
int g_BlockEndLine = 0;
int g_BlockGyouCount = 0;

namespace {

const char* const kMsgBlockOrder = "開始行が終了行より大きすぎます。再入力してください。";

struct Pending {
    const kiv::ui::View* view = nullptr;
    int commandId = 0;
    std::function<void()> run;
};

Pending& pending() {
    static Pending p;
    return p;
}

// True while a command's second call runs: its dialogs are up, and a click or Enter that still
// reaches the grid takes no further range step (it would open the command again inside itself).
bool g_Running = false;

} // namespace

bool StartBlockSelectIn(kiv::ui::View& view, int commandId, std::function<void()> run,
                        const std::string& questionUtf8) {
    // A range another command was waiting for is given up: this command replaces it.
    ClearBlockSelect();
    if (!KivAsk(questionUtf8))
        return false;
    Pending& p = pending();
    p.view = &view;
    p.commandId = commandId;
    p.run = std::move(run);
    g_BlockSelectState = 1;
    return true;
}

bool StartBlockSelect(CKivView& view, int commandId, std::function<void(CKivView&)> run,
                      const std::string& questionUtf8) {
    CKivView* v = &view;
    return StartBlockSelectIn(view, commandId, [v, run = std::move(run)] { run(*v); }, questionUtf8);
}

void ClearBlockSelect() {
    pending() = Pending{};
    g_BlockSelectState = 0;
}

int PendingBlockCommand() { return pending().commandId; }

bool BlockSelectIn(const kiv::ui::View& view) {
    return !g_Running && (g_BlockSelectState == 1 || g_BlockSelectState == 2) && pending().view == &view && pending().run;
}

void RunPendingBlockCommand(kiv::ui::View& view) {
    if (!BlockSelectIn(view) || g_BlockSelectState != 2)
        return;
    // The command may start another range or clear this one: it runs from a copy.
    const std::function<void()> run = pending().run;
    struct RunningScope {
        RunningScope() { g_Running = true; }
        ~RunningScope() { g_Running = false; }
    } running;
    run();
}

void ForgetBlockSelectView(const kiv::ui::View& view) {
    if (pending().view == &view)
        ClearBlockSelect();
}

void BlockOrderMessage() { KivMessage(kMsgBlockOrder); }
