#include "platform/ui/Dialog.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kiv::ui {

// ---- control declarations

namespace ctl {
ControlDef label(std::string caption, Rect r, int id) { return {ControlKind::Static, id, std::move(caption), r, 0, 0, {}}; }
ControlDef edit(int id, Rect r, unsigned style, int limit) { return {ControlKind::Edit, id, {}, r, style, limit, {}}; }
ControlDef button(int id, std::string caption, Rect r, unsigned style) {
    return {ControlKind::Button, id, std::move(caption), r, style, 0, {}};
}
ControlDef defButton(int id, std::string caption, Rect r) { return button(id, std::move(caption), r, DefaultButton); }
ControlDef check(int id, std::string caption, Rect r, unsigned style) {
    return {ControlKind::CheckBox, id, std::move(caption), r, style, 0, {}};
}
ControlDef radio(int id, std::string caption, Rect r, bool firstOfGroup) {
    return {ControlKind::Radio, id, std::move(caption), r, firstOfGroup ? unsigned(Group) : 0u, 0, {}};
}
ControlDef combo(int id, Rect r, unsigned style) { return {ControlKind::Combo, id, {}, r, style, 0, {}}; }
ControlDef list(int id, Rect r, unsigned style) { return {ControlKind::ListBox, id, {}, r, style, 0, {}}; }
ControlDef report(int id, std::vector<ListColumn> columns, Rect r, unsigned style) {
    return {ControlKind::ListView, id, {}, r, style, 0, std::move(columns)};
}
ControlDef tree(int id, Rect r) { return {ControlKind::Tree, id, {}, r, 0, 0, {}}; }
ControlDef group(std::string caption, Rect r) { return {ControlKind::GroupBox, -1, std::move(caption), r, 0, 0, {}}; }
ControlDef progress(int id, Rect r) { return {ControlKind::Progress, id, {}, r, 0, 0, {}}; }
} // namespace ctl

Rect dluToPixels(const Rect& r) { return {r.left * 6 / 4, r.top * 13 / 8, r.right * 6 / 4, r.bottom * 13 / 8}; }

