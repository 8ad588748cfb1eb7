#pragma once
// Messages the estimate code shows in a plain OK box (limits, refused operations). They go through
// one hook that the application connects to its message box; until it does (and in tests), the
// texts are kept in order so that a run without a window can be checked.
#include <functional>
#include <string>
#include <vector>

using KivMessageHook = std::function<void(const std::string& utf8Text)>;

// Installs the hook; an empty hook returns to recording.
void SetKivMessageHook(KivMessageHook hook);
// Shows a UTF-8 text through the hook, or records it.
void KivMessage(const std::string& utf8Text);

// The texts recorded while no hook is installed.
const std::vector<std::string>& KivRecordedMessages();
void ClearKivRecordedMessages();
