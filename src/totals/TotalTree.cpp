#include "totals/TotalTree.h"

CTotalTree::CTotalTree() { setBackgroundColor(kiv::ui::rgb(211, 211, 211)); }
