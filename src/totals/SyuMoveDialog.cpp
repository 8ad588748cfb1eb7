#include "totals/SyuMoveDialog.h"

#include <algorithm>

#include "totals/TotalDoc.h"

using namespace kiv::ui;

namespace {

// The list's columns and the part of a category title each shows: (start, length).
struct LabelPart {
    int start;
    int length;
};
constexpr LabelPart kParts[] = {{0, 4}, {4, 30}, {34, 30}, {88, 4}};

} // namespace

const DialogTemplate& CSyuMoveDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "集計分類移動", {},
                                  {ctl::label("分類", dlu(8, 10, 20, 8)),
                                   ctl::edit(kBun, dlu(30, 8, 40, 12), EditNumber | EditRight, 3),
                                   ctl::defButton(IDOK, "OK", dlu(80, 7, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(135, 7, 50, 14)),
                                   ctl::report(kList,
                                               {{"項目", 80},
                                                {"　　　　品　　　　　　名", 540},
                                                {"　　　　規　　　　　　格", 540},
                                                {"分類", 80}},
                                               dlu(8, 28, 420, 200))}};
    return t;
}

CSyuMoveDialog::CSyuMoveDialog(const CTotalDoc* doc, Window* parent) : Dialog(dialogLayout(), parent), m_pDoc(doc) {
    onNotify(kList, Notify::DblClk, [this] { OnDblclkList(); });
    onNotify(kList, Notify::Return, [this] { OnDblclkList(); });
}

void CSyuMoveDialog::onShowDialog() {
    updateData(false);
    if (!m_pDoc)
        return;
    const int count = std::min(m_pDoc->KoumokuCount(), static_cast<int>(m_pDoc->KoumokuNames().size()));
    for (int k = 1; k <= count; ++k) {
        int column = 0;
        for (const LabelPart& part : kParts) {
            const std::string text = m_pDoc->GetKoumokuLabel(k, part.start, part.length);
            if (column == 0)
                insertListItem(kList, -1, text);
            else
                setListItemText(kList, k - 1, column, text);
            ++column;
        }
    }
}

void CSyuMoveDialog::doDataExchange(DataExchange& dx) { dx.text(kBun, m_Bun, 1, kBunMax); }

void CSyuMoveDialog::OnDblclkList() {
    const int sel = getCurSel(kList);
    if (sel < 0)
        return;
    m_Bun = sel + 1;
    updateData(false);
    gotoControl(kBun);
    endDialog(IDOK);
}
