#include "grid/KivViewLinks.h"

#include <map>

#include "platform/ui/App.h"
#include "platform/ui/Frame.h"

namespace kiv::grid {
namespace {

struct Links {
    std::map<int, std::string> paneTexts;
    std::function<void(ui::View&)> treeHook;
};

Links& links() {
    static Links l;
    return l;
}

} // namespace

void SetStatusPaneText(int paneId, const std::string& utf8) {
    links().paneTexts[paneId] = utf8;
    ui::App* app = ui::App::instance();
    ui::MainFrame* main = app ? app->mainFrame() : nullptr;
    if (!main)
        return;
    ui::StatusBar& bar = main->statusBar();
    const int index = bar.commandToIndex(paneId);
    if (index >= 0)
        bar.setPaneText(index, utf8);
}

std::string StatusPaneText(int paneId) {
    auto it = links().paneTexts.find(paneId);
    return it == links().paneTexts.end() ? std::string() : it->second;
}

void ClearStatusPaneTexts() { links().paneTexts.clear(); }

void SetTreeRebuildHook(std::function<void(ui::View&)> hook) { links().treeHook = std::move(hook); }

void RebuildKivTree(ui::View& from) {
    if (links().treeHook)
        links().treeHook(from);
}

} // namespace kiv::grid
