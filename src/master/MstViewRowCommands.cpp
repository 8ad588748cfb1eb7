// The master grid's row commands: 行挿入, 行削除, 行複写 (with the two-click row range), 貼り付け
// by the clipboard's kind, 元に戻す of the last row command or cut, the one-cell buffers, and the
// four settings commands the master view maps. The row operations are the estimate's
// (grid/GyouRowOps.h), on the master's row store and without the estimate's item recalculation.
#include <algorithm>

#include "estimate/BlockUndo.h"
#include "estimate/EnzanDialog.h"
#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/MarumeDialog.h"
#include "grid/BlockSelect.h"
#include "grid/CopyDialog.h"
#include "grid/GridCell.h"
#include "grid/GridEditRules.h"
#include "grid/GyouRowOps.h"
#include "grid/RowClipboard.h"
#include "master/MstDoc.h"
#include "master/MstRowCommands.h"
#include "master/MstView.h"

int g_MstBlockUndoReady = 0;
int g_MstBlockMove = 0;
int g_MstTankaHenkanBusy = 0;

namespace {

// Position slots of the row commands: 5 the command's caller (元に戻す comes back to it), 6 the
// paste's cursor, 7 the row shifts. Slots 1-4 belong to the editing, drawing and pricing.
constexpr int kCommandSlot = 5;
constexpr int kPasteSlot = 6;
constexpr int kShiftSlot = 7;

const char* const kAskGyouCopy =
    "行単位でデーターをコピーします。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskGyouPaste =
    "コピー・移動したい場所にカーソルを移動して張り付けを押してください。実行した場合、元に戻す操作で１回のみ元に"
    "作業前に戻ります。（別ファイルで作業していない場合）";
const char* const kMsgUndoElsewhere = "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。";

struct MstUndoOwner {
    const MstDoc* doc = nullptr;
    std::uint64_t serial = 0;
};
MstUndoOwner g_MstUndoOwner;

} // namespace

// ---------------------------------------------------------------------------------------------
// The snapshot

void TakeMstBlockUndo(MstDoc& doc) {
    doc.TakeUndoSnapshot(NextBlockUndoSerial());
    g_MstUndoOwner = {&doc, doc.UndoSerial()};
}

const MstDoc* MstBlockUndoDoc() {
    const MstDoc* doc = g_MstUndoOwner.doc;
    // A master opened later at the same address has no serial yet: it never matches.
    if (g_MstBlockUndoReady != 1 || !doc || doc->UndoSerial() == 0 || g_MstUndoOwner.serial != doc->UndoSerial() ||
        !doc->UndoUnchanged())
        return nullptr;
    return doc;
}

bool MstBlockUndoBelongsTo(const MstDoc& doc) { return MstBlockUndoDoc() == &doc; }

void RestoreMstBlockUndo(MstDoc& doc) {
    doc.RestoreUndoSnapshot();
}

// ---------------------------------------------------------------------------------------------
// Command table

void CMstView::AddRowCommands() {
    onCommandId(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    onCommandId(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    onCommandId(ID_GYOU_INSERT, [this] { OnGyouInsert(); });
    onCommandId(ID_GYOU_DELETE, [this] { OnGyouDelete(); });
    onCommandId(ID_GYOU_COPY, [this] { OnGyouCopy(); });
    onCommandId(ID_BUN_IDOU, [this] { OnKoumokuMove(); });
    onCommandId(ID_BUN_INSERT, [this] { OnKoumokuInsert(); });
    onCommandId(ID_BUN_DELETE, [this] { OnKoumokuDelete(); });
    onCommandId(ID_SYUUKEI_HYOUJI, [] {});
    // The settings dialogs edit the current estimate's settings; the master keeps its own copy
    // as loaded and recalculates nothing.
    onCommandId(ID_MARUME, [this] { CmarumeDialog(this).doModal(); });
    onCommandId(ID_ENZAN, [this] { CEnzanDialog(this).doModal(); });
    onCommandId(ID_FUKUGOU, [this] { CfukugouDialog(this).doModal(); });
    onCommandId(ID_FUKU_KIRISUTE, [this] { CfukukirisuteDialog(this).doModal(); });
    onCommandId(ID_BIKOU2_DELETE, [this] { OnBikou2Delete(); });
    onCommandId(ID_BIKOU2_DELETE_ALL, [this] { OnBikou2DeleteAll(); });
    onCommandId(ID_NEW_BUN, [this] { OnNewBun(); });
    onCommandId(ID_BUN_TOROKU, [this] { OnBunToroku(); });
    onCommandId(ID_FONT_SIZE, [this] { OnFontSize(); });
}

// ---------------------------------------------------------------------------------------------
// Row primitives

void CMstView::RenumberGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    GyouRecord::fitLength(m_EditGyou);
    GyouRecord::writeKey(m_EditGyou, d->CurKoumoku(), d->CurGyou());
    GyouRecord::fillBlankHokyuu(m_EditGyou);
}

bool CMstView::ShiftGyouDown() { return rowops::ShiftGyouDown(*this, kShiftSlot); }

void CMstView::ShiftGyouUp() { rowops::ShiftGyouUp(*this, kShiftSlot); }

void CMstView::SaveUndo() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    rowops::SaveBlockUndo(*this, kShiftSlot, g_MstBlockMove, [d] { TakeMstBlockUndo(*d); });
}