namespace {

std::string cp932Of(const std::string& utf8) {
    auto s = text::utf8ToCp932(utf8);
    return s ? *s : utf8;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}


std::string formatDouble(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A TreeView inside a dialog reports to it.
class DialogTree : public TreeView {
public:
    DialogTree(Dialog& d, int id) : m_Dialog(d), m_Id(id) {}
    void onReturn() override { m_Dialog.notify(m_Id, Notify::Return); }
    void onLButtonDblClk(unsigned flags, Point p) override {
        m_Dialog.notify(m_Id, Notify::DblClk);
        TreeView::onLButtonDblClk(flags, p);
    }
    void onSelChanged() override { m_Dialog.notify(m_Id, Notify::SelChange); }
    void onItemExpanding(TreeItem) override { m_Dialog.notify(m_Id, Notify::ItemExpanding); }
    void onSetFocus() override {
        TreeView::onSetFocus();
        m_Dialog.userFocus(m_Id);
    }

protected:
    bool preTranslateKeyDown(int vk, unsigned mods) override {
        return (vk == VK_ESCAPE || vk == VK_TAB) && m_Dialog.handleKey(vk, mods);
    }

private:
    Dialog& m_Dialog;
    int m_Id;
};

} // namespace

bool isNumberText(std::string_view s, bool allowPoint) {
    s = text::trimBlanks(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9')
            digits = true;
        else if (c == '.' && allowPoint && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

// ---- DataExchange

void DataExchange::fail(int id, const std::string& message) {
    m_Failed = true;
    messageBox(message, MB_OK | MB_ICONEXCLAMATION, {}, &m_Dialog);
    m_Dialog.gotoControl(id);
}

std::string DataExchange::numberText(int id) {
    if (Control* c = m_Dialog.control(id))
        c->number = true;
    return m_Saving ? text::halfWidthNumberText(m_Dialog.itemText(id)) : std::string();
}

void DataExchange::text(int id, std::string& value, int maxBytes) { exchangeText(id, value, maxBytes, false); }

void DataExchange::number(int id, std::string& value, int maxBytes) { exchangeText(id, value, maxBytes, true); }

void DataExchange::exchangeText(int id, std::string& value, int maxBytes, bool number) {
    if (m_Failed)
        return;
    const std::string taken = number ? numberText(id) : std::string();
    if (!m_Saving) {
        if (maxBytes > 0)
            m_Dialog.setLimitText(id, maxBytes);
        m_Dialog.setItemText(id, value);
        return;
    }
    std::string t = number ? taken : m_Dialog.itemText(id);
    if (maxBytes > 0 && static_cast<int>(t.size()) > maxBytes) {
        fail(id, "入力できるのは半角" + std::to_string(maxBytes) + "文字（全角" + std::to_string(maxBytes / 2) +
                     "文字）までです。");
        return;
    }
    value = t;
}

void DataExchange::text(int id, int& value, int min, int max) {
    if (m_Failed)
        return;
    if (!m_Saving) {
        m_Dialog.setItemText(id, std::to_string(value));
        numberText(id);
        return;
    }
    std::string t = numberText(id);
    if (!isNumberText(t, false)) {
        fail(id, "整数を入力してください。");
        return;
    }
    long long v = text::parseDecimal(t).toLong();
    if (v < min || v > max) {
        fail(id, std::to_string(min) + " から " + std::to_string(max) + " までの整数を入力してください。");
        return;
    }
    value = static_cast<int>(v);
}

void DataExchange::text(int id, double& value, double min, double max) {
    if (m_Failed)
        return;
    if (!m_Saving) {
        m_Dialog.setItemText(id, formatDouble(value));
        numberText(id);
        return;
    }
    std::string t = numberText(id);
    if (!isNumberText(t, true)) {
        fail(id, "数値を入力してください。");
        return;
    }
    double v = text::parseDecimal(t).toDouble();
    if (v < min || v > max) {
        fail(id, formatDouble(min) + " から " + formatDouble(max) + " までの数値を入力してください。");
        return;
    }
    value = v;
}

void DataExchange::check(int id, int& value) {
    if (m_Failed)
        return;
    if (m_Saving)
        value = m_Dialog.isChecked(id);
    else
        m_Dialog.checkButton(id, value);
}

void DataExchange::radio(int firstId, int& index) {
    if (m_Failed)
        return;
    const auto& cs = m_Dialog.controls();
    auto it = std::find_if(cs.begin(), cs.end(), [&](const Control& c) { return c.def.id == firstId; });
    std::vector<int> ids;
    for (; it != cs.end() && it->def.kind == ControlKind::Radio; ++it) {
        if (!ids.empty() && (it->def.style & Group))
            break;
        ids.push_back(it->def.id);
    }
    if (m_Saving) {
        index = -1;
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (m_Dialog.isChecked(ids[i]))
                index = static_cast<int>(i);
    } else {
        for (std::size_t i = 0; i < ids.size(); ++i)
            m_Dialog.checkButton(ids[i], static_cast<int>(i) == index ? 1 : 0);
    }
}

void DataExchange::cbString(int id, std::string& value, int maxBytes) { text(id, value, maxBytes); }

void DataExchange::lbString(int id, std::string& value) {
    if (m_Failed)
        return;
    if (m_Saving) {
        int sel = m_Dialog.getCurSel(id);
        value = sel >= 0 ? m_Dialog.getLbText(id, sel) : std::string();
    } else if (value.empty() || m_Dialog.selectString(id, -1, value) < 0) {
        m_Dialog.setCurSel(id, -1);   // an empty text selects nothing
    }
}

void DataExchange::lbIndex(int id, int& index) {
    if (m_Failed)
        return;
    if (m_Saving)
        index = m_Dialog.getCurSel(id);
    else
        m_Dialog.setCurSel(id, index);
}

// ---- Dialog

Dialog::Dialog(const DialogTemplate& t, Window* owner) : Window(WindowKind::Dialog), m_Template(t), m_Owner(owner) {
    setBackgroundColor(rgb(240, 240, 240));
    setTitle(t.title);
    // Controls without a position are stacked in one column, buttons in a row at the bottom.
    int y = 7, maxRight = 0, maxBottom = 0;
    for (const ControlDef& d : t.controls)
        if (!d.rect.isEmpty()) {
            maxRight = std::max(maxRight, d.rect.right);
            maxBottom = std::max(maxBottom, d.rect.bottom);
        }
    std::vector<Control*> autoButtons;
    m_Controls.reserve(t.controls.size());
    for (const ControlDef& d : t.controls) {
        Control c;
        c.def = d;
        c.text = cp932Of(d.caption);
        c.limit = d.limit;
        c.enabled = !(d.style & Disabled);
        c.visible = !(d.style & Hidden);
        c.columns = d.columns;
        Rect r = d.rect;
        if (r.isEmpty() && d.kind != ControlKind::Button) {
            int h = d.kind == ControlKind::ListBox || d.kind == ControlKind::ListView || d.kind == ControlKind::Tree ? 80
                    : d.kind == ControlKind::Edit && (d.style & EditMultiline)                                 ? 40
                                                                                                               : 12;
            r = dlu(7, std::max(y, maxBottom ? maxBottom + 7 : 7), 180, h);
            y = r.bottom + 4;
            maxBottom = 0;
            maxRight = std::max(maxRight, r.right);
        }
        c.def.rect = r;
        m_Controls.push_back(std::move(c));
    }
    int bottom = 0;
    for (const Control& c : m_Controls)
        bottom = std::max(bottom, c.def.rect.bottom);
    int x = 7;
    for (Control& c : m_Controls)
        if (c.def.rect.isEmpty()) {
            c.def.rect = dlu(x, bottom + 7, 50, 14);
            x += 54;
        }
    for (Control& c : m_Controls) {
        c.pixels = dluToPixels(c.def.rect);
        maxRight = std::max(maxRight, c.def.rect.right);
        maxBottom = std::max(maxBottom, c.def.rect.bottom);
    }
    Size size = t.size;
    if (size.cx <= 0 || size.cy <= 0)
        size = {maxRight + 7, maxBottom + 7};
    Rect px = dluToPixels(dlu(0, 0, size.cx, size.cy));
    setGeometry(px);
}

Dialog::~Dialog() {
    if (!isDestroyed())
        destroyWindow();
}

int Dialog::onCreate() {
    for (Control& c : m_Controls)
        if (c.def.kind == ControlKind::Tree) {
            auto* t = adopt(std::make_unique<DialogTree>(*this, c.def.id));
            t->create(this, c.pixels, c.visible);
            c.tree = t;
        }
    return 0;
}

bool Dialog::createWindow(Window* owner) {
    if (owner)
        m_Owner = owner;
    if (!m_Owner)
        if (App* a = App::instance())
            m_Owner = a->mainFrame();
    m_Ended = false;
    m_Result = 0;
    m_ShownOnce = false;
    m_Focus = 0;
    Rect r = geometry();
    if (!create(nullptr, r, false))
        return false;
    return onInitDialog();
}

namespace {

// The modal dialogs running now, innermost last.
std::vector<Dialog*>& runningModals() {
    static std::vector<Dialog*> v;
    return v;
}

} // namespace

int Dialog::doModal() {
    App::BusyScope busy;
    m_Modal = true;
    if (!createWindow(m_Owner)) {
        m_Modal = false;
        return -1;
    }
    // The windows the run is for are only compared with a window being destroyed, never read.
    m_ForOwner = m_Owner;
    m_ForView = App::instance() ? App::instance()->activeView() : nullptr;
    m_ForWindowLost = false;
    runningModals().push_back(this);
    struct Unregister {
        Dialog* d;
        ~Unregister() {
            std::erase(runningModals(), d);
            d->m_ForOwner = d->m_ForView = nullptr;
        }
    } unregister{this};
    int r = m_Ended ? m_Result : backend().runModal(*this);
    if (m_Ended)
        r = m_Result;
    if (m_ForWindowLost)
        r = IDCANCEL;
    m_Modal = false;
    if (!isDestroyed())
        destroyWindow();
    return r;
}

void Dialog::windowDestroyed(const Window& w) {
    const std::vector<Dialog*> running = runningModals();
    for (Dialog* d : running) {
        if (&w != d->m_ForOwner && &w != d->m_ForView)
            continue;
        d->m_ForWindowLost = true;
        if (!d->m_Ended)
            d->endDialog(IDCANCEL);
    }
}

bool Dialog::createModeless(Window* owner) {
    m_Modal = false;
    return createWindow(owner);
}

void Dialog::endDialog(int code) {
    m_Ended = true;
    m_Result = code;
    if (m_Modal) {
        if (peer())
            peer()->endModal(code);
    } else {
        show(false);
    }
}

bool Dialog::onInitDialog() {
    updateData(false);
    return true;
}

void Dialog::onOK() {
    if (updateData(true))
        endDialog(IDOK);
}

void Dialog::onCancel() { endDialog(IDCANCEL); }

bool Dialog::updateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    bool was = m_Exchanging;
    m_Exchanging = true;
    doDataExchange(dx);
    m_Exchanging = was;
    return !dx.failed();
}

void Dialog::withoutChangeNotify(const std::function<void()>& write) {
    ++m_Quiet;
    struct Restore {
        int& n;
        ~Restore() { --n; }
    } restore{m_Quiet};
    write();
}

void Dialog::onShowWindow(bool show) {
    if (!show || m_ShownOnce)
        return;
    m_ShownOnce = true;
    onShowDialog();
    if (!m_Focus)
        for (const Control& c : m_Controls)
            if (focusable(c)) {
                setFocusControl(c.def.id, false);
                break;
            }
}

void Dialog::onNotify(int id, Notify code, std::function<void()> handler) {
    m_Handlers.emplace(std::make_pair(id, code), std::move(handler));
}

Control* Dialog::control(int id) {
    for (Control& c : m_Controls)
        if (c.def.id == id)
            return &c;
    return nullptr;
}

const Control* Dialog::control(int id) const { return const_cast<Dialog*>(this)->control(id); }

void Dialog::changed(int id) {
    if (peer())
        peer()->controlChanged(id);
}

std::string Dialog::itemText(int id) const {
    const Control* c = control(id);
    return c ? c->text : std::string();
}

void Dialog::setItemText(int id, const std::string& cp932) {
    Control* c = control(id);
    if (!c)
        return;
    bool differs = c->text != cp932;
    c->text = cp932;
    if (c->def.kind == ControlKind::Combo) {
        auto it = std::find(c->items.begin(), c->items.end(), cp932);
        c->curSel = it == c->items.end() ? -1 : static_cast<int>(it - c->items.begin());
    }
    changed(id);
    // Setting an edit's text notifies its change handler, except during data exchange or while
    // change notifications are held back.
    if (differs && c->def.kind == ControlKind::Edit && !m_Exchanging && !m_Quiet)
        notify(id, Notify::Change);
}

void Dialog::setItemTextUtf8(int id, const std::string& utf8) { setItemText(id, cp932Of(utf8)); }

int Dialog::isChecked(int id) const {
    const Control* c = control(id);
    return c ? c->checked : 0;
}

void Dialog::checkButton(int id, int state) {
    if (Control* c = control(id)) {
        c->checked = state;
        changed(id);
    }
}

void Dialog::setProgressRange(int id, int low, int high) {
    if (Control* c = control(id)) {
        c->rangeLow = low;
        c->rangeHigh = high;
        changed(id);
    }
}

void Dialog::setProgressPos(int id, int pos) {
    if (Control* c = control(id)) {
        c->pos = pos;
        changed(id);
    }
}

void Dialog::enableItem(int id, bool on) {
    if (Control* c = control(id)) {
        c->enabled = on;
        changed(id);
    }
}

void Dialog::showItem(int id, bool on) {
    if (Control* c = control(id)) {
        c->visible = on;
        if (c->tree)
            c->tree->show(on);
        changed(id);
    }
}

void Dialog::setLimitText(int id, int maxBytes) {
    if (Control* c = control(id)) {
        c->limit = maxBytes;
        changed(id);
    }
}

bool Dialog::focusable(const Control& c) const {
    switch (c.def.kind) {
    case ControlKind::Static: case ControlKind::GroupBox: case ControlKind::Progress: return false;
    default: return c.enabled && c.visible;
    }
}

void Dialog::setFocusControl(int id, bool fromUser) {
    if (id == m_Focus)
        return;
    int old = m_Focus;
    m_Focus = id;
    if (!fromUser) {
        if (Control* c = control(id); c && c->tree)
            c->tree->setFocus();
        else if (peer())
            peer()->focusControl(id);
    }
    if (old)
        notify(old, Notify::KillFocus);
    if (m_Focus == id && id)
        notify(id, Notify::SetFocus);
}

void Dialog::gotoControl(int id) {
    if (control(id))
        setFocusControl(id, false);
}

void Dialog::nextControl(bool previous) {
    std::vector<int> order;
    for (const Control& c : m_Controls)
        if (focusable(c)) {
            // Only the checked button of a radio group takes part in the tab order.
            if (c.def.kind == ControlKind::Radio && !c.checked && c.def.id != m_Focus)
                continue;
            order.push_back(c.def.id);
        }
    if (order.empty())
        return;
    auto it = std::find(order.begin(), order.end(), m_Focus);
    int n = static_cast<int>(order.size());
    int i = it == order.end() ? (previous ? 0 : -1) : static_cast<int>(it - order.begin());
    setFocusControl(order[static_cast<std::size_t>(((i + (previous ? -1 : 1)) % n + n) % n)], false);
}

int Dialog::addString(int id, const std::string& cp932) { return insertString(id, -1, cp932); }

int Dialog::insertString(int id, int index, const std::string& cp932) {
    Control* c = control(id);
    if (!c)
        return -1;
    if (index < 0 || index > static_cast<int>(c->items.size()))
        index = static_cast<int>(c->items.size());
    c->items.insert(c->items.begin() + index, cp932);
    if (c->curSel >= index)
        ++c->curSel;
    changed(id);
    return index;
}

int Dialog::deleteString(int id, int index) {
    Control* c = control(id);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size()))
        return -1;
    c->items.erase(c->items.begin() + index);
    if (c->curSel == index)
        c->curSel = -1;
    else if (c->curSel > index)
        --c->curSel;
    changed(id);
    return static_cast<int>(c->items.size());
}

int Dialog::getCount(int id) const {
    const Control* c = control(id);
    if (!c)
        return 0;
    return static_cast<int>(c->def.kind == ControlKind::ListView ? c->rows.size() : c->items.size());
}

int Dialog::getCurSel(int id) const {
    const Control* c = control(id);
    return c ? c->curSel : -1;
}

int Dialog::setCurSel(int id, int index) {
    Control* c = control(id);
    if (!c)
        return -1;
    int n = getCount(id);
    c->curSel = index >= 0 && index < n ? index : -1;
    if (c->def.kind == ControlKind::Combo && c->curSel >= 0)
        c->text = c->items[static_cast<std::size_t>(c->curSel)];
    changed(id);
    return c->curSel;
}

std::string Dialog::getLbText(int id, int index) const {
    const Control* c = control(id);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size()))
        return {};
    return c->items[static_cast<std::size_t>(index)];
}

