#include "platform/ui/Backend.h"

#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

#include <stdexcept>

namespace kiv::ui {
namespace {
Backend* g_Backend = nullptr;
}

Backend& backend() {
    if (!g_Backend)
        throw std::logic_error("no window backend installed");
    return *g_Backend;
}

bool hasBackend() { return g_Backend != nullptr; }
void setBackend(Backend* b) { g_Backend = b; }

int messageBox(std::string_view text, unsigned style, std::string_view caption, Window* owner) {
    MessageBoxRequest req;
    req.text = std::string(text);
    req.caption = caption.empty() ? std::string(kAppName) : std::string(caption);
    req.style = style;
    req.owner = owner;
    App::BusyScope busy;
    return backend().messageBox(req);
}

} // namespace kiv::ui
