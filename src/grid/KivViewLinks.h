#pragma once
// What the estimate view reaches outside its own window: the main frame's status-bar panes that
// show the estimate's style, composite rounding and labour-price file, written to the running
// application's main frame when it has them (every text written is kept, so a run without a
// main window can be checked); and the estimate tree pane, rebuilt after the grid font changed,
// through a hook the tree pane connects.
#include <functional>
#include <string>

namespace kiv::ui {
class View;
}

namespace kiv::grid {

constexpr int kPaneStyle = 59144;      // 複合単価で積算 / 労務費を計上して積算
constexpr int kPaneRounding = 59145;   // composite rounding mode
constexpr int kPaneRoumuFile = 59146;  // labour-price file in use

void SetStatusPaneText(int paneId, const std::string& utf8);
// The last text written to the pane through SetStatusPaneText ("" when none).
std::string StatusPaneText(int paneId);
void ClearStatusPaneTexts();

// The rebuild of the estimate tree pane beside the grid view `from` (nothing until the tree pane
// connects it).
void SetTreeRebuildHook(std::function<void(ui::View& from)> hook);
void RebuildKivTree(ui::View& from);

} // namespace kiv::grid
