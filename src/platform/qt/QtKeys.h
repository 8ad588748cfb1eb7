#pragma once
// Qt key events in the terms of the window layer.
#include <Qt>

namespace kiv::qt {

// The virtual-key code of a Qt key (0 when there is none).
int virtualKeyOf(int qtKey, Qt::KeyboardModifiers mods);
unsigned keyModsOf(Qt::KeyboardModifiers mods);

} // namespace kiv::qt
