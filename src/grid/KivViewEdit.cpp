// The 編集 commands ｺﾋﾟｰ, 切り取り, 貼り付け and 元に戻す: the cell buffers, the row clipboard's paste
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

bool allBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Cell buffers

void CKivView::CopyFieldToBuffer() {
    gridedit::CopyCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldCopyBuf);
}

void CKivView::SaveFieldForUndo() {
    gridedit::CopyCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldUndoBuf);
    const CKivDoc* d = GetDocument();
    m_FieldUndoCell = {d ? d->DocId() : 0, d ? d->m_CurKoumoku[0] : 0, d ? d->m_CurGyou[0] : 0, m_CurField[0]};
}

void CKivView::ClearFieldUndoBuffer() {
    m_FieldUndoBuf.assign(kFieldBufLength, ' ');
    m_FieldUndoCell = {};
}

bool CKivView::PasteFieldFromBuffer() {
    return gridedit::PasteCellText(m_EditGyou, m_CurField[0], m_FieldPos.IsText != 0, m_FieldCopyBuf);
}

bool CKivView::UndoField() {
    if (allBlank(m_FieldUndoBuf))
        return false;
    const CKivDoc* d = GetDocument();
    if (!d)
        return false;
    // Only the cell the text was cut from takes it back.
    const CutCell here{d->DocId(), d->m_CurKoumoku[0], d->m_CurGyou[0], m_CurField[0]};
    if (here != m_FieldUndoCell)
        return false;
    gridedit::RestoreCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldUndoBuf);
    return true;
}

// ---------------------------------------------------------------------------------------------
// ｺﾋﾟｰ, 切り取り

void CKivView::OnEditCopy() {
    if (!GetDocument())
        return;
    CopyFieldToBuffer();
}

void CKivView::OnEditCut() {
    if (!GetDocument())
        return;
    hideCaret();
    WarnGyouTankaHenkan();
    if (!m_EditRefused) {
        CopyFieldToBuffer();
        SaveFieldForUndo();
        ClearField();
        StoreGyou();
    }
    m_EditRefused = 0;
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 貼り付け

void CKivView::OnEditPaste() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    RowClipboard& clip = g_RowClipboard;
    if (!clip.PastesIn(*this)) {
        if (PasteFieldFromBuffer())
            StoreGyou();
    } else {
        rowops::PasteClipRows(*this, clip, 1);
        d->m_NeedRecalc = 1;
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
    if (g_BlockUndoReady == 1) {
        if (BlockUndoBelongsTo(*d)) {
            d->RestoreUndoSnapshot();
            rowops::RestoreUndoPosition(*this, 9);
            d->m_NeedRecalc = 1;
            d->SetModifiedFlag();
        } else {
            KivMessage(kMsgUndoElsewhere);
        }
        g_BlockMove = 0;
        g_BlockUndoReady = 0;
    } else {
        WarnGyouTankaHenkan();
        if (!m_EditRefused && UndoField())
            StoreGyou();
    }
    m_EditRefused = 0;
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}
