#include "grid/MojiDialog.h"

using namespace kiv::ui;

const DialogTemplate& CMojiDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "文字入力", {},
                                  {ctl::edit(kMoji, dlu(10, 10, 150, 14), StyleNone, kMojiWidth)}};
    return t;
}

CMojiDialog::CMojiDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CMojiDialog::onShowDialog() { setImeOpen(true); }

void CMojiDialog::doDataExchange(DataExchange& dx) { dx.text(kMoji, m_Moji, kMojiWidth); }
