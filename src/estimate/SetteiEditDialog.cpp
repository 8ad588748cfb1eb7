#include "estimate/SetteiEditDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/ReferenceFile.h"
#include "estimate/SetteiFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/files/Files.h"

void SetteiEditDialog::onShowDialog() {
    m_pDoc = g_pKivDoc;
    showSettei(m_pDoc ? m_pDoc->m_Settei : SetteiRecord());
}

void SetteiEditDialog::onOK() {
    if (!updateData(true))
        return;
    if (!m_pDoc || g_pKivDoc != m_pDoc) {
        // No estimate to change (or it is no longer open): nothing is written.
        endDialog(kiv::ui::IDCANCEL);
        return;
    }
    SetteiRecord record = m_pDoc->m_Settei;
    storeSettei(record);
    m_pDoc->m_Settei = record;
    if (parsesOnOK())
        m_pDoc->ParseSettei();
    std::string error;
    if (!writeSetteiFile(m_pDoc->m_SetteiPath, m_pDoc->m_Settei, &error)) {
        kiv::ui::messageBox(kiv::files::cannotCreateMessage(error), kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
        return;
    }
    endDialog(kiv::ui::IDOK);
}
