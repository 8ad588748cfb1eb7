#pragma once
// CSplitFrame: the split document window of the estimate (内訳書),
// tree pane on the left, grid view on the right.
#include "shell/SplitterFrame.h"

class CSplitFrame : public CSplitterFrame {
public:
    CSplitFrame();
};
