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
