#pragma once
// The view classes of the estimate windows, named once: the tree pane and the grid view of the
// split frame and the single-pane templates 130 (tree) and 129 (grid) all take them from here.
#include "grid/KivView.h"
#include "shell/PlaceholderPane.h"

using KivTreePane = CPlaceholderPane;   // the estimate's tree pane (CKivTree)
using KivGridPane = CKivView;           // the estimate's grid view
