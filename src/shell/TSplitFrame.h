#pragma once
// CTSplitFrame: the split document window of the totals (集計),
// tree pane on the left, grid view on the right.
#include "shell/SplitterFrame.h"

class CTSplitFrame : public CSplitterFrame {
public:
    CTSplitFrame();
};
