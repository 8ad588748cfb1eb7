#include "estimate/ReferenceFileDialog.h"

#include "estimate/KivDoc.h"
#include "platform/files/Files.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

ReferenceFileDialog::ReferenceFileDialog(const DialogTemplate& t, int pathBox, Window* parent)
    : Dialog(t, parent), m_PathBox(pathBox) {
    onClicked(kBrowse, [this] { OnBrowse(); });
}

void ReferenceFileDialog::doDataExchange(DataExchange& dx) { dx.text(m_PathBox, m_Path, kMaxPath); }

void ReferenceFileDialog::showPath(const std::filesystem::path& path) {
    // A name that CP932 cannot hold is shown as its bytes; the file itself is named by the path.
    m_Path = kiv::files::toCp932(path).value_or(path.string());
    setItemText(m_PathBox, m_Path);
}

void ReferenceFileDialog::onShowDialog() {
    if (g_pKivDoc)
        showPath(currentPath(*g_pKivDoc));
}

void ReferenceFileDialog::OnBrowse() {
    CKivDoc* doc = g_pKivDoc;
    if (!doc)
        return;
    if (showsPathOnBrowse())
        showPath(currentPath(*doc));
    std::string ext = extension();
    if (ext.empty())
        return;
    FileDialogRequest request;
    request.open = true;
    request.defaultExt = ext;
    request.initialName = "*." + ext;
    request.filter = ext + "(*." + ext + ")|*." + ext + "|全て(*.*)|*.*|";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    request.owner = this;
    std::optional<std::filesystem::path> chosen = fileDialog(request);
    if (!chosen)
        return;
    showPath(*chosen);
    ConfirmCreate ask = [this](const std::string& question) {
        return messageBox(question, MB_YESNO | MB_ICONQUESTION, {}, this) == IDYES;
    };
    for (const std::string& message : switchTo(*doc, *chosen, ask))
        messageBox(message, MB_OK, {}, this);
}
