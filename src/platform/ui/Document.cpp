#include "platform/ui/Document.h"

#include "platform/files/Files.h"
#include "platform/process/Launch.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"

#include <algorithm>

namespace kiv::ui {

Document::Document() = default;

Document::~Document() {
    for (View* v : m_Views)
        v->m_Document = nullptr;
}

void Document::setTitle(const std::string& utf8) {
    m_Title = utf8;
    for (ChildFrame* f : frames())
        f->updateTitle();
}

void Document::setPathName(const std::filesystem::path& path, bool addToRecent) {
    m_Path = path;
    setTitle(path.filename().string());
    std::vector<View*> views = m_Views;
    for (View* v : views)
        v->onPathNameChanged();
    if (addToRecent)
        if (App* a = App::instance())
            a->addToRecentFileList(path);
}

std::vector<ChildFrame*> Document::frames() const {
    std::vector<ChildFrame*> out;
    if (App* a = App::instance(); a && a->mainFrame())
        for (ChildFrame* f : a->mainFrame()->mdiChildren())
            if (f->document() == this)
                out.push_back(f);
    return out;
}

void Document::updateAllViews(View* sender, long hint) {
    std::vector<View*> views = m_Views;
    for (View* v : views)
        if (v != sender && std::find(m_Views.begin(), m_Views.end(), v) != m_Views.end())
            v->onUpdate(sender, hint);
}

bool Document::onNewDocument() {
    deleteContents();
    m_Path.clear();
    m_Modified = false;
    return true;
}

bool Document::onOpenDocument(const std::filesystem::path& path) {
    std::string error;
    auto data = files::readFile(path, files::kMaxReadBytes, &error);
    if (!data) {
        messageBox("ファイルを開けませんでした。\n" + path.string());
        return false;
    }
    deleteContents();
    try {
        archive::ArchiveReader reader(*data);
        Archive ar(reader);
        serialize(ar);
    } catch (const archive::ArchiveError&) {
        messageBox("ファイルの内容が正しくないため開けませんでした。\n" + path.string());
        deleteContents();
        return false;
    }
    m_Modified = false;
    return true;
}

bool Document::onSaveDocument(const std::filesystem::path& path) {
    archive::ArchiveWriter writer;
    Archive ar(writer);
    serialize(ar);
    std::string error;
    if (!files::writeFileAtomically(path, writer.bytes(), &error)) {
        messageBox(files::cannotCreateMessage(error));
        return false;
    }
    m_Modified = false;
    return true;
}

void Document::onCloseDocument() {
    if (m_Closing)
        return;
    m_Closing = true;
    for (ChildFrame* f : frames())
        f->destroyWindow();
    std::vector<View*> rest = m_Views;   // views outside document frames
    for (View* v : rest)
        v->destroyWindow();
    deleteContents();
    if (m_Template)
        m_Template->removeDocument(this);
}

bool Document::saveModified() {
    if (!m_Modified)
        return true;
    std::string name = m_Title.empty() ? std::string("無題") : m_Title;
    int r = messageBox(name + " への変更を保存しますか?", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (r == IDCANCEL)
        return false;
    if (r == IDYES)
        return doFileSave();
    return true;
}

bool Document::doFileSave() {
    if (m_Path.empty())
        return doSave({});
    return doSave(m_Path);
}

bool Document::doSave(const std::filesystem::path& given, bool replacePath) {
    std::filesystem::path path = given;
    if (path.empty()) {
        FileDialogRequest req;
        req.open = false;
        req.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
        if (m_Template) {
            std::string ext = m_Template->part(DocTemplate::FilterExt);
            if (!ext.empty() && ext[0] == '.')
                ext.erase(0, 1);
            req.defaultExt = ext;
            if (!ext.empty())
                req.filter = m_Template->part(DocTemplate::FilterName) + "|*." + ext + "|";
        }
        req.initialName = m_Path.empty() ? m_Title : m_Path.string();
        auto chosen = fileDialog(req);
        if (!chosen)
            return false;
        path = *chosen;
    }
    if (!onSaveDocument(path))
        return false;
    if (replacePath)
        setPathName(path);
    onAfterSave();
    return true;
}

std::string Document::fileExtension() const {
    std::string ext = m_Template ? m_Template->part(DocTemplate::FilterExt) : std::string();
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    return ext;
}

void Document::sendMail() {
    static const char* const kNoMailProgram =
        "メールソフトを起動できませんでした。\n"
        "xdg-utils が入っていて、既定のメールソフトが設定されているか確かめてください。";
    std::string name = m_Path.empty() ? std::string() : m_Path.filename().string();
    if (name.empty()) {
        name = m_Title.empty() ? std::string("無題") : m_Title;
        const std::string ext = fileExtension();
        if (!ext.empty() && !files::equalsNoCase(std::filesystem::path(name).extension().string(), "." + ext))
            name += "." + ext;
    }
    std::string error;
    auto dir = files::makeTempDirectory("kiv-mail-", &error);
    if (!dir) {
        messageBox("送信するファイルを作れませんでした。\n" + error);
        return;
    }
    const std::filesystem::path copy = *dir / name;
    // A copy, not a save: the document stays as it was, changed or not.
    const bool modified = m_Modified;
    const bool written = onSaveDocument(copy);
    m_Modified = modified;
    std::error_code ec;
    if (!written) {
        std::filesystem::remove_all(*dir, ec);
        return;
    }
    // The composer reads the attachment when the message is sent, so a copy handed over stays.
    const process::LaunchOutcome started =
        process::launch("xdg-email", {"--attach", copy.string()}, std::chrono::seconds(3));
    if (started == process::LaunchOutcome::NotStarted || started == process::LaunchOutcome::Failed) {
        std::filesystem::remove_all(*dir, ec);
        messageBox(kNoMailProgram, MB_OK | MB_ICONEXCLAMATION);
    }
}

bool Document::onCommand(int id) {
    if (CommandTarget::onCommand(id))
        return true;
    switch (id) {
    case cmd::FileSave: doFileSave(); return true;
    case cmd::FileSaveAs: doSave({}); return true;
    case cmd::FileSendMail: sendMail(); return true;
    case cmd::FileClose:
        if (saveModified())
            onCloseDocument();
        return true;
    default: return false;
    }
}

bool Document::handlesCommand(int id) const {
    return CommandTarget::handlesCommand(id) || id == cmd::FileSave || id == cmd::FileSaveAs || id == cmd::FileClose ||
           id == cmd::FileSendMail;
}

void Document::addView(View* v) {
    if (std::find(m_Views.begin(), m_Views.end(), v) == m_Views.end())
        m_Views.push_back(v);
    v->m_Document = this;
}

void Document::removeView(View* v) {
    std::erase(m_Views, v);
    v->m_Document = nullptr;
    // The document goes with its last view (the frame asked about saving before).
    if (m_Views.empty() && !m_Closing && frames().empty())
        onCloseDocument();
}

} // namespace kiv::ui
