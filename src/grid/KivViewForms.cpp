// CKivView: the 表紙, 設定 and メニュー commands that open the print-form and address-book dialogs.
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "resources/CommandIds.h"

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
    RunFormCommand(ID_HYOUSI);
}

void CKivView::OnAdress() { RunFormCommand(ID_ADRESS); }
void CKivView::OnHyousiForm() { RunFormCommand(ID_HYOUSI_FORM); }
void CKivView::OnHedder() { RunFormCommand(ID_HEDDER); }
void CKivView::OnAdressFile() { RunFormCommand(ID_ADRESS_FILE); }
void CKivView::OnHyousiChange() { RunFormCommand(ID_HYOUSI_CHANGE); }
void CKivView::OnAdressPrintFile() { RunFormCommand(ID_ADRESS_PRINT_FILE); }
