#include "platform/ui/DocTemplate.h"

#include "platform/files/Files.h"
#include "platform/ui/App.h"
#include "platform/ui/Document.h"
#include "platform/ui/Frame.h"

#include <algorithm>

namespace kiv::ui {
namespace {

std::vector<std::unique_ptr<Document>>& removedDocuments() {
    static std::vector<std::unique_ptr<Document>> g;
    return g;
}

} // namespace

void collectRemovedDocuments() {
    while (!removedDocuments().empty()) {
        auto dead = std::move(removedDocuments());
        removedDocuments().clear();
        dead.clear();
    }
}

DocTemplate::DocTemplate(int resourceId, std::string templateString, DocumentFactory documentFactory,
                         FrameFactory frameFactory, ViewFactory viewFactory)
    : m_Id(resourceId), m_DocFactory(std::move(documentFactory)), m_FrameFactory(std::move(frameFactory)),
      m_ViewFactory(std::move(viewFactory)) {
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = templateString.find('\n', start);
        m_Parts.push_back(templateString.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
}

DocTemplate::~DocTemplate() {
    // Documents go before the template; their windows are already destroyed at exit.
    m_Docs.clear();
}

std::string DocTemplate::part(Part p) const {
    std::size_t i = static_cast<std::size_t>(p);
    return i < m_Parts.size() ? m_Parts[i] : std::string();
}

bool DocTemplate::matchesExtension(const std::filesystem::path& path) const {
    std::string ext = part(FilterExt);
    if (ext.empty())
        return false;
    return files::equalsNoCase(path.extension().string(), ext);
}

std::vector<Document*> DocTemplate::documents() const {
    std::vector<Document*> out;
    for (const auto& d : m_Docs)
        out.push_back(d.get());
    return out;
}

void DocTemplate::removeDocument(Document* doc) {
    auto it = std::find_if(m_Docs.begin(), m_Docs.end(), [&](auto& d) { return d.get() == doc; });
    if (it == m_Docs.end())
        return;
    removedDocuments().push_back(std::move(*it));
    m_Docs.erase(it);
}

ChildFrame* DocTemplate::createNewFrame(Document* doc) {
    App* app = App::instance();
    if (!app || !app->mainFrame())
        return nullptr;
    MainFrame& main = *app->mainFrame();
    std::unique_ptr<ChildFrame> owned = m_FrameFactory();
    ChildFrame* frame = main.adopt(std::move(owned));
    CreateContext ctx{doc, this};
    if (!frame->loadFrame(main, ctx, main.nextChildRect())) {
        frame->destroyWindow();
        return nullptr;
    }
    return frame;
}

void DocTemplate::initialUpdateFrame(ChildFrame* frame, Document* doc, bool makeVisible) {
    (void)doc;
    for (View* v : frame->views())
        v->onInitialUpdate();
    if (frame->isDestroyed())
        return;
    if (!frame->activeView()) {
        std::vector<View*> views = frame->views();
        if (!views.empty())
            frame->setActiveView(views.front());
    }
    frame->updateTitle();
    if (makeVisible)
        frame->activateFrame();
}

Document* DocTemplate::openDocumentFile(const std::filesystem::path& path, bool makeVisible) {
    m_Docs.push_back(m_DocFactory());
    Document* doc = m_Docs.back().get();
    doc->setTemplate(this);
    ChildFrame* frame = createNewFrame(doc);
    if (!frame) {
        removeDocument(doc);
        return nullptr;
    }
    auto fail = [&] {
        if (!frame->isDestroyed())
            frame->destroyWindow();
        // The document may have gone with its last view already.
        removeDocument(doc);
        return nullptr;
    };
    if (path.empty()) {
        doc->setTitle(part(DocName).empty() ? std::string("無題") : part(DocName) + std::to_string(++m_Untitled));
        if (!doc->onNewDocument())
            return fail();
    } else {
        if (!doc->onOpenDocument(path))
            return fail();
        doc->setPathName(path);
    }
    initialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

} // namespace kiv::ui
