// The 編集 commands ｺﾋﾟｰ, 切り取り, 貼り付け and 元に戻す: the cell buffers, the row clipboard's paste
// modes and the block undo's restore.
#include <algorithm>
#include <string>
#include <string_view>

#include "estimate/BlockUndo.h"
#include "estimate/KivMessage.h"
#include "grid/GyouRecord.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "grid/TankaRewrite.h"
#include "platform/text/Cp932.h"

namespace {

const char* const kMsgUndoElsewhere = "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。";

// The fields 単価ｺﾋﾟｰ carries over: the unit prices (kTankaFields), then (with its remark
// choice) 備考2 and the material lines' remarks.
constexpr int kBikouFields[] = {20, 44, 52, 60, 68, 76, 84, 92};

bool allBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// A number as a numeric cell holds it: blanks, an optional "-", digits with at most one ".".
bool isCellNumber(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    const auto last = s.find_last_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    std::string_view t = s.substr(first, last - first + 1);
    if (!t.empty() && t.front() == '-')
        t.remove_prefix(1);
    int digits = 0, points = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Cell buffers

void CKivView::CopyFieldToBuffer() {
    ClearFieldCopyBuffer();
    GyouRecord::fitLength(m_EditGyou);
    const int width = std::min(m_FieldPos.Width, kFieldBufLength);
    m_FieldCopyBuf.replace(0, static_cast<std::size_t>(width),
                           m_EditGyou.substr(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(width)));
}

void CKivView::SaveFieldForUndo() {
    m_FieldUndoBuf.assign(kFieldBufLength, ' ');
    GyouRecord::fitLength(m_EditGyou);
    const int width = std::min(m_FieldPos.Width, kFieldBufLength);
    m_FieldUndoBuf.replace(0, static_cast<std::size_t>(width),
                           m_EditGyou.substr(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(width)));
    const CKivDoc* d = GetDocument();
    m_FieldUndoCell = {d ? d->DocId() : 0, d ? d->m_CurKoumoku[0] : 0, d ? d->m_CurGyou[0] : 0, m_CurField[0]};
}

void CKivView::ClearFieldUndoBuffer() {
    m_FieldUndoBuf.assign(kFieldBufLength, ' ');
    m_FieldUndoCell = {};
}

bool CKivView::PasteFieldFromBuffer() {
    if (allBlank(m_FieldCopyBuf))
        return false;
    const int field = m_CurField[0];
    GyouRecord::fitLength(m_EditGyou);
    if (m_FieldPos.IsText) {
        GyouRecord::putTextFitted(m_EditGyou, field, m_FieldCopyBuf);
        return true;
    }
    const std::string value = trimmed(m_FieldCopyBuf);
    const std::string shown = kiv::text::toUtf8(value);
    if (!isCellNumber(m_FieldCopyBuf)) {
        KivMessage("貼り付ける「" + shown + "」は数値ではないので、この欄には貼り付けられません。");
        return false;
    }
    if (!GyouRecord::putNumber(m_EditGyou, field, value)) {
        KivMessage("貼り付ける数値 " + shown + " はこの欄に入りきりません。");
        return false;
    }
    return true;
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
    GyouRecord::fitLength(m_EditGyou);
    const int width = std::min(m_FieldPos.Width, kFieldBufLength);
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(width),
                       m_FieldUndoBuf.substr(0, static_cast<std::size_t>(width)));
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
