#include "master/BunMoveDialog.h"

#include <algorithm>

#include "master/MstDoc.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

using namespace kiv::ui;

const DialogTemplate& CBunMoveDialog::dialogLayout() {
    static const DialogTemplate t{
        kDialogId, "分類移動", {},
        {ctl::label("分類", dlu(8, 10, 20, 8)),
         ctl::edit(kBunNo, dlu(30, 8, 40, 12), EditNumber | EditRight, 4),
         ctl::defButton(IDOK, "OK", dlu(80, 7, 50, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(135, 7, 50, 14)),
         ctl::button(kNewBun, "新分類", dlu(190, 7, 50, 14)),
         ctl::tree(kTree, dlu(8, 28, 320, 200))}};
    return t;
}

CBunMoveDialog::CBunMoveDialog(MstDoc* doc, Window* parent) : Dialog(dialogLayout(), parent), m_pDoc(doc) {
    onNotify(kTree, Notify::SelChange, [this] { TakeSelection(); });
    onNotify(kTree, Notify::ItemExpanding, [this] { TakeSelection(); });
    // Enter or a double click closes the dialog with the number shown, also on a heading.
    onNotify(kTree, Notify::DblClk, [this] { CloseOnItem(); });
    onNotify(kTree, Notify::Return, [this] { CloseOnItem(); });
    onClicked(kNewBun, [this] { OnNewBun(); });
}

void CBunMoveDialog::onShowDialog() {
    m_BunNo = 1;
    updateData(false);
    TreeView* t = tree(kTree);
    if (t && m_pDoc) {
        // The root names this master's own file, as the tree pane beside the grid does.
        const std::string path = m_pDoc->GetPathName();
        const auto label = kiv::text::utf8ToCp932(path);
        const TreeItem root = t->insertItem(label ? *label : path);
        const int entries = std::min(m_pDoc->KoumokuCount() + m_pDoc->BunListExtra(),
                                     static_cast<int>(m_pDoc->KoumokuNames().size()));
        for (int i = 0; i < entries; ++i)
            t->insertItem(m_pDoc->KoumokuNames()[static_cast<std::size_t>(i)], root);
        t->expand(root);
    }
    gotoControl(kTree);
}

void CBunMoveDialog::doDataExchange(DataExchange& dx) { dx.text(kBunNo, m_BunNo, 1, kBunNoMax); }

void CBunMoveDialog::TakeSelection() {
    TreeView* t = tree(kTree);
    if (!t || !t->selectedItem())
        return;
    m_ItemText = t->itemText(t->selectedItem());
    const int number =
        kiv::text::parseInt(std::string_view(m_ItemText).substr(0, std::min<std::size_t>(4, m_ItemText.size())));
    if (number == 0)
        return;
    m_BunNo = number;
    setItemText(kBunNo, std::to_string(number));
}

void CBunMoveDialog::CloseOnItem() {
    TakeSelection();
    if (updateData(true))
        endDialog(IDOK);
}

void CBunMoveDialog::OnNewBun() {
    m_BunNo = m_pDoc ? m_pDoc->KoumokuCount() + 1 : 1;
    setItemText(kBunNo, std::to_string(m_BunNo));
    endDialog(IDOK);
}
