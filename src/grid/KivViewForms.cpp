// CKivView: the 表紙, 設定 and メニュー commands that open the print-form and address-book dialogs.
#include "estimate/FormDialogCommands.h"
#include "grid/KivView.h"

namespace {

// The dialogs act on the current estimate: the view's own becomes current first. None of them
// changes the editing position, the caret or the rows.
void openFor(CKivView& view, int id) {
    if (CKivDoc* d = view.GetDocument())
        d->MakeCurrent();
    OpenFormDialog(id, &view);
}

} // namespace

void CKivView::OnHyousi() {
    // The cover shows the estimate's total with thousands separators.
    GroupDigitsGoukei();
    openFor(*this, formcmd::kHyousi);
}

void CKivView::OnAdress() { openFor(*this, formcmd::kAdress); }
void CKivView::OnHyousiForm() { openFor(*this, formcmd::kHyousiForm); }
void CKivView::OnHedder() { openFor(*this, formcmd::kHedder); }
void CKivView::OnAdressFile() { openFor(*this, formcmd::kAdressFile); }
void CKivView::OnHyousiChange() { openFor(*this, formcmd::kHyousiChange); }
void CKivView::OnAdressPrintFile() { openFor(*this, formcmd::kAdressPrintFile); }