void CMstView::DrawGyouSelected() { DrawRowOwnDc(true, RowLook::Selected, true, true); }

// ---------------------------------------------------------------------------------------------
// The two-click row range

bool CMstView::IsBlockSelecting() const { return BlockSelectIn(*this); }

bool CMstView::BlockSelectStep() {
    MstDoc* d = GetDocument();
    if (!d || !BlockSelectIn(*this))
        return false;
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    rowops::ClampCursorToGroup(*this);
    LoadGyou();
    BlockSelectStepIn(*this, kCommandSlot);
    CalcFieldPos();
    SetCaretToField();
    showCaret();
    return true;
}

// ---------------------------------------------------------------------------------------------
// 行挿入, 行削除

void CMstView::OnGyouInsert() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition(kCommandSlot);
    SaveUndo();
    g_MstBlockUndoReady = 1;
    if (ShiftGyouDown())
        d->StoreKoumokuGyou();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void CMstView::OnGyouDelete() {
    MstDoc* d = GetDocument();
    // On the empty row after the category's last there is nothing to delete.
    if (!d || d->CurGyou() > d->GyouCount())
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition(kCommandSlot);
    SaveUndo();
    g_MstBlockUndoReady = 1;
    ShiftGyouUp();
    d->StoreKoumokuGyou();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 行複写

void CMstView::OnGyouCopy() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    SavePosition(kCommandSlot);
    // Rows an earlier 行複写 collected wait no longer: a cancelled question leaves 貼り付け a
    // one-cell paste (prices of 単価ｺﾋﾟｰ and CSV lines still wait).
    if (g_MstRowClipboard.Kind == RowClipKind::GyouCopy)
        g_MstRowClipboard.Armed = false;
    StartBlockSelectIn(*this, ID_GYOU_COPY, [this] { GyouCopyRange(); }, kAskGyouCopy);
}

