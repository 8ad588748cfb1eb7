// Row primitives (open, close and insert a row), the block undo snapshot and the row commands
// 行挿入, 行削除 and 行複写.
#include <algorithm>
#include <vector>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/BlockSelect.h"
#include "grid/CopyDialog.h"
#include "grid/GyouRowOps.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"

namespace {

const char* const kAskGyouCopy =
    "行単位でデーターをコピー・移動します。開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskGyouPaste =
    "コピー・移動したい場所にカーソルを移動して張り付けを押してください。実行した場合、元に戻す操作で１回のみ元に"
    "作業前に戻ります。（別ファイルで作業していない場合）";

} // namespace

// ---------------------------------------------------------------------------------------------
// Row primitives

bool CKivView::ShiftGyouDown() { return rowops::ShiftGyouDown(*this, 5); }

void CKivView::ShiftGyouUp() { rowops::ShiftGyouUp(*this, 5); }

bool CKivView::InsertGyou() {
    CKivDoc* d = GetDocument();
    if (!d)
        return false;
    SavePosition1();
    d->MarkNeedsRecalc();
    StoreGyou();
    if (!AddGyou())
        return false;
    if (m_InsertStarted == 0) {
        m_InsertStarted = 1;
    } else {
        // Below the row before, on the last screen row too (the grid then scrolls): staying
        // would put the new row above the one inserted before it.
        d->SetCurGyou(d->CurGyou() + 1);
        d->SetScreenGyou(d->ScreenGyou() + 1);
    }
    if (d->ScreenGyou() >= m_VisibleGyou && d->ScreenGyou() > 1) {
        d->SetScreenGyou(d->ScreenGyou() - 1);
        d->SetTopGyou(d->TopGyou() + 1);
    }
    SavePosition1();
    const int cursor = d->CurGyou();
    for (int k = d->GyouCount(); k > cursor; --k) {
        d->SetCurGyou(k - 1);
        LoadGyou();
        d->SetCurGyou(k);
        RenumberGyou();
        StoreGyou();
        // A moved row's computed amounts are worked out again in its new place.
        RecalcGyou();
        StoreGyou();
    }
    RestorePosition1();
    RenumberStoreGyou();
    StoreKoumoku();
    RestorePosition1();
    LoadGyou();
    return true;
}

void CKivView::ClampCursorToKoumoku() { rowops::ClampCursorToGroup(*this); }

// ---------------------------------------------------------------------------------------------
// Block undo snapshot

void CKivView::SaveUndo() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    rowops::SaveBlockUndo(*this, 5, g_BlockMove, [d] { TakeBlockUndo(*d); });
}

// The current item's totals follow the rows a command inserted, deleted or moved, as they follow
// a number entered with Enter; the item goes back to the pool.
void CKivView::RecalcMovedRows() {
    RecalcKoumoku();
    StoreKoumoku();
}

// ---------------------------------------------------------------------------------------------
// 行挿入, 行削除

void CKivView::OnGyouInsert() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition9();
    SaveUndo();
    g_BlockUndoReady = 1;
    if (ShiftGyouDown()) {
        StoreKoumoku();
        RecalcMovedRows();
    }
    d->MarkNeedsRecalc();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void CKivView::OnGyouDelete() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    // On the row after the item's last there is nothing to delete.
    if (d->CurGyou() > d->GyouCount())
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition9();
    SaveUndo();
    g_BlockUndoReady = 1;
    ShiftGyouUp();
    StoreKoumoku();
    RecalcMovedRows();
    d->MarkNeedsRecalc();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 行複写

void CKivView::OnGyouCopy() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_GYOU_COPY, [](CKivView& v) { v.GyouCopyRange(); }, kAskGyouCopy);
}

void CKivView::GyouCopyRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    SavePosition9();
    CCopyDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() != kiv::ui::IDOK) {
        ClearBlockSelect();
        hideCaret();
        RestorePosition9();
        LoadGyou();
        RedrawGyou();   // the range marks go
        RestorePosition9();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    g_BlockMove = dlg.m_Move;
    ClearBlockSelect();
    StoreGyou();
    const std::vector<std::string> rows = CollectBlockRows();
    g_RowClipboard.Fill(RowClipKind::GyouCopy, rows);
    RestorePosition9();
    if (KivAsk(kAskGyouPaste)) {
        g_RowClipboard.Armed = true;
    } else {
        g_BlockMove = 0;
    }
    hideCaret();
    RestorePosition9();
    const bool moving = g_BlockMove == 1;
    SaveUndo();
    g_BlockUndoReady = 1;
    // Its paste goes on with this command: 元に戻す after it returns to before both.
    g_RowClipboard.UndoSerial = d->m_UndoSerial;
    // A move deleted its rows from the item now.
    if (moving)
        RecalcMovedRows();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

std::vector<std::string> CKivView::CollectBlockRows() { return rowops::CollectBlockRows(*this); }
