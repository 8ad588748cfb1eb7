#pragma once
// CChildFrame: the plain document window of the six single-pane templates; it shows its
// template's one view.
#include "platform/ui/Frame.h"

class CChildFrame : public kiv::ui::ChildFrame {};
