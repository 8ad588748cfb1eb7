#pragma once
// Dialogs declared in code: a template (resource id, title, size and a table of controls with
// ids, kinds, captions and positions in dialog units) and a class that adds data exchange and
// handlers. The layer keeps every control's state (text, check, items, selection); the backend
// shows it and reports what the user does. Control texts are CP932 (record fields go in and
// out unchanged); captions, titles and list-view headings in the template are UTF-8.
//
//     class CTanniDialog : public ui::Dialog {
//     public:
//         std::string m_Tanni;
//         CTanniDialog() : Dialog(tanniTemplate()) {}
//         void onShowDialog() override { m_Tanni = sj("式"); updateData(false); for (...) addString(1015, unit); }
//         void doDataExchange(ui::DataExchange& dx) override { dx.cbString(1015, m_Tanni, 4); }
//     };
//     static const ui::DialogTemplate& tanniTemplate() {
//         static const ui::DialogTemplate t{183, "単位入力", {120, 60}, {
//             ui::ctl::combo(1015, ui::dlu(10, 10, 60, 80)),
//             ui::ctl::defButton(ui::IDOK, "OK", ui::dlu(80, 10, 30, 14)),
//             ui::ctl::button(ui::IDCANCEL, "ｷｬﾝｾﾙ", ui::dlu(80, 30, 30, 14))}};
//         return t;
//     }
//
// doModal() returns IDOK, IDCANCEL or the code a handler passed to endDialog. Enter presses the
// default button (Enter in a tree or report list is their Return notification instead), Esc
// and the close box cancel (onClose), Tab moves to the next control in table order.
// onInitDialog runs after the controls exist (default: updateData(false)); onShowDialog runs
// once, when the dialog is first shown, before the user sees it.
#include "platform/ui/TreeView.h"
#include "platform/ui/Window.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::ui {

class Dialog;

enum class ControlKind { Static, Edit, Button, CheckBox, Radio, Combo, ListBox, ListView, Tree, GroupBox, Progress };

enum ControlStyle : unsigned {
    StyleNone = 0,
    EditNumber = 1 << 0,      // digits only
    EditMultiline = 1 << 1,
    EditWantReturn = 1 << 2,  // Enter makes a new line instead of pressing the default button
    EditReadOnly = 1 << 3,
    Hidden = 1 << 4,
    DefaultButton = 1 << 5,
    Group = 1 << 6,           // first radio button of a group
    ComboDropList = 1 << 7,   // a list without an edit field (default: editable drop-down)
    Disabled = 1 << 8,
    ListFullRowSelect = 1 << 9,
    ListGridLines = 1 << 10,
    TextLeft = 1 << 11,       // check box with its text on the left
    EditRight = 1 << 12,      // edit text right-aligned
};

enum class Align { Left, Right, Center };

struct ListColumn {
    std::string heading;   // UTF-8
    int width = 80;        // pixels
    Align align = Align::Left;
};

struct ControlDef {
    ControlKind kind = ControlKind::Static;
    int id = -1;            // -1: a static that nothing addresses
    std::string caption;    // UTF-8
    Rect rect;              // dialog units; empty: placed by the layer
    unsigned style = 0;
    int limit = 0;          // edits: most bytes the user may type (0: no limit)
    std::vector<ListColumn> columns;
};

