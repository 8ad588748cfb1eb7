// The master grid's category commands: 分類移動 (go to or add a category), 分類挿入, 分類削除,
// 新分類追加, 分類名登録, the two remark clearings and the screen font size. They follow the
// estimate's item commands; the master stores without recalculating and takes no undo snapshot
// for a category command (each asks first).
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/GyouRowOps.h"
#include "master/BunMoveDialog.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/ui/App.h"

namespace {

const char* const kAskNewBun = "新しい分類を追加します。よろしいですか？";
const char* const kAskInsertBun = "分類の挿入を行います。復活できません。よろしいですか？";
const char* const kAskDeleteBun = "分類の削除を行います。復活できません。よろしいですか？";
const char* const kAskBikou2Delete =
    "各分類の備考２と詳細の備考を消去します。実行すると元には戻りません。よろしいですか？";
const char* const kAskBikou2DeleteAll =
    "全分類の備考２と詳細の備考を消去します。実行すると元には戻りません。よろしいですか？";
const char* const kTooLarge = "入力された数値が大きすぎます。再入力してください。";

constexpr int kMoveSlot = 1;

// The eight remarks of a row blanked (備考2 and the seven material lines'); true when any held
// text.
bool blankBikou2(std::string& row) {
    GyouRecord::padLength(row);
    bool changed = false;
    for (int field : rowops::kBikouFields) {
        if (!GyouRecord::isBlank(row, field)) {
            GyouRecord::blank(row, field);
            changed = true;
        }
    }
    return changed;
}

} // namespace

// Cursor to row 1 of the category, top of the grid, first enterable field.
static void cursorToBunTop(CMstView& v, MstDoc& d) {
    d.SetCurGyou(1);
    d.SetTopGyou(0);
    d.SetScreenGyou(CMstView::m_FirstScreenGyou);
    v.m_CurField[0] = CMstView::m_FirstField;
}

// The end of every category command: the vertical bar at 0, every view of the master updated (the
// tree refills when m_TreeDirty is set), the caret back at its field.
static void finishBunCommand(CMstView& v, MstDoc& d) {
    v.setScrollPos(kiv::ui::SB_HORZ, v.m_HScrollPairs);   // the thumb where the columns stand
    v.setScrollPos(kiv::ui::SB_VERT, 0);
    d.UpdateAllViews();
    v.CalcFieldPos();
    v.SetCaretToField();
    v.showCaret();
}

// ---------------------------------------------------------------------------------------------
// 分類移動

void CMstView::OnKoumokuMove() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    SavePosition(kMoveSlot);
    RebuildBunList();   // stores the category, lists its titles for the dialog

    // Back to where the command started, on the category as it was stored.
    auto back = [&] {
        RestorePosition(kMoveSlot);
        d->LoadKoumokuGyou();
        RestorePosition(kMoveSlot);
        rowops::ClampCursorToGroup(*this);
        LoadGyou();
        finishBunCommand(*this, *d);
    };

    CBunMoveDialog dlg(d, this);
    if (dlg.doModal() != kiv::ui::IDOK) {
        back();
        return;
    }
    const int target = dlg.m_BunNo;
    const int count = d->KoumokuCount();
    if (target < 1 || target > count + 1) {
        // The document stays on its category: the next store keeps the edits made there.
        KivMessage(kTooLarge);
        back();
        return;
    }
    if (target == count + 1) {
        // A new category needs its line 1: at the limit the message and nothing changes.
        if (!KivAsk(kAskNewBun) || !d->HasRoomForKoumoku()) {
            back();
            return;
        }
        d->SetKoumokuCount(count + 1);
        d->SetCurKoumoku(target);
        d->LoadKoumokuGyou();   // a category without lines gets its line 1
        d->StoreKoumokuGyou();
        d->SetModifiedFlag();
        d->MarkTreeDirty();
    } else {
        d->SetCurKoumoku(target);
        d->LoadKoumokuGyou();
    }
    cursorToBunTop(*this, *d);
    LoadGyou();
    finishBunCommand(*this, *d);
}

// ---------------------------------------------------------------------------------------------
// 分類挿入, 分類削除

