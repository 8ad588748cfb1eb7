#include "shell/SplitFrame.h"

#include "shell/EstimatePanes.h"

CSplitFrame::CSplitFrame() : CSplitterFrame(kiv::ui::factoryOf<KivTreePane>(), kiv::ui::factoryOf<KivGridPane>()) {}
