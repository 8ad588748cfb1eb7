#include "shell/SelectDialog.h"

#include "resources/ShellDialogs.h"

CSelectDialog::CSelectDialog(kiv::ui::Window* owner) : Dialog(res::selectDialogTemplate(), owner) {
    onClicked(res::IDC_DENKI, [this] { OnDenki(); });
    onClicked(res::IDC_KIKAI, [this] { OnKikai(); });
}

void CSelectDialog::onShowDialog() {
    if (m_Value == "1") {
        checkButton(res::IDC_DENKI, 1);
        checkButton(res::IDC_KIKAI, 0);
    } else if (m_Value == "2") {
        checkButton(res::IDC_KIKAI, 1);
        checkButton(res::IDC_DENKI, 0);
    }
}

void CSelectDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.check(res::IDC_DENKI, m_Denki);
    dx.check(res::IDC_KIKAI, m_Kikai);
}

void CSelectDialog::OnDenki() {
    m_Denki = 1;
    m_Kikai = 0;
    m_Value = "1";
    updateData(false);
    updateData(true);
}

void CSelectDialog::OnKikai() {
    m_Kikai = 1;
    m_Denki = 0;
    m_Value = "2";
    updateData(false);
    updateData(true);
}
