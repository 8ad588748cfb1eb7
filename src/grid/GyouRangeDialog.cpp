#include "grid/GyouRangeDialog.h"

using namespace kiv::ui;

DialogTemplate GyouRangeDialog::layout(int id, const std::string& title, const std::string& line1,
                                       const std::string& line2) {
    DialogTemplate t{id, title, {220, 92}, {ctl::label(line1, dlu(10, 8, 200, 10))}};
    if (!line2.empty())
        t.controls.push_back(ctl::label(line2, dlu(10, 20, 200, 10)));
    for (ControlDef c : {ctl::label("開始行", dlu(10, 40, 30, 10)), ctl::edit(kStartGyou, dlu(44, 38, 40, 12), EditNumber),
                         ctl::label("終了行", dlu(10, 58, 30, 10)), ctl::edit(kEndGyou, dlu(44, 56, 40, 12), EditNumber),
                         ctl::defButton(IDOK, "OK", dlu(160, 38, 50, 14)),
                         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(160, 56, 50, 14))})
        t.controls.push_back(std::move(c));
    return t;
}

void GyouRangeDialog::doDataExchange(DataExchange& dx) {
    dx.text(kStartGyou, m_StartGyou, kMinGyou, kMaxGyou);
    dx.text(kEndGyou, m_EndGyou, kMinGyou, kMaxGyou);
}
