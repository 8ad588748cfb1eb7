#pragma once
// CTotalTree: the tree pane of the totals' split frame (master categories). An empty pane until
// the totals fill it.
#include "platform/ui/View.h"

class CTotalTree : public kiv::ui::View {
public:
    CTotalTree();
};
