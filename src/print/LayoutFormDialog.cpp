#include "print/LayoutFormDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/LayoutField.h"
#include "estimate/ReferenceFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/files/Files.h"

using namespace kiv::ui;

LayoutFormDialog::LayoutFormDialog(const DialogTemplate& t, std::span<const int> ids,
                                   std::span<const std::size_t> widths, int firstFocus, Window* parent)
    : Dialog(t, parent), m_Fields(ids.size()), m_Ids(ids), m_Widths(widths), m_FirstFocus(firstFocus) {}

void LayoutFormDialog::doDataExchange(DataExchange& dx) {
    for (std::size_t i = 0; i < m_Ids.size(); ++i) {
        if (m_Widths[i] == kLayoutNumberWidth)   // X, Y and size
            dx.number(m_Ids[i], m_Fields[i], static_cast<int>(m_Widths[i]));
        else
            dx.text(m_Ids[i], m_Fields[i], static_cast<int>(m_Widths[i]));
    }
}

void LayoutFormDialog::onShowDialog() {
    m_pDoc = g_pKivDoc;
    m_Form = m_pDoc ? recordBytes(*m_pDoc) : std::string();
    m_Form = m_Form.substr(0, m_Form.find('\0'));
    LoadForm();
    gotoControl(m_FirstFocus);
}

void LayoutFormDialog::LoadForm() {
    m_Fields = splitLayoutFields(m_Form, m_Widths);
    updateData(false);
}

void LayoutFormDialog::SaveForm() {
    if (m_pDoc)
        storeFields(*m_pDoc);
}

void LayoutFormDialog::onOK() {
    if (!updateData(true))
        return;
    if (!m_pDoc || g_pKivDoc != m_pDoc) {
        // No estimate to change (or it is no longer open): nothing is written.
        endDialog(IDCANCEL);
        return;
    }
    SaveForm();
    parse(*m_pDoc);
    std::string error;
    if (!writeFile(*m_pDoc, error)) {
        messageBox(kiv::files::cannotCreateMessage(error), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    endDialog(IDOK);
}
