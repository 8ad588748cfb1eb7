// The estimate view's item titles and its item commands 新項目追加 and 項目名登録.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/ui/App.h"

namespace {

const char* const kAskNewKoumoku = "新しい項目を追加します。よろしいですか？";

// The categories whose last row gives an item's amounts.
bool isKingakuRow(const SetteiValues& v, int bunNo) {
    return v.matches(EnzanCode::Syoukei, bunNo) || v.matches(EnzanCode::Tyuukei, bunNo) ||
           v.matches(EnzanCode::HyousiKei, bunNo);
}

} // namespace

void CKivView::RecalcKoumoku() { RunRecalcKoumoku(*this); }

void CKivView::RecalcGyou() { RunRecalcGyou(*this); }

void CKivView::CheckKeisanGyou() { RunCheckKeisanGyou(*this); }

void CKivView::RecalcWholeEstimate(const std::function<void(int koumoku)>& eachItem) {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    KivMessagePass pass;
    // The row being edited goes back first; a cursor below the item's last row holds none.
    if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
        StoreGyou();
    StoreKoumoku();
    RunClearKeisanMissing(*this);
    for (int k = d->KoumokuCount(); k >= 1; --k) {
        d->SetCurKoumoku(k);
        LoadKoumoku();
        d->SetCurGyou(1);
        LoadGyou();
        RecalcKoumoku();
        RecalcKoumoku();
        StoreKoumoku();
        if (eachItem)
            eachItem(k);
    }
    d->MarkRecalculated();
}

void CKivView::PrepareSave() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    StoreRowBuffer();
    if (!d->NeedsRecalc())
        return;
    hideCaret();
    SavePosition8();
    {
        kiv::ui::App::WaitCursorScope wait;
        RecalcWholeEstimate();
    }
    RunClearKeisanGyouFlags(*this);
    RestorePosition8();
    LoadKoumoku();
    RestorePosition8();
    LoadGyou();
    CalcFieldPos();
    RedrawGyou();
    SetCaretToField();
    showCaret();
}

std::string CKivView::KoumokuTitle(std::string_view firstGyou, std::string_view kingakuGyou) {
    std::string title;
    title.reserve(kKoumokuTitleLength);
    for (int field : {GyouRecord::KoumokuNo, GyouRecord::Kigou, GyouRecord::Hinmei, GyouRecord::Kikaku}) {
        std::string part(GyouRecord::raw(firstGyou, field));
        part.resize(static_cast<std::size_t>(GyouRecord::layout(field).Width), ' ');
        title += part;
    }
    for (int field : {GyouRecord::Kingaku1, GyouRecord::Kingaku2}) {
        std::string part(GyouRecord::raw(kingakuGyou, field));
        part.resize(static_cast<std::size_t>(GyouRecord::layout(field).Width), ' ');
        title += part;
    }
    return title;
}

void CKivView::RebuildKoumokuList() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    kiv::ui::App::WaitCursorScope wait;
    // The titles are read from the pool, so the row being edited and its item go there first:
    // walking the items reloads the work area, and edits left in it would be lost. A cursor
    // below the item's last row holds no row to store.
    if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
        StoreGyou();
    StoreKoumoku();
    const int koumoku = d->CurKoumoku();
    const int gyou = d->CurGyou();
    const int top = d->TopGyou();
    const int screen = d->ScreenGyou();
    const int field = m_CurField[0];

    if (d->NeedsRecalc()) {
        // Heading rows take totals of later items, so the items are recalculated from the
        // current one (where rows changed) back to the first, as one pass: the rows' messages
        // are shown once at its end.
        KivMessagePass pass;
        RecalcKoumoku();
        StoreKoumoku();
        for (int k = koumoku; k >= 1; --k) {
            d->SetCurKoumoku(k);
            LoadKoumoku();
            RecalcKoumoku();
            StoreKoumoku();
        }
        d->MarkRecalculated();
    }

    d->ClearKoumokuNames();
    const int count = std::min(d->KoumokuCount(), CKivDoc::kKoumokuMax);
    for (int k = 1; k <= count; ++k) {
        d->SetCurKoumoku(k);
        LoadKoumoku();
        std::string first;
        std::string kingaku;
        for (int g = 1; g <= d->GyouCount(); ++g) {
            d->SetCurGyou(g);
            LoadGyou();
            if (g == 1) {
                first = m_EditGyou;
                kingaku = m_EditGyou;
            }
            ReadBunNo();
            if (isKingakuRow(d->GetSetteiValues(), m_BunNo))
                kingaku = m_EditGyou;
        }
        d->SetKoumokuName(k, KoumokuTitle(first, kingaku));
    }

    // Back where the caller was, on the same row of the same item; the row after the item's
    // last is a place the cursor may stand, so it stays there with its screen row.
    d->SetCurKoumoku(koumoku);
    LoadKoumoku();
    d->SetCurGyou(std::clamp(gyou, 1, d->GyouCount() + 1));
    d->SetTopGyou(top);
    d->SetScreenGyou(screen);
    m_CurField[0] = field;
    CalcFieldPos();
    LoadGyou();
    d->MakeCurrent();
}

void CKivView::CursorToKoumokuTop() {
    CKivDoc* d = GetDocument();
    d->SetCurGyou(1);
    d->SetTopGyou(0);
    d->SetScreenGyou(m_FirstScreenGyou);
    m_CurField[0] = m_FirstField;
}

void CKivView::FinishKoumokuCommand() {
    setScrollPos(kiv::ui::SB_HORZ, m_HScrollPairs);   // the thumb where the columns stand
    setScrollPos(kiv::ui::SB_VERT, 0);
    GetDocument()->UpdateAllViews();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void CKivView::OnNewKoumoku() {
    CKivDoc* d = GetDocument();
    if (!d || !KivAsk(kAskNewKoumoku))
        return;
    hideCaret();
    StoreGyou();
    RecalcKoumoku();
    CheckKeisanGyou();
    StoreKoumoku();
    // The new item's row needs a place in the pool: a full estimate says so and stays as it is.
    if (!d->HasRoomForKoumoku()) {
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    const int last = d->KoumokuCount() + 1;
    d->SetKoumokuCount(last);
    d->SetCurKoumoku(last);
    LoadKoumoku();   // an item without rows gets its row 1
    d->SetCurGyou(1);
    LoadGyou();
    StoreKoumoku();
    d->SetModifiedFlag();
    RebuildKoumokuList();
    d->SetCurKoumoku(last);
    LoadKoumoku();
    StoreKoumoku();
    d->MarkTreeDirty();
    CursorToKoumokuTop();
    LoadGyou();
    FinishKoumokuCommand();
}

void CKivView::OnKoumokuToroku() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    StoreGyou();
    RecalcKoumoku();
    CheckKeisanGyou();
    StoreKoumoku();
    RebuildKoumokuList();
    d->MarkTreeDirty();
    CursorToKoumokuTop();
    LoadGyou();
    StoreGyou();
    FinishKoumokuCommand();
}