void Dialog::resetContent(int id) {
    if (Control* c = control(id)) {
        c->items.clear();
        c->curSel = -1;
        changed(id);
    }
}

int Dialog::selectString(int id, int startAfter, const std::string& cp932) {
    Control* c = control(id);
    if (!c)
        return -1;
    int n = static_cast<int>(c->items.size());
    for (int k = 0; k < n; ++k) {
        int i = (startAfter + 1 + k) % n;
        if (startsWith(c->items[static_cast<std::size_t>(i)], cp932)) {
            setCurSel(id, i);
            return i;
        }
    }
    return -1;
}

void Dialog::setHorizontalExtent(int id, int pixels) {
    if (Control* c = control(id)) {
        c->horizontalExtent = pixels;
        changed(id);
    }
}

int Dialog::insertListItem(int id, int row, const std::string& cp932) {
    Control* c = control(id);
    if (!c)
        return -1;
    if (row < 0 || row > static_cast<int>(c->rows.size()))
        row = static_cast<int>(c->rows.size());
    std::vector<std::string> cells(std::max<std::size_t>(1, c->columns.size()));
    cells[0] = cp932;
    c->rows.insert(c->rows.begin() + row, std::move(cells));
    changed(id);
    return row;
}

bool Dialog::setListItemText(int id, int row, int column, const std::string& cp932) {
    Control* c = control(id);
    if (!c || row < 0 || row >= static_cast<int>(c->rows.size()) || column < 0)
        return false;
    auto& cells = c->rows[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(cells.size()))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = cp932;
    changed(id);
    return true;
}

