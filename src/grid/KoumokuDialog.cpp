#include "grid/KoumokuDialog.h"

using namespace kiv::ui;

const DialogTemplate& CKoumokuDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "項目作成", {},
                                  {ctl::label("この項目以降の項目の集計を", dlu(8, 8, 120, 8)),
                                   ctl::label("挿入して作成します", dlu(8, 18, 120, 8)),
                                   ctl::check(kSaimoku, "細目の集計作成", dlu(16, 34, 100, 10)),
                                   ctl::check(kSyoukoumoku, "小項目の集計作成", dlu(16, 48, 100, 10)),
                                   ctl::check(kTyuukoumoku, "中項目の集計作成", dlu(16, 62, 100, 10)),
                                   ctl::check(kDaikoumoku, "大項目の集計作成", dlu(16, 76, 100, 10)),
                                   ctl::defButton(IDOK, "OK", dlu(130, 8, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(130, 26, 50, 14))}};
    return t;
}

CKoumokuDialog::CKoumokuDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kSaimoku, [this] { Choose(m_Saimoku); });
    onClicked(kSyoukoumoku, [this] { Choose(m_Syoukoumoku); });
    onClicked(kTyuukoumoku, [this] { Choose(m_Tyuukoumoku); });
    onClicked(kDaikoumoku, [this] { Choose(m_Daikoumoku); });
}

void CKoumokuDialog::doDataExchange(DataExchange& dx) {
    dx.check(kSaimoku, m_Saimoku);
    dx.check(kSyoukoumoku, m_Syoukoumoku);
    dx.check(kTyuukoumoku, m_Tyuukoumoku);
    dx.check(kDaikoumoku, m_Daikoumoku);
}

void CKoumokuDialog::Choose(int& level) {
    m_Saimoku = m_Syoukoumoku = m_Tyuukoumoku = m_Daikoumoku = 0;
    level = 1;
    updateData(false);
}
