#pragma once
// CMSplitFrame: the split document window of the master (マスター),
// tree pane on the left, grid view on the right.
#include "shell/SplitterFrame.h"

class CMSplitFrame : public CSplitterFrame {
public:
    CMSplitFrame();
};
