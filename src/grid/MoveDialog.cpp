#include "grid/MoveDialog.h"

#include <algorithm>

#include "estimate/KivDoc.h"

using namespace kiv::ui;

namespace {

// The list's columns and the part of an item title each shows: (start, length).
struct LabelPart {
    int start;
    int length;
};
constexpr LabelPart kParts[] = {{0, 4}, {4, 4}, {8, 30}, {38, 30}, {68, 12}, {80, 12}};

} // namespace

const DialogTemplate& CMoveDialog::dialogLayout() {
    static const DialogTemplate t{
        kDialogId, "項目移動", {},
        {ctl::label("項目", dlu(8, 10, 20, 8)),
         ctl::edit(kKoumokuNo, dlu(30, 8, 40, 12), EditNumber | EditRight, 4),
         ctl::defButton(IDOK, "OK", dlu(80, 7, 50, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(135, 7, 50, 14)),
         ctl::button(kNewKoumoku, "新項目", dlu(190, 7, 50, 14)),
         ctl::report(kList,
                     {{"項目", 80},
                      {"記号", 80},
                      {"　　　　品　　　　　　名", 540},
                      {"　　　　規　　　　　　格", 540},
                      {"金額１", 200, Align::Right},
                      {"金額２", 200, Align::Right}},
                     dlu(8, 28, 520, 200))}};
    return t;
}

CMoveDialog::CMoveDialog(CKivDoc* doc, Window* parent) : Dialog(dialogLayout(), parent), m_pDoc(doc) {
    onNotify(kList, Notify::DblClk, [this] { OnDblclkList(); });
    onNotify(kList, Notify::Return, [this] { OnReturnList(); });
    onClicked(kNewKoumoku, [this] { OnNewKoumoku(); });
}

void CMoveDialog::onShowDialog() {
    updateData(false);
    if (m_pDoc) {
        const int count = std::min(m_pDoc->KoumokuCount(), static_cast<int>(m_pDoc->KoumokuNames().size()));
        for (int k = 1; k <= count; ++k) {
            int column = 0;
            for (const LabelPart& part : kParts) {
                const std::string& text = m_pDoc->KoumokuLabel(k - 1, part.start, part.length);
                if (column == 0)
                    insertListItem(kList, -1, text);
                else
                    setListItemText(kList, k - 1, column, text);
                ++column;
            }
        }
    }
    gotoControl(kList);
}

void CMoveDialog::doDataExchange(DataExchange& dx) { dx.text(kKoumokuNo, m_KoumokuNo, 1, kKoumokuNoMax); }

void CMoveDialog::OnDblclkList() {
    const int sel = getCurSel(kList);
    if (sel < 0)
        return;
    m_KoumokuNo = sel + 1;
    endDialog(IDOK);
}

void CMoveDialog::OnReturnList() { OnDblclkList(); }

void CMoveDialog::OnNewKoumoku() {
    m_KoumokuNo = m_pDoc ? m_pDoc->KoumokuCount() + 1 : 1;
    endDialog(IDOK);
}
