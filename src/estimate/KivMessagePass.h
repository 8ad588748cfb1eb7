#pragma once
// Passes over many rows (an item's or the estimate's recalculation, the master's whole
// recalculation and bulk conversions, printing, exports) must not stop on a message box or a
// dialog per row. A pass object collects the rows' messages instead; when the outermost pass
// ends, each distinct text is listed once, with how many rows gave it and the first of them,
// all in one message box. A row the user commits alone (no pass running) gets its message at
// once.
#include <string>

// Where a row message came from: the item (estimate) or category (master) and the row in it.
struct RowPlace {
    int no = 0;
    int gyou = 0;
    bool master = false;   // shown as 分類 instead of 項目
};

class KivMessagePass {
public:
    // Passes nest: an inner pass joins the outermost one, which alone reports.
    KivMessagePass();
    ~KivMessagePass();
    KivMessagePass(const KivMessagePass&) = delete;
    KivMessagePass& operator=(const KivMessagePass&) = delete;

    // True while any pass runs: no per-row dialog may open.
    static bool Active();
};

// A row's message (UTF-8). Outside a pass it is shown at once (KivMessage) and the result is
// true, so the caller may go on with the row's own dialog. Inside a pass it is collected under
// `passText` (the text itself when empty) and the result is false.
bool KivRowMessage(const std::string& utf8Text, const RowPlace& place, const std::string& passText = {});

// A message about the pass as a whole (UTF-8): inside a pass it joins the pass's one box, once
// however often it is given, without a count or a row; outside a pass it is shown at once.
void KivPassNote(const std::string& utf8Text);

// The text the end of a pass shows for one collected message.
std::string KivPassSummary(const std::string& text, int count, const RowPlace& first);