void CMstView::GyouCopyRange() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    SavePosition(kCommandSlot);
    CCopyDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() != kiv::ui::IDOK) {
        ClearBlockSelect();
        hideCaret();
        RestorePosition(kCommandSlot);
        LoadGyou();
        RedrawGyou();   // the range marks go
        RestorePosition(kCommandSlot);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    g_MstBlockMove = dlg.m_Move;
    ClearBlockSelect();
    g_MstRowClipboard.Fill(RowClipKind::GyouCopy, rowops::CollectBlockRows(*this));
    RestorePosition(kCommandSlot);
    LoadGyou();
    if (KivAsk(kAskGyouPaste))
        g_MstRowClipboard.Armed = true;
    else
        g_MstBlockMove = 0;
    hideCaret();
    RestorePosition(kCommandSlot);
    // The snapshot predates the move's deletion and any paste that follows: 元に戻す undoes both.
    SaveUndo();
    g_MstBlockUndoReady = 1;
    g_MstRowClipboard.UndoSerial = d->UndoSerial();
    d->StoreKoumokuGyou();
    RestorePosition(kCommandSlot);
    rowops::ClampCursorToGroup(*this);
    LoadGyou();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 貼り付け

void CMstView::SetCsvRows(const std::vector<std::string>& rows) {
    g_MstRowClipboard.Fill(RowClipKind::Csv, rows, this);
    g_MstRowClipboard.Armed = !rows.empty();
}

void CMstView::OnEditPaste() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    RowClipboard& clip = g_MstRowClipboard;
    // The paste of the rows 行複写 or 単価ｺﾋﾟｰ collected is part of that command while nothing else
    // has changed this master since.
    const bool rows = clip.PastesIn(*this);
    // The row being edited goes back first: what was typed into it is a change of its own.
    if (rows && d->CurGyou() <= d->GyouCount())
        StoreGyou();
    const bool continues = rows && clip.UndoSerial != 0 && MstBlockUndoBelongsTo(*d) && d->UndoSerial() == clip.UndoSerial;
    GyouStore::UndoCommandScope command(*d, continues);
    if (rows) {
        // The paste takes no snapshot of its own: 元に戻す after pasting 行複写 rows goes back
        // to the one taken when they were copied.
        rowops::PasteClipRows(*this, clip, kPasteSlot);
        CalcFieldPos();
    } else if (g_MstTankaHenkanBusy == 0) {
        if (PasteFieldFromBuffer() && d->CurGyou() <= d->GyouCount())
            StoreGyou();
    }
    // CSV rows wait for their own view; every other paste ends what was armed.
    if (clip.Kind != RowClipKind::Csv || clip.CsvView == this)
        clip.Armed = false;
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 元に戻す and the one-cell buffers

void CMstView::OnEditUndo() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    // A snapshot that something else has changed its master since no longer counts: the cell's
    // undo then, as without one.
    if (const MstDoc* owner = MstBlockUndoDoc()) {
        if (owner == d) {
            RestoreMstBlockUndo(*d);
            rowops::RestoreUndoPosition(*this, kCommandSlot);
        } else {
            KivMessage(kMsgUndoElsewhere);
        }
        // The snapshot serves once, wherever it was asked for.
        g_MstBlockMove = 0;
        g_MstBlockUndoReady = 0;
    } else {
        g_MstBlockUndoReady = 0;
        if (UndoField() && d->CurGyou() <= d->GyouCount())
            StoreGyou();
    }
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

bool CMstView::PasteFieldFromBuffer() {
    GyouRecord::fitLength(m_EditGyou);
    return gridedit::PasteCellText(m_EditGyou, m_CurField[0], m_FieldPos.IsText != 0, m_FieldCopyBuf);
}

bool CMstView::UndoField() {
    MstDoc* d = GetDocument();
    if (!d || m_FieldUndoBuf.find_first_not_of(' ') == std::string::npos)
        return false;
    // Only the cell the text was cut from takes it back.
    const CutCell here{d, d->CurKoumoku(), d->CurGyou(), m_CurField[0]};
    if (!(here == m_FieldUndoCell))
        return false;
    GyouRecord::fitLength(m_EditGyou);
    const int width = std::min(m_FieldPos.Width, kFieldBufLength);
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(width),
                       m_FieldUndoBuf.substr(0, static_cast<std::size_t>(width)));
    return true;
}

void CMstView::NoteCutCell() {
    const MstDoc* d = GetDocument();
    m_FieldUndoCell = {d, d ? d->CurKoumoku() : 0, d ? d->CurGyou() : 0, m_CurField[0]};
}

void CMstView::ForgetRowCommands() {
    ForgetBlockSelectView(*this);
    g_MstRowClipboard.ForgetView(*this);
}

// ---------------------------------------------------------------------------------------------
// Enter and a click while a range is picked

void CMstView::onChar(unsigned ch, int repeat, unsigned flags) {
    if (ch == 13 && BlockSelectStep()) {
        kiv::ui::View::onChar(ch, repeat, flags);
        return;
    }
    GridViewBase::onChar(ch, repeat, flags);
}

void CMstView::onLButtonDown(unsigned flags, kiv::ui::Point p) {
    GridViewBase::onLButtonDown(flags, p);
    BlockSelectStep();
}
