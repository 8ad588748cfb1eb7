// The grid's editing positions (element 0 and the save slots) and its row path: the cursor's
// row between the row buffer and the store, rows appended, the row after the last joining.
#include "grid/GridViewBase.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/GyouStore.h"

// ---------------------------------------------------------------------------------------------
// Positions and the row path

void GridViewBase::SavePosition(int slot) {
    GyouStore* d = Store();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[k] = m_CurField[0];
    m_SavedVisibleGyou[k] = m_VisibleGyou;
    d->SavePosition(slot);
}

void GridViewBase::RestorePosition(int slot) {
    GyouStore* d = Store();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[0] = m_CurField[k];
    m_VisibleGyou = m_SavedVisibleGyou[k];
    d->RestorePosition(slot);
}

void GridViewBase::LoadGyou() {
    if (GyouStore* d = Store())
        d->GetCurrentGyou(m_EditGyou);
    GyouRecord::fitLength(m_EditGyou);
}

void GridViewBase::StoreGyou() {
    GyouStore* d = Store();
    if (!d)
        return;
    GyouRecord::fitLength(m_EditGyou);
    // Storing a row as it stands is no change: a document only opened and looked at closes
    // without the save question. The row is compared as LoadGyou gives it, so a work row never
    // filled (the row after the last) counts as the blanks it loads as. Rows are stored for every
    // row of every recalculation, so the stored row is compared where it is.
    if (!d->CurrentGyouStartsWith(m_EditGyou))
        d->SetCurrentGyou(m_EditGyou);
}

bool GridViewBase::AddGyou() {
    GyouStore* d = Store();
    if (!d || !d->AddGyou())
        return false;
    d->SetGyouCount(d->GyouCount() + 1);
    return true;
}

void GridViewBase::RenumberStoreGyou() {
    GyouStore* d = Store();
    if (!d)
        return;
    ClearGyouBuffer();
    GyouRecord::writeKey(m_EditGyou, d->CurKoumoku(), d->CurGyou());
    NewGyouDefaults(m_EditGyou);
    StoreGyou();
}

// ---------------------------------------------------------------------------------------------
// The cell blanked, the row after the last joining, a row committed

void GridViewBase::ClearField() {
    GyouRecord::fitLength(m_EditGyou);
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(m_FieldPos.Width),
                       static_cast<std::size_t>(m_FieldPos.Width), ' ');
}

bool GridViewBase::EnsureCursorGyou() {
    GyouStore* d = Store();
    if (!d)
        return false;
    if (d->CurGyou() <= d->GyouCount())
        return true;
    if (!JoinCursorGyou())
        return false;
    MarkChanged();
    return true;
}

bool GridViewBase::JoinCursorGyou() {
    GyouStore* d = Store();
    if (!d || !AddGyou())
        return false;
    d->SetCurGyou(d->GyouCount());
    std::string edited = m_EditGyou;
    RenumberStoreGyou();
    // Whatever the buffer held besides the key (Backspace or Delete on a blank row change
    // nothing) stays with the new row, with a new row's defaults where it is blank.
    edited.replace(0, 8, m_EditGyou, 0, 8);
    GyouRecord::fitLength(edited);
    NewGyouDefaults(edited);
    m_EditGyou = edited;
    StoreGyou();
    return true;
}

void GridViewBase::CommitGyou() {
    GyouStore* d = Store();
    if (!d || (!m_Desc.CommitsRowAfterLast && d->CurGyou() > d->GyouCount()))
        return;   // the empty row after the last belongs to no row yet
    StoreGyou();
    SavePosition(1);
    RecalcGyou();
    RestorePosition(1);
}
