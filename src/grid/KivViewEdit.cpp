// The 編集 commands 貼り付け and 元に戻す (ｺﾋﾟｰ and 切り取り are the grid's): the cell buffers, the row clipboard's paste
// modes and the block undo's restore.
#include <algorithm>
#include <string>
#include <string_view>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/GyouRowOps.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "platform/text/Cp932.h"

namespace {

const char* const kMsgUndoElsewhere = "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。";

} // namespace

// ---------------------------------------------------------------------------------------------
// The cell buffers (ｺﾋﾟｰ and 切り取り are the grid's)

bool CKivView::PasteFieldFromBuffer() {
    return gridedit::PasteCellText(m_EditGyou, m_CurField[0], m_FieldPos.IsText != 0, m_FieldCopyBuf);
}

bool CKivView::CellEditRefused() {
    WarnGyouTankaHenkan();
    const bool refused = m_EditRefused != 0;
    m_EditRefused = 0;
    return refused;
}

std::uint64_t CKivView::StoreId() const {
    const CKivDoc* d = GetDocument();
    return d ? d->DocId() : 0;
}

// ---------------------------------------------------------------------------------------------
// 貼り付け

void CKivView::OnEditPaste() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    RowClipboard& clip = g_RowClipboard;
    // The paste of the rows 行複写 or 単価ｺﾋﾟｰ collected is part of that command: its snapshot
    // covers the paste too, while nothing else has changed this estimate since.
    const bool rows = clip.PastesIn(*this);
    // The row being edited goes back first: what was typed into it is a change of its own.
    if (rows && d->CurGyou() <= d->GyouCount())
        StoreGyou();
    const bool continues = rows && clip.UndoSerial != 0 && BlockUndoBelongsTo(*d) && d->m_UndoSerial == clip.UndoSerial;
    GyouStore::UndoCommandScope command(*d, continues);
    if (!rows) {
        if (PasteFieldFromBuffer())
            StoreGyou();
    } else {
        rowops::PasteClipRows(*this, clip, 1);
        // CSV rows come in as read, to be recalculated with the estimate; the other rows change
        // the item's totals at once.
        if (clip.Kind != RowClipKind::Csv)
            RecalcMovedRows();
        d->MarkNeedsRecalc();
    }
    // CSV rows wait for their own view; every other paste ends what was armed.
    if (clip.Kind != RowClipKind::Csv || clip.CsvView == this)
        clip.Armed = false;
    m_EditRefused = 0;
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 元に戻す

void CKivView::OnEditUndo() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    // A snapshot that something else has changed its estimate since no longer counts: the
    // cell's undo then, as without one.
    if (CKivDoc* owner = BlockUndoDoc()) {
        if (owner == d) {
            d->RestoreUndoSnapshot();
            rowops::RestoreUndoPosition(*this, 9);
            d->MarkNeedsRecalc();
            d->SetModifiedFlag();
        } else {
            KivMessage(kMsgUndoElsewhere);
        }
        g_BlockMove = 0;
        g_BlockUndoReady = 0;
    } else {
        g_BlockUndoReady = 0;
        WarnGyouTankaHenkan();
        if (!m_EditRefused)
            UndoCell();
    }
    m_EditRefused = 0;
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}
