// The estimate document as a document of the window layer: its new, open, save, close and
// save-changes steps mapped onto the estimate's own.
#include "estimate/KivDoc.h"

#include "platform/ui/MessageBox.h"

bool CKivDoc::onNewDocument() { return OnNewDocument(); }

bool CKivDoc::onOpenDocument(const std::filesystem::path& path) { return OnOpenDocument(path.string()); }

bool CKivDoc::onSaveDocument(const std::filesystem::path& path) {
    if (!OnSaveDocument(path.string()))
        return false;
    SetModifiedFlag(false);
    return true;
}

void CKivDoc::onCloseDocument() {
    if (isClosing())
        return;
    // A document whose open failed holds nothing worth a backup; its slot and the current
    // estimate are handed back when it is deleted.
    if (m_Loaded)
        OnCloseDocument();
    kiv::ui::Document::onCloseDocument();
}

bool CKivDoc::saveModified() {
    // A row being typed into counts as a change: it goes into the document before the question.
    if (KivDocView* view = GetView())
        view->StoreRowBuffer();
    if (!IsModified())
        return true;
    const std::string name = title().empty() ? std::string("無題") : title();
    int answer = kiv::ui::messageBox(name + " への変更を保存しますか?",
                                     kiv::ui::MB_YESNOCANCEL | kiv::ui::MB_ICONEXCLAMATION);
    if (answer == kiv::ui::IDCANCEL)
        return false;
    if (answer == kiv::ui::IDYES)
        return OnFileSave();
    return true;
}

void CKivDoc::setPathName(const std::filesystem::path& path, bool addToRecent) {
    m_PathName = path.string();
    kiv::ui::Document::setPathName(path, addToRecent);
}
