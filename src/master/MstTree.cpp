#include "master/MstTree.h"

CMstTree::CMstTree() { setBackgroundColor(kiv::ui::rgb(211, 211, 211)); }
