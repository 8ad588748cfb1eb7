#pragma once
// The view classes of the estimate windows, named once: the tree pane and the grid view of the
// split frame and the single-pane templates 130 (tree) and 129 (grid) all take them from here.
#include "estimate/KivTree.h"
#include "grid/KivView.h"

using KivTreePane = CKivTree;   // the estimate's tree pane
using KivGridPane = CKivView;   // the estimate's grid view
