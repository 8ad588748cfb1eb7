#pragma once
// Message boxes: text and caption are UTF-8; the caption defaults to the application's name
// "kiv". Returns IDOK, IDCANCEL, IDYES or IDNO. Timers wait while the box is up.
#include "platform/ui/Backend.h"
#include "platform/ui/Keys.h"

#include <string_view>

namespace kiv::ui {

int messageBox(std::string_view textUtf8, unsigned style = MB_OK, std::string_view captionUtf8 = {},
               Window* owner = nullptr);

// The program's name, used as the default caption.
constexpr std::string_view kAppName = "kiv";

} // namespace kiv::ui
