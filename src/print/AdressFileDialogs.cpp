#include "print/AdressFileDialogs.h"

#include "platform/files/Files.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"
#include "print/LayoutFileDialogs.h"

using namespace kiv::ui;

AdressFileChooser::AdressFileChooser(const DialogTemplate& t, int pathBox, ReferenceFile which, const char* ext,
                                     Window* parent)
    : Dialog(t, parent), m_PathBox(pathBox), m_Which(which), m_Ext(ext) {
    onClicked(kBrowse, [this] { OnBrowse(); });
}

void AdressFileChooser::doDataExchange(DataExchange& dx) { dx.text(m_PathBox, m_FilePath, kMaxPath); }

void AdressFileChooser::showPath(const std::filesystem::path& path) {
    m_FilePath = kiv::files::toCp932(path).value_or(path.string());
    setItemText(m_PathBox, m_FilePath);
}

void AdressFileChooser::onShowDialog() { showPath(locateReferenceFile(m_Which, kiv::files::programDirectory())); }

void AdressFileChooser::OnBrowse() {
    FileDialogRequest request;
    request.open = true;
    request.defaultExt = m_Ext;
    request.initialName = "*." + m_Ext;
    request.filter = m_Ext + "(*." + m_Ext + ")|*." + m_Ext + "|全て(*.*)|*.*|";
    request.flags = OFN_HIDEREADONLY;
    request.owner = this;
    std::optional<std::filesystem::path> chosen = fileDialog(request);
    if (!chosen)
        return;
    showPath(*chosen);
    if (!rememberReferenceFile(m_Which, *chosen))
        messageBox(profileNotWrittenMessage(*chosen), MB_OK, {}, this);
}

const DialogTemplate& CAdressFileDialog::dialogLayout() {
    static const DialogTemplate t =
        LayoutFileDialog::chooserLayout(kDialogId, "住所ﾌｧｲﾙ切り替え", "住所ﾌｧｲﾙを選択", kPathBox);
    return t;
}
CAdressFileDialog::CAdressFileDialog(Window* parent)
    : AdressFileChooser(dialogLayout(), kPathBox, ReferenceFile::Adress, "ADR", parent) {}

const DialogTemplate& CAdressPrinfFileDialog::dialogLayout() {
    static const DialogTemplate t = LayoutFileDialog::chooserLayout(kDialogId, "宛先印刷設定ﾌｧｲﾙ切り替え",
                                                                    "相手先印刷設定ﾌｧｲﾙを選択", kPathBox);
    return t;
}
CAdressPrinfFileDialog::CAdressPrinfFileDialog(Window* parent)
    : AdressFileChooser(dialogLayout(), kPathBox, ReferenceFile::AdressPrint, "APS", parent) {}
