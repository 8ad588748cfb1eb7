#include "estimate/KivMessagePass.h"

#include <set>
#include <tuple>
#include <vector>

#include "estimate/KivMessage.h"
#include "platform/text/Decimal.h"
#include "platform/text/Number.h"

namespace {

struct Collected {
    std::string text;
    RowPlace first;
    bool note = false;   // shown as it is, without a count or a row
    // The rows it was said of: a pass may recalculate a row more than once (opening an estimate
    // does), and the count is of rows.
    std::set<std::tuple<int, int, bool>> places;
};

std::tuple<int, int, bool> placeKey(const RowPlace& p) { return {p.no, p.gyou, p.master}; }

struct PassState {
    int depth = 0;
    std::vector<Collected> messages;   // in the order their texts first came
};

PassState& state() {
    static PassState s;
    return s;
}

} // namespace

KivMessagePass::KivMessagePass() { ++state().depth; }

KivMessagePass::~KivMessagePass() {
    PassState& s = state();
    if (--s.depth > 0)
        return;
    s.depth = 0;
    // Taken out first: showing a message may start another pass.
    std::vector<Collected> messages = std::move(s.messages);
    s.messages.clear();
    if (messages.empty())
        return;
    std::string box;
    for (const Collected& c : messages) {
        if (!box.empty())
            box += "\n\n";
        box += c.note ? c.text : KivPassSummary(c.text, static_cast<int>(c.places.size()), c.first);
    }
    KivMessage(box);
}

bool KivMessagePass::Active() { return state().depth > 0; }

bool KivRowMessage(const std::string& utf8Text, const RowPlace& place, const std::string& passText) {
    PassState& s = state();
    if (s.depth == 0) {
        KivMessage(utf8Text);
        return true;
    }
    KivCountMessage();
    const std::string& key = passText.empty() ? utf8Text : passText;
    for (Collected& c : s.messages)
        if (!c.note && c.text == key) {
            c.places.insert(placeKey(place));
            return false;
        }
    s.messages.push_back({key, place, false, {placeKey(place)}});
    return false;
}

void KivPassNote(const std::string& utf8Text) {
    PassState& s = state();
    if (s.depth == 0) {
        KivMessage(utf8Text);
        return;
    }
    KivCountMessage();
    for (const Collected& c : s.messages)
        if (c.note && c.text == utf8Text)
            return;
    s.messages.push_back({utf8Text, {}, true, {}});
}

std::string KivPassSummary(const std::string& text, int count, const RowPlace& first) {
    using kiv::text::cformat;
    return text + "\n（" + cformat("%d", count) + "件。最初は" + (first.master ? "分類 " : "項目 ") +
           cformat("%d", first.no) + " の " + cformat("%04d", first.gyou) + "行目）";
}
