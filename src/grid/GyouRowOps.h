#pragma once
// The row operations of the row commands, written once for every grid view over the shared row
// store: the estimate's CKivView and the master's CMstView both call them. A view type `V` needs
// GetDocument() (a GyouStore), LoadGyou, StoreGyou, AddGyou, RenumberGyou, RenumberStoreGyou,
// RecalcGyou, SavePosition(slot), RestorePosition(slot), m_EditGyou, m_GyouLen and m_VisibleGyou
// (and ShiftGyouDown for a paste).
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "grid/BlockSelect.h"
#include "grid/RowClipboard.h"
#include "grid/TankaRewrite.h"

namespace rowops {

// The fields 単価ｺﾋﾟｰ carries over: the unit prices (kTankaFields of grid/TankaRewrite.h), then
// (with its remark choice) 備考2 and the material lines' remarks.
using ::kTankaFields;
inline constexpr int kBikouFields[] = {20, 44, 52, 60, 68, 76, 84, 92};

// A blank row at the cursor: the rows from the cursor on move down one place, renumbered. False,
// with the limit message, when the group or the store has no room; then no row moves.
template <class V>
bool ShiftGyouDown(V& v, int slot) {
    auto* d = v.GetDocument();
    if (!d || !v.AddGyou())
        return false;
    v.SavePosition(slot);
    const int cursor = d->CurGyou();
    for (int k = d->GyouCount(); k > cursor; --k) {
        d->SetCurGyou(k - 1);
        v.LoadGyou();
        d->SetCurGyou(k);
        v.RenumberGyou();
        v.StoreGyou();
    }
    v.RestorePosition(slot);
    v.RenumberStoreGyou();
    return true;
}

// The cursor's row removed: the rows after it move up one place, renumbered; the last goes blank
// (its slot is freed when the group is stored). A group's only row becomes an empty numbered row.
// On the row after the group's last nothing happens.
template <class V>
void ShiftGyouUp(V& v, int slot) {
    auto* d = v.GetDocument();
    if (!d)
        return;
    const int count = d->GyouCount();
    const int cursor = d->CurGyou();
    if (cursor < 1 || cursor > count)
        return;
    v.SavePosition(slot);
    if (count < 2) {
        v.RenumberStoreGyou();
        v.RestorePosition(slot);
        return;
    }
    for (int k = cursor; k < count; ++k) {
        d->SetCurGyou(k + 1);
        v.LoadGyou();
        d->SetCurGyou(k);
        v.RenumberGyou();
        v.StoreGyou();
    }
    // The last row goes blank, key included: the next store of the group frees its pool slot.
    d->SetCurGyou(count);
    v.m_EditGyou.assign(static_cast<std::size_t>(v.m_GyouLen), ' ');
    v.StoreGyou();
    d->SetGyouCount(d->GyouCount() - 1);
    v.RestorePosition(slot);
    if (d->CurGyou() >= d->GyouCount() && d->CurGyou() > 1) {
        d->SetCurGyou(d->CurGyou() - 1);
        if (d->ScreenGyou() > 1)
            d->SetScreenGyou(d->ScreenGyou() - 1);
        else
            d->SetTopGyou(std::max(0, d->TopGyou() - 1));
    }
    v.LoadGyou();
}

// The cursor brought back into the group's rows (a restored position may name a row the
// restored or shortened group does not have).
template <class V>
void ClampCursorToGroup(V& v) {
    auto* d = v.GetDocument();
    if (!d)
        return;
    d->SetCurGyou(std::clamp(d->CurGyou(), 1, std::max(1, d->GyouCount())));
    d->SetScreenGyou(std::clamp(d->ScreenGyou(), 1, std::max(1, std::min(d->CurGyou(), v.m_VisibleGyou))));
    d->SetTopGyou(d->CurGyou() - d->ScreenGyou());
}

// The undo snapshot of a row command: the row buffer and the work rows are stored first, then
// `take` copies the store; when `blockMove` is 1 (行複写 with 行を移動する) the collected rows
// g_BlockStartGyou..g_BlockEndGyou are deleted now, after the snapshot, and blockMove becomes 0.
template <class V, class Take>
void SaveBlockUndo(V& v, int slot, int& blockMove, Take take) {
    auto* d = v.GetDocument();
    if (!d)
        return;
    v.StoreGyou();
    d->StoreKoumokuGyou();
    take();
    if (blockMove == 1) {
        // Every source row is deleted at the range's start row: after one deletion the next
        // source row has moved up into that place.
        v.SavePosition(slot);
        const int start = std::max(1, g_BlockStartGyou);
        const int last = std::min(g_BlockEndGyou, d->GyouCount());
        for (int n = last - start + 1; n > 0; --n) {
            d->SetCurGyou(start);
            ShiftGyouUp(v, slot);
        }
        d->StoreKoumokuGyou();
        v.RestorePosition(slot);
        ClampCursorToGroup(v);
        blockMove = 0;
    }
    v.LoadGyou();
}

// After the store came back from the snapshot: the position of `slot` again, its group (clamped
// into the restored groups) loaded and stored, the cursor clamped into the group.
template <class V>
void RestoreUndoPosition(V& v, int slot) {
    auto* d = v.GetDocument();
    if (!d)
        return;
    v.RestorePosition(slot);
    d->SetCurKoumoku(std::clamp(d->CurKoumoku(), 1, std::max(1, d->KoumokuCount())));
    d->LoadKoumokuGyou();
    d->StoreKoumokuGyou();
    const int koumoku = d->CurKoumoku();
    v.RestorePosition(slot);
    d->SetCurKoumoku(koumoku);
    ClampCursorToGroup(v);
    v.LoadGyou();
}

// Rows g_BlockStartGyou..g_BlockEndGyou of the current group, in order; rows past the group's
// last are collected as empty rows. The cursor is left on the last; the caller restores it.
template <class V>
std::vector<std::string> CollectBlockRows(V& v) {
    auto* d = v.GetDocument();
    std::vector<std::string> rows;
    for (int k = g_BlockStartGyou; k <= g_BlockEndGyou; ++k) {
        d->SetCurGyou(k);
        if (k <= d->GyouCount()) {
            v.LoadGyou();
            rows.push_back(v.m_EditGyou);
        } else {
            rows.emplace_back();
        }
    }
    return rows;
}

// 貼り付け of the clipboard's rows at the cursor. 単価ｺﾋﾟｰ lays its prices (and remarks) over the
// consecutive rows from the cursor on, up to the group's last row (prices for rows past it are
// dropped), each row recalculated. 行複写 and CSV rows are inserted above the cursor row in their
// collected order and renumbered; 行複写 rows are recalculated in their new place, CSV rows are
// not. An insertion refused at a limit ends the paste there. Position slot `slot` holds the
// cursor, which comes back to the first pasted row; the work rows are stored.
template <class V>
void PasteClipRows(V& v, const RowClipboard& clip, int slot) {
    auto* d = v.GetDocument();
    if (!d)
        return;
    v.SavePosition(slot);
    v.StoreGyou();
    if (clip.Kind == RowClipKind::TankaCopy) {
        for (int j = 0; j < clip.Count && d->CurGyou() <= d->GyouCount(); ++j) {
            v.LoadGyou();
            std::string source = clip.Rows[static_cast<std::size_t>(j)];
            GyouRecord::padLength(source);
            auto copyField = [&](int field) {
                const auto& l = GyouRecord::layout(field);
                v.m_EditGyou.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width), source,
                                     static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width));
            };
            for (int field : kTankaFields)
                copyField(field);
            if (clip.TankaBikou2)
                for (int field : kBikouFields)
                    copyField(field);
            v.RecalcGyou();
            v.StoreGyou();
            d->SetCurGyou(d->CurGyou() + 1);
        }
    } else {
        const bool recalc = clip.Kind == RowClipKind::GyouCopy;
        for (int i = 0; i < clip.Count; ++i) {
            if (!v.ShiftGyouDown())
                break;
            v.m_EditGyou = clip.Rows[static_cast<std::size_t>(i)];
            GyouRecord::padLength(v.m_EditGyou);
            GyouRecord::fitLength(v.m_EditGyou);
            v.RenumberGyou();
            if (recalc)
                v.RecalcGyou();
            v.StoreGyou();
            d->SetCurGyou(d->CurGyou() + 1);
        }
    }
    d->StoreKoumokuGyou();
    v.RestorePosition(slot);
    v.LoadGyou();
}

} // namespace rowops
