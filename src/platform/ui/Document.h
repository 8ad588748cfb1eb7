#pragma once
// A document: the data behind one or more views, created and owned by its document template.
// The base class keeps the path, title, modified flag and views, reads and writes the archive
// format through serialize(), and carries the framework's own close, save and save-as commands.
#include "platform/archive/Archive.h"
#include "platform/ui/CommandTarget.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kiv::ui {

class View;
class ChildFrame;
class DocTemplate;

// The archive handed to serialize(): either storing into a writer or loading from a reader.
class Archive {
public:
    explicit Archive(archive::ArchiveWriter& w) : m_Writer(&w) {}
    explicit Archive(archive::ArchiveReader& r) : m_Reader(&r) {}
    bool isStoring() const { return m_Writer != nullptr; }
    bool isLoading() const { return m_Reader != nullptr; }
    archive::ArchiveWriter& writer() { return *m_Writer; }
    archive::ArchiveReader& reader() { return *m_Reader; }

private:
    archive::ArchiveWriter* m_Writer = nullptr;
    archive::ArchiveReader* m_Reader = nullptr;
};

class Document : public CommandTarget {
public:
    Document();
    ~Document() override;

    const std::string& title() const { return m_Title; }   // UTF-8
    void setTitle(const std::string& utf8);
    const std::filesystem::path& pathName() const { return m_Path; }
    // Sets the path, retitles the windows, tells the views (View::onPathNameChanged) and (by
    // default) puts it at the top of the recent files.
    virtual void setPathName(const std::filesystem::path& path, bool addToRecent = true);
    bool isModified() const { return m_Modified; }
    void setModifiedFlag(bool modified = true) { m_Modified = modified; }

    DocTemplate* docTemplate() const { return m_Template; }
    const std::vector<View*>& views() const { return m_Views; }
    std::vector<ChildFrame*> frames() const;
    // onUpdate of every view but the sender.
    void updateAllViews(View* sender, long hint = 0);

    // Life cycle, as the template drives it. The base onNewDocument and onOpenDocument call
    // deleteContents first; onOpenDocument reads the file through serialize() and reports a
    // failure itself; onSaveDocument writes the whole file safely and reports a failure.
    virtual bool onNewDocument();
    virtual bool onOpenDocument(const std::filesystem::path& path);
    virtual bool onSaveDocument(const std::filesystem::path& path);
    // Destroys the document's frames and views, then the document (after the current event).
    virtual void onCloseDocument();
    virtual void deleteContents() {}
    virtual void serialize(Archive& ar) { (void)ar; }
    // Runs after a successful save.
    virtual void onAfterSave() {}
    // Asks whether to save a modified document; false when the user cancelled.
    virtual bool saveModified();

    // Save (57603) and Yes to the save-changes question: to the path, or asks for one when the
    // document has none. A document whose untitled save needs its own dialog overrides it.
    virtual bool doFileSave();
    bool doSave(const std::filesystem::path& path, bool replacePath = true);
    // 送信 (57612): a copy of the document, written as a save writes it, under its file name (or
    // its title and fileExtension) in a temporary folder of its own, attached to a new message of
    // the desktop's mail composer (xdg-email). The document keeps its path, title and modified
    // flag. When no mail program can be started, a message says so and the copy is removed.
    void sendMail();
    // The extension of the document's files, without the dot: the template's by default.
    virtual std::string fileExtension() const;

    bool onCommand(int id) override;
    bool handlesCommand(int id) const override;

    // Used by views and templates.
    void addView(View* v);
    void removeView(View* v);
    void setTemplate(DocTemplate* t) { m_Template = t; }
    bool isClosing() const { return m_Closing; }

private:
    std::string m_Title;
    std::filesystem::path m_Path;
    bool m_Modified = false;
    bool m_Closing = false;
    DocTemplate* m_Template = nullptr;
    std::vector<View*> m_Views;
};

} // namespace kiv::ui
