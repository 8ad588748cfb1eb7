#include "print/FormDialogHooks.h"

#include "estimate/RecalcSeams.h"
#include "print/AdressDialog.h"
#include "print/AdressFileDialogs.h"
#include "print/FormDialog.h"
#include "print/HedderDialog.h"
#include "print/HyousiDialog.h"
#include "print/LayoutFileDialogs.h"
#include "resources/CommandIds.h"

namespace {

template <class D>
void runModal() {
    D dlg;
    dlg.doModal();
}

} // namespace

void ConnectFormDialogs() {
    auto& hooks = recalcSeams().formDialogs;
    hooks[ID_HYOUSI] = runModal<CHyousiDialog>;
    hooks[ID_HYOUSI_FORM] = runModal<CFormDialog>;
    hooks[ID_HEDDER] = runModal<CHedderDialog>;
    hooks[ID_HYOUSI_FILE] = runModal<CHyousifileDialog>;
    hooks[ID_HEADDER_FILE] = runModal<CHeadderfileDialog>;
    hooks[ID_HYOUSI_CHANGE] = runModal<CHyousichangeDialog>;
    hooks[ID_ADRESS] = runModal<CAdressDialog>;
    hooks[ID_ADRESS_FILE] = runModal<CAdressFileDialog>;
    hooks[ID_ADRESS_PRINT_FILE] = runModal<CAdressPrinfFileDialog>;
}