std::string Dialog::listItemText(int id, int row, int column) const {
    const Control* c = control(id);
    if (!c || row < 0 || row >= static_cast<int>(c->rows.size()))
        return {};
    const auto& cells = c->rows[static_cast<std::size_t>(row)];
    return column >= 0 && column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : std::string();
}

TreeView* Dialog::tree(int id) const {
    const Control* c = control(id);
    return c ? c->tree : nullptr;
}

int Dialog::defaultButton() const {
    for (const Control& c : m_Controls)
        if (c.def.kind == ControlKind::Button && (c.def.style & DefaultButton))
            return c.def.id;
    return IDOK;
}

bool Dialog::preTranslateKeyDown(int vk, unsigned mods) { return handleKey(vk, mods); }

bool Dialog::handleKey(int vk, unsigned mods) {
    if (onPreTranslateKey(vk, mods))
        return true;
    const Control* focus = control(m_Focus);
    switch (vk) {
    case VK_RETURN:
        if (focus && focus->def.kind == ControlKind::Edit && (focus->def.style & EditWantReturn))
            return false;
        if (focus && (focus->def.kind == ControlKind::Tree || focus->def.kind == ControlKind::ListView)) {
            notify(m_Focus, Notify::Return);
            return true;
        }
        if (focus && focus->def.kind == ControlKind::Button && focus->enabled)
            pressButton(m_Focus);   // Enter on a focused push button presses it
        else
            pressButton(defaultButton());
        return true;
    case VK_ESCAPE: pressButton(IDCANCEL); return true;
    case VK_TAB: nextControl((mods & ModShift) != 0); return true;
    default: return false;
    }
}

