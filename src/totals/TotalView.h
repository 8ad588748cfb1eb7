#pragma once
// CTotalView: the grid pane of the totals' split frame. An empty pane until the totals fill it.
#include "platform/ui/View.h"

class CTotalView : public kiv::ui::View {};
