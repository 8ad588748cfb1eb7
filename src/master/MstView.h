#pragma once
// CMstView: the grid pane of the master's split frame. An empty pane until the master editor
// fills it.
#include "platform/ui/View.h"

class CMstView : public kiv::ui::View {};