void Dialog::pressButton(int id) {
    Control* c = control(id);
    if (c && !c->enabled)
        return;
    if (c && c->def.kind == ControlKind::CheckBox) {
        c->checked = c->checked ? 0 : 1;
        changed(id);
    } else if (c && c->def.kind == ControlKind::Radio) {
        // The clicked button of its group is checked and the others cleared.
        auto self = std::find_if(m_Controls.begin(), m_Controls.end(), [&](const Control& x) { return x.def.id == id; });
        auto first = self;
        while (first != m_Controls.begin() && !(first->def.style & Group) && std::prev(first)->def.kind == ControlKind::Radio)
            --first;
        for (auto it = first; it != m_Controls.end() && it->def.kind == ControlKind::Radio; ++it) {
            if (it != first && (it->def.style & Group))
                break;
            it->checked = it == self ? 1 : 0;
            changed(it->def.id);
        }
    }
    auto h = m_Handlers.find({id, Notify::Clicked});
    if (h != m_Handlers.end()) {
        auto handler = h->second;
        handler();
        return;
    }
    if (id == IDOK)
        onOK();
    else if (id == IDCANCEL)
        onCancel();
}

std::string Dialog::acceptTyped(int id, const std::string& cp932) const {
    const Control* c = control(id);
    if (!c || (c->def.kind != ControlKind::Edit && c->def.kind != ControlKind::Combo))
        return cp932;
    std::string s = c->number || (c->def.style & EditNumber) ? text::halfWidthNumberText(cp932) : cp932;
    if (c->def.style & EditNumber)
        std::erase_if(s, [](char ch) { return ch < '0' || ch > '9'; });
    if (c->limit > 0 && static_cast<int>(s.size()) > c->limit)
        s = s.substr(0, text::boundaryAtOrBefore(s, static_cast<std::size_t>(c->limit)));
    return s;
}

void Dialog::userSetText(int id, const std::string& cp932) {
    Control* c = control(id);
    if (!c || c->def.style & EditReadOnly)
        return;
    std::string s = acceptTyped(id, cp932);
    if (s == c->text)
        return;
    c->text = s;
    if (c->def.kind == ControlKind::Combo) {
        c->curSel = -1;
        changed(id);
        notify(id, Notify::EditChange);
        return;
    }
    changed(id);
    notify(id, Notify::Change);
}

void Dialog::userSelect(int id, int index) {
    Control* c = control(id);
    if (!c || index >= getCount(id))
        return;
    if (c->curSel == index)
        return;
    c->curSel = index;
    if (c->def.kind == ControlKind::Combo && index >= 0)
        c->text = c->items[static_cast<std::size_t>(index)];
    changed(id);
    notify(id, Notify::SelChange);
}

void Dialog::userDoubleClick(int id) { notify(id, Notify::DblClk); }

void Dialog::userFocus(int id) { setFocusControl(id, true); }

void Dialog::notify(int id, Notify code) {
    auto h = m_Handlers.find({id, code});
    if (h == m_Handlers.end())
        return;
    auto handler = h->second;   // the handler may change the table's owner's state
    handler();
}

} // namespace kiv::ui