void CMstView::OnKoumokuInsert() {
    MstDoc* d = GetDocument();
    if (!d || !KivAsk(kAskInsertBun))
        return;
    hideCaret();
    d->MarkTreeDirty();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    // Refused with the limit message when no category fits any more: the master stays as it was.
    if (d->InsertKoumoku())
        d->SetModifiedFlag();
    d->LoadKoumokuGyou();
    m_HScrollPairs = 0;
    cursorToBunTop(*this, *d);
    LoadGyou();
    CalcFieldPos();
    invalidate();
    finishBunCommand(*this, *d);
}

void CMstView::OnKoumokuDelete() {
    MstDoc* d = GetDocument();
    if (!d || !KivAsk(kAskDeleteBun))
        return;
    hideCaret();
    d->MarkTreeDirty();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    d->DeleteKoumoku();
    d->SetModifiedFlag();
    m_HScrollPairs = 0;
    cursorToBunTop(*this, *d);
    LoadGyou();
    CalcFieldPos();
    invalidate();
    finishBunCommand(*this, *d);
}

// ---------------------------------------------------------------------------------------------
// 新分類追加, 分類名登録

void CMstView::OnNewBun() {
    MstDoc* d = GetDocument();
    if (!d || !KivAsk(kAskNewBun))
        return;
    hideCaret();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    // A new category needs its line 1: at the limit the message and nothing changes.
    if (!d->HasRoomForKoumoku()) {
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    const int bun = d->KoumokuCount() + 1;
    d->SetKoumokuCount(bun);
    d->SetCurKoumoku(bun);
    d->LoadKoumokuGyou();   // creates its line 1 in a slot of its own
    d->SetCurGyou(1);
    LoadGyou();             // the buffer holds the new line before the list stores it
    d->StoreKoumokuGyou();
    d->SetModifiedFlag();
    RebuildBunList();
    d->SetCurKoumoku(bun);
    d->LoadKoumokuGyou();
    d->MarkTreeDirty();
    cursorToBunTop(*this, *d);
    LoadGyou();
    finishBunCommand(*this, *d);
}

void CMstView::OnBunToroku() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    RebuildBunList();   // stores the row and the category first
    d->MarkTreeDirty();
    cursorToBunTop(*this, *d);
    LoadGyou();
    CalcFieldPos();
    finishBunCommand(*this, *d);
}

// ---------------------------------------------------------------------------------------------
// 備考２削除, 備考２一括削除

void CMstView::OnBikou2Delete() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    SavePosition(1);
    // The category is stored whatever the answer: an edit made just before is kept.
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    if (KivAsk(kAskBikou2Delete)) {
        kiv::ui::App::WaitCursorScope wait;
        bool changed = false;
        for (int g = 1; g <= d->GyouCount(); ++g)
            changed = blankBikou2(d->EditWorkGyou(g)) || changed;
        d->StoreKoumokuGyou();
        if (changed)
            d->SetModifiedFlag();
    }
    RestorePosition(1);
    d->LoadKoumokuGyou();
    RestorePosition(1);
    rowops::ClampCursorToGroup(*this);
    LoadGyou();
    CalcFieldPos();
    invalidate();
    updateWindow();
    SetCaretToField();
    showCaret();
}

void CMstView::OnBikou2DeleteAll() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition(1);
    if (!KivAsk(kAskBikou2DeleteAll))
        return;
    hideCaret();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    {
        // Every line of every category in one pass over the store: the same as each category
        // loaded, cleared and stored in turn, without reading the store once per category.
        kiv::ui::App::WaitCursorScope wait;
        bool changed = false;
        for (int j = 0; j < d->PoolGyouCount(); ++j)
            if (d->KoumokuOfSlot(j) > 0)
                changed = blankBikou2(d->EditPoolGyou(j)) || changed;
        if (changed)
            d->SetModifiedFlag();
    }
    RestorePosition(1);
    d->LoadKoumokuGyou();
    RestorePosition(1);
    rowops::ClampCursorToGroup(*this);
    LoadGyou();
    CalcFieldPos();
    invalidate();
    updateWindow();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 画面フォントサイズ指定

void CMstView::OnFontSize() {
    if (const std::optional<int> size = gridedit::AskFontSize(this, kDefaultFontSize, "MFont_Size_Section", "MFont_Size"))
        m_FontSize = *size;
    invalidate();
    updateWindow();
    if (hasFocus()) {
        createSolidCaret(kCaretWidth, m_CharHeight);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    // The tree panes read the new size when they refill.
    if (MstDoc* d = GetDocument()) {
        d->MarkTreeDirty();
        d->UpdateAllViews();
    }
}