// A rectangle in dialog units from its position and size.
constexpr Rect dlu(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

namespace ctl {
ControlDef label(std::string caption, Rect r = {}, int id = -1);
ControlDef edit(int id, Rect r = {}, unsigned style = 0, int limit = 0);
ControlDef button(int id, std::string caption, Rect r = {}, unsigned style = 0);
ControlDef defButton(int id, std::string caption, Rect r = {});
ControlDef check(int id, std::string caption, Rect r = {}, unsigned style = 0);
ControlDef radio(int id, std::string caption, Rect r = {}, bool firstOfGroup = false);
ControlDef combo(int id, Rect r = {}, unsigned style = 0);
ControlDef list(int id, Rect r = {}, unsigned style = 0);
ControlDef report(int id, std::vector<ListColumn> columns, Rect r = {}, unsigned style = ListFullRowSelect | ListGridLines);
ControlDef tree(int id, Rect r = {});
ControlDef group(std::string caption, Rect r = {});
// A progress bar: a range and a position the program sets; the user cannot change it.
ControlDef progress(int id, Rect r = {});
} // namespace ctl

struct DialogTemplate {
    int id = 0;
    std::string title;     // UTF-8
    Size size;             // dialog units; zero: fitted to the controls
    std::vector<ControlDef> controls;
};

// Pixels of dialog units (the dialog font's cell: 6 x 13 pixels).
Rect dluToPixels(const Rect& r);

// What a control holds.
struct Control {
    ControlDef def;
    Rect pixels;
    std::string text;   // CP932: edit or combo text, caption of statics and buttons
    int checked = 0;    // check boxes and radio buttons
    bool enabled = true;
    bool visible = true;
    int limit = 0;
    // A box whose text is read as a number (its exchange says so): typed full-width digits,
    // point and minus become half-width before the limit applies, and are taken in so.
    bool number = false;
    std::vector<std::string> items;   // list and combo lines (CP932)
    int curSel = -1;                  // list, combo and report selection
    int horizontalExtent = 0;
    std::vector<ListColumn> columns;                // report columns
    std::vector<std::vector<std::string>> rows;     // report cells (CP932)
    TreeView* tree = nullptr;
    int rangeLow = 0, rangeHigh = 100, pos = 0;   // progress bars
};

enum class Notify { Clicked, Change, EditChange, KillFocus, SetFocus, SelChange, DblClk, Return, ItemExpanding };

// Whether the whole text is one number as the exchange of a number takes it: blanks, a sign,
// digits, and (when allowed) one point and digits.
bool isNumberText(std::string_view s, bool allowPoint);

// Moves values between members and controls in declared order. Saving stops at the first
// control whose value fails validation: a message is shown, the control gets the focus, and
// the members exchanged before it keep their new values.
class DataExchange {
public:
    DataExchange(Dialog& d, bool saving) : m_Dialog(d), m_Saving(saving) {}
    bool saving() const { return m_Saving; }
    bool failed() const { return m_Failed; }

    // Edit text and string; maxBytes (CP932 bytes, 0: none) is checked on saving and limits typing.
    void text(int id, std::string& value, int maxBytes = 0);
    // An edit or combo text that is read as a number: as text(), and the box is a number box
    // (Control::number). The int and double exchanges make their boxes number boxes too.
    void number(int id, std::string& value, int maxBytes = 0);
    void text(int id, int& value, int min, int max);
    void text(int id, double& value, double min, double max);
    void check(int id, int& value);
    // A radio group from its first button; the index of the checked button, -1 when none.
    void radio(int firstId, int& index);
    void cbString(int id, std::string& value, int maxBytes = 0);
    // Saving: the selected line (empty when none). Loading: selects the first line that begins
    // with the value.
    void lbString(int id, std::string& value);
    void lbIndex(int id, int& index);

private:
    void fail(int id, const std::string& message);
    // Marks the box a number box; its text, half-width when saving.
    std::string numberText(int id);
    void exchangeText(int id, std::string& value, int maxBytes, bool number);
    Dialog& m_Dialog;
    bool m_Saving;
    bool m_Failed = false;
};

class Dialog : public Window {
public:
    explicit Dialog(const DialogTemplate& t, Window* owner = nullptr);
    ~Dialog() override;

    const DialogTemplate& dialogTemplate() const { return m_Template; }
    Window* owner() const { return m_Owner; }

    // Runs the dialog modally; IDOK, IDCANCEL or the code passed to endDialog. A dialog is run for
    // its owner and for the view that was active when it opened: when either window is destroyed
    // while the dialog runs (by a posted task, say), the dialog ends at once and its answer is
    // IDCANCEL whatever it was, so the command that ran it does none of its work on the window or
    // document that went.
    int doModal();
    // Ends the modal dialogs running for `w` (see doModal); the window layer calls it when it
    // destroys a window.
    static void windowDestroyed(const Window& w);
    // Creates the dialog without showing it (show(true) shows it; onShowDialog runs then).
    bool createModeless(Window* owner = nullptr);
    void endDialog(int code);
    bool isEnded() const { return m_Ended; }
    bool isModal() const { return m_Modal; }
    int result() const { return m_Result; }

    // Hooks.
    virtual bool onInitDialog();
    virtual void onShowDialog() {}
    virtual void doDataExchange(DataExchange& dx) { (void)dx; }
    virtual void onOK();
    virtual void onCancel();
    void onClose() override { onCancel(); }
    // Moves values: false (members from controls) or true (controls into members, validated).
    bool updateData(bool saveAndValidate = true);
    bool isExchanging() const { return m_Exchanging; }
    // Runs `write` with the edits' change notifications held back, as during data exchange: code
    // that fills boxes with values it computed must not re-enter the handlers that called it.
    void withoutChangeNotify(const std::function<void()>& write);

    // Handlers of control notifications; the first for an id and code wins.
    void onNotify(int id, Notify code, std::function<void()> handler);
    void onClicked(int id, std::function<void()> handler) { onNotify(id, Notify::Clicked, std::move(handler)); }

    // Controls.
    Control* control(int id);
    const Control* control(int id) const;
    const std::vector<Control>& controls() const { return m_Controls; }
    std::string itemText(int id) const;
    void setItemText(int id, const std::string& cp932);
    void setItemTextUtf8(int id, const std::string& utf8);
    int isChecked(int id) const;
    void checkButton(int id, int state);
    void enableItem(int id, bool on = true);
    void showItem(int id, bool on = true);
    void setLimitText(int id, int maxBytes);

    // Focus: to a control with its whole text selected; to the next control in table order.
    void gotoControl(int id);
    void nextControl(bool previous = false);
    int focusedControl() const { return m_Focus; }

    // List boxes and combo boxes.
    int addString(int id, const std::string& cp932);
    int insertString(int id, int index, const std::string& cp932);   // -1: at the end
    int deleteString(int id, int index);   // the count left, or -1
    int getCount(int id) const;
    int getCurSel(int id) const;
    int setCurSel(int id, int index);   // -1 clears the selection
    std::string getLbText(int id, int index) const;
    void resetContent(int id);
    // Selects the first line from after `startAfter` that begins with the text; its index or -1.
    int selectString(int id, int startAfter, const std::string& cp932);
    void setHorizontalExtent(int id, int pixels);

    // Report lists.
    int insertListItem(int id, int row, const std::string& cp932);   // -1: at the end
    bool setListItemText(int id, int row, int column, const std::string& cp932);
    std::string listItemText(int id, int row, int column) const;

    TreeView* tree(int id) const;

    // Progress bars: the range low..high and the position (a position outside the range shows
    // the nearer end).
    void setProgressRange(int id, int low, int high);
    void setProgressPos(int id, int pos);

    // From the backends (and the headless driver): what the user did.
    bool handleKey(int vk, unsigned mods);
    void pressButton(int id);
    void userSetText(int id, const std::string& cp932);
    void userSelect(int id, int index);
    void userDoubleClick(int id);
    void userFocus(int id);
    void notify(int id, Notify code);
    // Applies the edit's limit and style to typed text, as the control does while typing.
    std::string acceptTyped(int id, const std::string& cp932) const;

    void onShowWindow(bool show) override;
    int onCreate() override;

protected:
    bool preTranslateKeyDown(int vk, unsigned mods) override;
    // A key before the dialog's own handling (a calculator's keypad keys); true consumes it.
    virtual bool onPreTranslateKey(int vk, unsigned mods) { (void)vk, (void)mods; return false; }

private:
    void changed(int id);
    int defaultButton() const;
    bool focusable(const Control& c) const;
    bool createWindow(Window* owner);
    void setFocusControl(int id, bool fromUser);

    DialogTemplate m_Template;
    Window* m_Owner;
    std::vector<Control> m_Controls;
    std::map<std::pair<int, Notify>, std::function<void()>> m_Handlers;
    int m_Focus = 0;
    bool m_Ended = false;
    int m_Result = 0;
    bool m_Exchanging = false;
    int m_Quiet = 0;
    bool m_ShownOnce = false;
    bool m_Modal = false;
    // The windows a modal run is for; set (with m_ForWindowLost) only while doModal runs.
    const Window* m_ForOwner = nullptr;
    const Window* m_ForView = nullptr;
    bool m_ForWindowLost = false;
};

} // namespace kiv::ui
