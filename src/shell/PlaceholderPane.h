#pragma once
// CPlaceholderPane: a plain, empty view standing in a pane of the estimate windows until the
// estimate's tree and grid views take its place (EstimatePanes.h names which class fills which
// pane).
#include "platform/ui/View.h"

class CPlaceholderPane : public kiv::ui::View {};
