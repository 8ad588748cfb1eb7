#include "shell/TSplitFrame.h"

#include "totals/TotalTree.h"
#include "totals/TotalView.h"

CTSplitFrame::CTSplitFrame() : CSplitterFrame(kiv::ui::factoryOf<CTotalTree>(), kiv::ui::factoryOf<CTotalView>()) {}
