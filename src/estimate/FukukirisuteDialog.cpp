#include "estimate/FukukirisuteDialog.h"

using namespace kiv::ui;

const DialogTemplate& CfukukirisuteDialog::dialogLayout() {
    // The captions end in full-width blanks that line them up.
    static const DialogTemplate t{kDialogId, "複合単価丸め設定", {},
                                  {ctl::check(kHosyouKirisute, "補償用切捨てに設定　　　　　", dlu(10, 10, 130, 10)),
                                   ctl::check(kKoukyouKirisute, "公共事業用切捨てに設定　　", dlu(10, 26, 130, 10)),
                                   ctl::check(kKoukyouSisyagonyuu, "公共事業用四捨五入に設定", dlu(10, 42, 130, 10)),
                                   ctl::defButton(IDOK, "OK", dlu(150, 7, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(150, 25, 50, 14))}};
    return t;
}

CfukukirisuteDialog::CfukukirisuteDialog(Window* parent) : SetteiEditDialog(dialogLayout(), parent) {
    // A click on a box makes it the only ticked one, even when it was ticked already.
    onClicked(kHosyouKirisute, [this] { choose(1); });
    onClicked(kKoukyouKirisute, [this] { choose(2); });
    onClicked(kKoukyouSisyagonyuu, [this] { choose(3); });
}

void CfukukirisuteDialog::doDataExchange(DataExchange& dx) {
    dx.check(kHosyouKirisute, m_HosyouKirisute);
    dx.check(kKoukyouKirisute, m_KoukyouKirisute);
    dx.check(kKoukyouSisyagonyuu, m_KoukyouSisyagonyuu);
}

void CfukukirisuteDialog::choose(int mode) {
    m_HosyouKirisute = mode == 1;
    m_KoukyouKirisute = mode == 2;
    m_KoukyouSisyagonyuu = mode == 3;
    updateData(false);
}

void CfukukirisuteDialog::showSettei(const SetteiRecord& record) {
    char stored = record.byte(SetteiRecord::FukugouMarumePos);
    choose(stored >= '1' && stored <= '3' ? stored - '0' : 0);
}

void CfukukirisuteDialog::storeSettei(SetteiRecord& record) {
    int mode = m_HosyouKirisute ? 1 : m_KoukyouKirisute ? 2 : m_KoukyouSisyagonyuu ? 3 : 0;
    record.setFukugouMarume(mode); // none ticked: the stored byte stays
}
