#include "shell/MSplitFrame.h"

#include "master/MstTree.h"
#include "master/MstView.h"

CMSplitFrame::CMSplitFrame() : CSplitterFrame(kiv::ui::factoryOf<CMstTree>(), kiv::ui::factoryOf<CMstView>()) {}
