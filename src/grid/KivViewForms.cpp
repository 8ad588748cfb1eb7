// CKivView: the 表紙, 設定 and メニュー commands that open the print-form and address-book dialogs.
#include "estimate/FormDialogCommands.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"

// The dialogs act on the current estimate: the view's own becomes current first. None of them
// changes the editing position, the caret or the rows.
void CKivView::RunFormCommand(int id) {
    if (CKivDoc* d = GetDocument())
        d->MakeCurrent();
    RunFormDialog(id);
}

void CKivView::OnHyousi() {
    // The cover shows the estimate's total with thousands separators.
    GroupDigitsGoukei();
    RunFormCommand(formcmd::kHyousi);
}

void CKivView::OnAdress() { RunFormCommand(formcmd::kAdress); }
void CKivView::OnHyousiForm() { RunFormCommand(formcmd::kHyousiForm); }
void CKivView::OnHedder() { RunFormCommand(formcmd::kHedder); }
void CKivView::OnAdressFile() { RunFormCommand(formcmd::kAdressFile); }
void CKivView::OnHyousiChange() { RunFormCommand(formcmd::kHyousiChange); }
void CKivView::OnAdressPrintFile() { RunFormCommand(formcmd::kAdressPrintFile); }
