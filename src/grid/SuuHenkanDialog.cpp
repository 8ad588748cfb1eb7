#include "grid/SuuHenkanDialog.h"

using namespace kiv::ui;

const DialogTemplate& CSuuHenkanDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "数量変換", {200, 100},
                                  {ctl::label("行を選択して数量を一括変換します。", dlu(10, 8, 180, 10)),
                                   ctl::label("掛け率", dlu(10, 28, 30, 10)),
                                   ctl::edit(kKakeritu, dlu(44, 26, 50, 12)),
                                   ctl::label("開始行", dlu(10, 46, 30, 10)),
                                   ctl::edit(kStartGyou, dlu(44, 44, 40, 12), EditNumber),
                                   ctl::label("終了行", dlu(10, 64, 30, 10)),
                                   ctl::edit(kEndGyou, dlu(44, 62, 40, 12), EditNumber),
                                   ctl::defButton(IDOK, "OK", dlu(140, 26, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(140, 44, 50, 14))}};
    return t;
}

CSuuHenkanDialog::CSuuHenkanDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CSuuHenkanDialog::doDataExchange(DataExchange& dx) {
    dx.text(kKakeritu, m_Kakeritu, 0, 999);
    if (dx.saving() && !dx.failed())
        m_KakerituText = itemText(kKakeritu);
    dx.text(kStartGyou, m_StartGyou, kMinGyou, kMaxGyou);
    dx.text(kEndGyou, m_EndGyou, kMinGyou, kMaxGyou);
}
