#include "estimate/RecalcSeams.h"

RecalcSeams& recalcSeams() {
    static RecalcSeams seams;
    return seams;
}

void RunCheckKeisanMode(CKivDoc& doc) {
    if (recalcSeams().checkKeisanMode)
        recalcSeams().checkKeisanMode(doc);
}

const RoumuList* CurrentMasterRoumu() {
    return recalcSeams().masterRoumu ? recalcSeams().masterRoumu() : nullptr;
}

std::optional<std::span<const std::string>> CurrentMasterLines() {
    if (!recalcSeams().masterLines)
        return std::nullopt;
    return recalcSeams().masterLines();
}

void RunRecalcAllGyou() {
    if (recalcSeams().recalcAllGyou)
        recalcSeams().recalcAllGyou();
}

void RunRecalcGyou(CKivView& view) {
    if (recalcSeams().recalcGyou)
        recalcSeams().recalcGyou(view);
}

void RunRecalcKoumoku(CKivView& view) {
    if (recalcSeams().recalcKoumoku)
        recalcSeams().recalcKoumoku(view);
}

void RunCheckKeisanGyou(CKivView& view) {
    if (recalcSeams().checkKeisanGyou)
        recalcSeams().checkKeisanGyou(view);
}

void RunClearKeisanMissing(CKivView& view) {
    if (recalcSeams().clearKeisanMissing)
        recalcSeams().clearKeisanMissing(view);
}

void RunClearKeisanGyouFlags(CKivView& view) {
    if (recalcSeams().clearKeisanGyouFlags)
        recalcSeams().clearKeisanGyouFlags(view);
}

void RunRecalcAllKoumoku(CKivView& view, int times) {
    if (recalcSeams().recalcAllKoumoku)
        recalcSeams().recalcAllKoumoku(view, times);
}

bool RunDeleteKeisanGyou(CKivView& view) {
    return recalcSeams().deleteKeisanGyou && recalcSeams().deleteKeisanGyou(view);
}

bool RunInsertKeisanGyou(CKivView& view) {
    return recalcSeams().insertKeisanGyou && recalcSeams().insertKeisanGyou(view);
}

void RunCheckKeisanModeView(CKivView& view) {
    if (recalcSeams().checkKeisanModeView)
        recalcSeams().checkKeisanModeView(view);
}

bool RunFormDialog(int id) {
    const auto it = recalcSeams().formDialogs.find(id);
    if (it == recalcSeams().formDialogs.end() || !it->second)
        return false;
    it->second();
    return true;
}
