#pragma once
// A document template: which document, child frame and view classes make up one kind of
// document window, under a resource id that names its menu and its "\n"-separated string of
// seven parts (window title, document name, file-new name, filter name, filter extension, file
// type id, file type name). It creates documents with their frames and owns the documents.
#include "platform/ui/Resources.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kiv::ui {

class Document;
class ChildFrame;
class View;
class DocTemplate;

// What a frame and its views are created for: the document being opened and its template.
struct CreateContext {
    Document* document = nullptr;
    DocTemplate* docTemplate = nullptr;
};

using DocumentFactory = std::function<std::unique_ptr<Document>()>;
using FrameFactory = std::function<std::unique_ptr<ChildFrame>()>;
using ViewFactory = std::function<std::unique_ptr<View>()>;

// factoryOf<CKivView>() makes any of the three factories for a default-constructible class.
template <class T> auto factoryOf() {
    return [] { return std::make_unique<T>(); };
}

class DocTemplate {
public:
    enum Part { WindowTitle = 0, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

    // viewFactory may be empty: the frame then creates its own panes.
    DocTemplate(int resourceId, std::string templateString, DocumentFactory documentFactory,
                FrameFactory frameFactory, ViewFactory viewFactory = {});
    ~DocTemplate();

    int resourceId() const { return m_Id; }
    std::string part(Part p) const;
    const ViewFactory& viewFactory() const { return m_ViewFactory; }

    // The menu and accelerators shown while a window of this template is active.
    void setMenu(const Menu* m) { m_Menu = m; }
    const Menu* menu() const { return m_Menu; }
    void setAccelerators(const AcceleratorTable* a) { m_Accel = a; }
    const AcceleratorTable* accelerators() const { return m_Accel; }

    // Creates a document with its frame and views and opens the file into it; with an empty
    // path creates an untitled document (onNewDocument). Does not look for the file among the
    // open documents. nullptr when the document could not be created or loaded.
    Document* openDocumentFile(const std::filesystem::path& path, bool makeVisible = true);
    // A further frame on an open document (the new-window command).
    ChildFrame* createNewFrame(Document* doc);
    void initialUpdateFrame(ChildFrame* frame, Document* doc, bool makeVisible = true);

    // Whether the file's extension is this template's, compared without regard to case.
    bool matchesExtension(const std::filesystem::path& path) const;

    std::vector<Document*> documents() const;
    // Deletes the document after the current event (its windows are already gone).
    void removeDocument(Document* doc);

private:
    int m_Id;
    std::vector<std::string> m_Parts;
    DocumentFactory m_DocFactory;
    FrameFactory m_FrameFactory;
    ViewFactory m_ViewFactory;
    const Menu* m_Menu = nullptr;
    const AcceleratorTable* m_Accel = nullptr;
    std::vector<std::unique_ptr<Document>> m_Docs;
    int m_Untitled = 0;
};

// Deletes the documents removed since the last call (with the destroyed windows).
void collectRemovedDocuments();

} // namespace kiv::ui
