#pragma once
// Drives a dialog as a user would on the headless backend: focus moves to a control before it
// is typed into or clicked (so kill-focus handlers run as they do on screen), typing obeys the
// edit's limit and digits-only style, keys go to the focused control.
#include "platform/ui/Dialog.h"

#include <string>
#include <string_view>

namespace kiv::ui::headless {

class HeadlessBackend;

class DialogDriver {
public:
    DialogDriver(Dialog& d, HeadlessBackend& b) : m_Dialog(d), m_Backend(b) {}
    Dialog& dialog() { return m_Dialog; }

    DialogDriver& focus(int id);
    // Replaces the control's text as typed (UTF-8 here; the control holds CP932).
    DialogDriver& type(int id, std::string_view utf8);
    DialogDriver& typeCp932(int id, const std::string& cp932);
    DialogDriver& click(int id);
    // Picks a line of a list, combo or report list (-1: none).
    DialogDriver& select(int id, int index);
    DialogDriver& doubleClick(int id, int index);
    DialogDriver& key(int vk, unsigned mods = 0);

    std::string text(int id) const { return m_Dialog.itemText(id); }
    std::string textUtf8(int id) const;
    bool ended() const { return m_Dialog.isEnded(); }
    int result() const { return m_Dialog.result(); }

private:
    // A modal dialog that has ended is off the screen: what the script still does to it is
    // not delivered.
    bool closed() const { return m_Dialog.isEnded() && m_Dialog.isModal(); }

    Dialog& m_Dialog;
    HeadlessBackend& m_Backend;
};

} // namespace kiv::ui::headless
