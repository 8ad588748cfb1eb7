#pragma once
// CMstTree: the tree pane of the master's split frame (categories). An empty pane until the
// master editor fills it.
#include "platform/ui/View.h"

class CMstTree : public kiv::ui::View {
public:
    CMstTree();
};
