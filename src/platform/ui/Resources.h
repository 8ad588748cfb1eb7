#pragma once
// The shapes of the resources a frame is built from: menus, accelerator tables, toolbars,
// status-bar indicators and the commands' status-bar prompts. The tables themselves (with the program's Japanese texts and command
// ids) live in src/resources; texts are UTF-8 with "&" before the mnemonic and "\t" before the
// shown shortcut.
#include "platform/ui/Keys.h"

#include <string>
#include <vector>

namespace kiv::ui {

struct MenuItem {
    std::string text;              // empty for a separator
    int id = cmd::Separator;       // 0 for a separator or a popup
    std::vector<MenuItem> items;   // a popup's items

    static MenuItem command(std::string text, int id) { return {std::move(text), id, {}}; }
    static MenuItem separator() { return {}; }
    static MenuItem popup(std::string text, std::vector<MenuItem> items) { return {std::move(text), 0, std::move(items)}; }
    bool isSeparator() const { return id == cmd::Separator && items.empty() && text.empty(); }
    bool isPopup() const { return !items.empty(); }
};

struct Menu {
    int id = 0;
    std::vector<MenuItem> bar;
};

struct Accelerator {
    int vk;
    unsigned mods;   // KeyMod bits
    int command;
};

struct AcceleratorTable {
    int id = 0;
    std::vector<Accelerator> entries;
    // The command of the key, or 0.
    int find(int vk, unsigned mods) const {
        for (const Accelerator& a : entries)
            if (a.vk == vk && a.mods == mods)
                return a.command;
        return 0;
    }
};

struct ToolButton {
    int id = cmd::Separator;   // 0: a separator
    std::string tip;           // the button's text (UTF-8), also its tooltip unless the prompt gives one
};

struct Toolbar {
    int id = 0;
    std::vector<ToolButton> buttons;
};

struct StatusIndicator {
    int id = cmd::Separator;   // 0: the message pane
    std::string sizing;        // text whose width sets the pane's width (UTF-8)
};

// A command's prompt as the string table holds it: the text the message pane shows while the
// command's menu item is highlighted or the pointer rests on its toolbar button, optionally
// followed by "\n" and the button's tooltip.
struct CommandPrompt {
    int id = cmd::Separator;
    std::string text;   // UTF-8
};

struct PromptTable {
    std::string idle;                      // the message pane's text while no prompt is shown
    std::vector<CommandPrompt> prompts;

    // The prompt of the command, or nullptr when it has none.
    const std::string* find(int id) const {
        for (const CommandPrompt& p : prompts)
            if (p.id == id)
                return &p.text;
        return nullptr;
    }
};

// The part of a prompt for the message pane: the text before the first line break.
inline std::string promptPaneText(const std::string& prompt) { return prompt.substr(0, prompt.find('\n')); }

// The part of a prompt for the tooltip: the text after the first line break ("" when none).
inline std::string promptTipText(const std::string& prompt) {
    auto nl = prompt.find('\n');
    return nl == std::string::npos ? std::string() : prompt.substr(nl + 1);
}

} // namespace kiv::ui
