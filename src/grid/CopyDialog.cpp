#include "grid/CopyDialog.h"

using namespace kiv::ui;

const DialogTemplate& CCopyDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "行複写・移動", {186, 92},
                                  {ctl::label("複数行を複写・移動をします。", dlu(10, 8, 120, 10)),
                                   ctl::label("開始行", dlu(10, 26, 30, 10)),
                                   ctl::edit(kStartGyou, dlu(44, 24, 40, 12)),
                                   ctl::label("終了行", dlu(10, 44, 30, 10)),
                                   ctl::edit(kEndGyou, dlu(44, 42, 40, 12)),
                                   ctl::check(kMove, "行を移動する", dlu(10, 64, 80, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(128, 8, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(128, 26, 50, 14))}};
    return t;
}

CCopyDialog::CCopyDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CCopyDialog::doDataExchange(DataExchange& dx) {
    dx.text(kStartGyou, m_StartGyou, kMinGyou, kMaxGyou);
    dx.text(kEndGyou, m_EndGyou, kMinGyou, kMaxGyou);
    dx.check(kMove, m_Move);
}
