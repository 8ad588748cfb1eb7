#pragma once
// The string table of the commands' status-bar prompts, shared by every window: one row per
// command, keyed by its id, so a command's prompt is the same in whichever menu or toolbar it
// stands. A command without a row shows the idle text.
#include "platform/ui/Resources.h"

namespace res {

// The message pane's idle text, as the menus write their katakana.
constexpr const char* kIdleMessage = "ﾚﾃﾞｨ";

const kiv::ui::PromptTable& commandPrompts();

} // namespace res
