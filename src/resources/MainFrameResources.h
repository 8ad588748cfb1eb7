#pragma once
// The main window's resources: the menu and accelerator table shown while no document is open
// (128), the standard (128) and editing (166) toolbars, and the status-bar indicators.
#include "platform/ui/Resources.h"

#include <vector>

namespace res {

constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_EDITBAR = 166;
// Status-bar panes written by the program.
constexpr int ID_INDICATOR_STYLE = 59144;      // estimate style
constexpr int ID_INDICATOR_ROUNDING = 59145;   // composite rounding mode
constexpr int ID_INDICATOR_FILE = 59146;       // labour-price or master file
constexpr int ID_INDICATOR_MODE = 59147;       // estimating mode

const kiv::ui::Menu& mainFrameMenu();
const kiv::ui::AcceleratorTable& mainFrameAccelerators();
const kiv::ui::Toolbar& standardToolbar();
const kiv::ui::Toolbar& editToolbar();
const std::vector<kiv::ui::StatusIndicator>& statusIndicators();

} // namespace res
