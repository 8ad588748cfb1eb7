#include "print/FormDialogHooks.h"

#include "estimate/RecalcSeams.h"
#include "print/AdressDialog.h"
#include "print/AdressFileDialogs.h"
#include "print/FormDialog.h"
#include "print/HedderDialog.h"
#include "print/HyousiDialog.h"
#include "print/LayoutFileDialogs.h"

namespace {

template <class D>
void runModal() {
    D dlg;
    dlg.doModal();
}

} // namespace

void ConnectFormDialogs() {
    auto& hooks = recalcSeams().formDialogs;
    hooks[32774] = runModal<CHyousiDialog>;
    hooks[32809] = runModal<CFormDialog>;
    hooks[32810] = runModal<CHedderDialog>;
    hooks[32817] = runModal<CHyousifileDialog>;
    hooks[32818] = runModal<CHeadderfileDialog>;
    hooks[32854] = runModal<CHyousichangeDialog>;
    hooks[32779] = runModal<CAdressDialog>;
    hooks[32842] = runModal<CAdressFileDialog>;
    hooks[32856] = runModal<CAdressPrinfFileDialog>;
}
