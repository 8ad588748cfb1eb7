#include "grid/TanniDialog.h"

#include "platform/text/Cp932.h"

using namespace kiv::ui;
using kiv::text::sj;

const DialogTemplate& CTanniDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "単位入力", {128, 48},
                                  {ctl::combo(kTanni, dlu(10, 10, 50, 120)),
                                   ctl::defButton(IDOK, "OK", dlu(70, 8, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(70, 26, 50, 14))}};
    return t;
}

CTanniDialog::CTanniDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CTanniDialog::onShowDialog() {
    m_Tanni = sj("式");
    updateData(false);
    // "ｍ2" and "ｍ3": the full-width m followed by an ASCII digit.
    for (const char* unit : {"ケ", "ヶ", "個", "本", "台", "枚", "基", "面", "式", "組", "ヶ所", "箇所", "ｍ", "㎡",
                             "ｍ2", "ｍ3"})
        addString(kTanni, sj(unit));
    gotoControl(kTanni);
}

void CTanniDialog::doDataExchange(DataExchange& dx) { dx.cbString(kTanni, m_Tanni, kTanniWidth); }
