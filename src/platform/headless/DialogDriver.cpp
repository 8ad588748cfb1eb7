#include "platform/headless/DialogDriver.h"

#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Cp932.h"

namespace kiv::ui::headless {

DialogDriver& DialogDriver::focus(int id) {
    if (closed())
        return *this;
    m_Dialog.gotoControl(id);
    m_Backend.processPending();
    return *this;
}

DialogDriver& DialogDriver::type(int id, std::string_view utf8) {
    // Characters CP932 cannot hold are not typed.
    return typeCp932(id, text::toCp932Replacing(utf8, ""));
}

DialogDriver& DialogDriver::typeCp932(int id, const std::string& cp932) {
    if (closed())
        return *this;
    focus(id);
    m_Dialog.userSetText(id, cp932);
    m_Backend.processPending();
    return *this;
}

DialogDriver& DialogDriver::click(int id) {
    if (closed())
        return *this;
    focus(id);
    m_Dialog.pressButton(id);
    m_Backend.processPending();
    return *this;
}

DialogDriver& DialogDriver::select(int id, int index) {
    if (closed())
        return *this;
    focus(id);
    m_Dialog.userSelect(id, index);
    m_Backend.processPending();
    return *this;
}

DialogDriver& DialogDriver::doubleClick(int id, int index) {
    if (closed())
        return *this;
    select(id, index);
    m_Dialog.userDoubleClick(id);
    m_Backend.processPending();
    return *this;
}

DialogDriver& DialogDriver::key(int vk, unsigned mods) {
    if (closed())
        return *this;
    int id = m_Dialog.focusedControl();
    if (TreeView* t = m_Dialog.tree(id))
        t->dispatchKeyDown(vk, mods);
    else
        m_Dialog.dispatchKeyDown(vk, mods);
    m_Backend.processPending();
    return *this;
}

std::string DialogDriver::textUtf8(int id) const {
    auto u = text::cp932ToUtf8(m_Dialog.itemText(id));
    return u ? *u : std::string();
}

} // namespace kiv::ui::headless
