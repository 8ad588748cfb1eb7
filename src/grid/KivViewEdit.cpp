// The 編集 commands ｺﾋﾟｰ, 切り取り, 貼り付け and 元に戻す: the cell buffers, the row clipboard's paste
// modes and the block undo's restore.
#include <algorithm>
#include <string>
#include <string_view>

#include "estimate/BlockUndo.h"
#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/GyouRecord.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "platform/text/Cp932.h"

namespace {

const char* const kMsgUndoElsewhere = "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。";

// The fields 単価ｺﾋﾟｰ carries over: unit prices 1 and 2 and those of the seven material lines,
// then (with its remark choice) 備考2 and the material lines' remarks.
constexpr int kTankaFields[] = {13, 14, 42, 43, 50, 51, 58, 59, 66, 67, 74, 75, 82, 83, 90, 91};
constexpr int kBikouFields[] = {20, 44, 52, 60, 68, 76, 84, 92};

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
    } else if (clip.Kind == RowClipKind::TankaCopy) {
        // Prices (and remarks) over the rows from the cursor on, up to the item's last row.
        SavePosition1();
        StoreGyou();
        for (int j = 0; j < clip.Count && d->m_CurGyou[0] <= d->m_GyouCount; ++j) {
            LoadGyou();
            std::string source = clip.Rows[static_cast<std::size_t>(j)];
            GyouRecord::padLength(source);
            auto copyField = [&](int field) {
                const auto& l = GyouRecord::layout(field);
                m_EditGyou.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width),
                                   source, static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width));
            };
            for (int field : kTankaFields)
                copyField(field);
            if (clip.TankaBikou2)
                for (int field : kBikouFields)
                    copyField(field);
            RecalcGyou();
            StoreGyou();
            ++d->m_CurGyou[0];
        }
        StoreKoumoku();
        d->m_NeedRecalc = 1;
        RestorePosition1();
        LoadGyou();
    } else {
        // Whole rows inserted above the cursor row, in their collected order; rows of 行複写 are
        // recalculated in their new place, CSV rows are not.
        const bool recalc = clip.Kind == RowClipKind::GyouCopy;
        SavePosition1();
        StoreGyou();
        for (int i = 0; i < clip.Count; ++i) {
            if (!ShiftGyouDown())
                break;
            m_EditGyou = clip.Rows[static_cast<std::size_t>(i)];
            GyouRecord::padLength(m_EditGyou);
            GyouRecord::fitLength(m_EditGyou);
            RenumberGyou();
            if (recalc)
                RecalcGyou();
            StoreGyou();
            ++d->m_CurGyou[0];
        }
        StoreKoumoku();
        d->m_NeedRecalc = 1;
        RestorePosition1();
        LoadGyou();
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
            RestorePosition9();
            // The position may name an item or row that the snapshot does not have.
            d->m_CurKoumoku[0] = std::clamp(d->m_CurKoumoku[0], 1, std::max(1, d->m_KoumokuCount));
            LoadKoumoku();
            StoreKoumoku();
            const int koumoku = d->m_CurKoumoku[0];
            RestorePosition9();
            d->m_CurKoumoku[0] = koumoku;
            ClampCursorToKoumoku();
            LoadGyou();
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
