#include "estimate/GyouStore.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "platform/text/Number.h"

GyouStore::GyouStore(const GyouStoreLimits& limits)
    : m_Limits(limits),
      m_GyouKoumokuNo(static_cast<std::size_t>(limits.indexSize), 0),
      m_GyouBuildBuf(GyouRecord::blankRow()),
      m_Gyou(static_cast<std::size_t>(limits.poolSlots)),
      m_KoumokuGyou(kWorkSlots),
      m_UndoGyou(static_cast<std::size_t>(limits.poolSlots)) {}

int GyouStore::IndexEntryOf(const std::string& row) {
    return std::max(0, kiv::text::parseInt(std::string_view(row).substr(0, 4)));
}

std::span<const int> GyouStore::KoumokuSlots(int group) const {
    if (group < 0 || group >= kListedGroups) {
        m_UnlistedSlots.clear();
        for (int j = 0; j < m_PoolGyouCount; ++j)
            if (m_GyouKoumokuNo[static_cast<std::size_t>(j)] == group)
                m_UnlistedSlots.push_back(j);
        return m_UnlistedSlots;
    }
    if (m_GroupSlotsStale) {
        m_GroupSlots.resize(static_cast<std::size_t>(kListedGroups));
        for (auto& slots : m_GroupSlots)
            slots.clear();
        for (int j = 0; j < m_PoolGyouCount; ++j) {
            const int g = m_GyouKoumokuNo[static_cast<std::size_t>(j)];
            if (g >= 0 && g < kListedGroups)
                m_GroupSlots[static_cast<std::size_t>(g)].push_back(j);
        }
        m_GroupSlotsStale = false;
    }
    return m_GroupSlots[static_cast<std::size_t>(group)];
}

void GyouStore::MoveSlotInGroupSlots(int slot, int from, int to) {
    if (m_GroupSlotsStale)
        return;
    if (from >= 0 && from < kListedGroups) {
        auto& slots = m_GroupSlots[static_cast<std::size_t>(from)];
        const auto at = std::lower_bound(slots.begin(), slots.end(), slot);
        if (at != slots.end() && *at == slot)
            slots.erase(at);
    }
    if (to >= 0 && to < kListedGroups) {
        auto& slots = m_GroupSlots[static_cast<std::size_t>(to)];
        slots.insert(std::lower_bound(slots.begin(), slots.end(), slot), slot);
    }
}

void GyouStore::RebuildGyouIndex() {
    m_GroupSlotsStale = true;
    m_KoumokuCount = 0;
    const int cleared = std::min(m_Limits.indexSize, m_Limits.gyouMax + 1);
    std::fill(m_GyouKoumokuNo.begin(), m_GyouKoumokuNo.begin() + cleared, 0);
    int n = std::clamp(m_PoolGyouCount, 0, m_Limits.poolSlots);
    if (n > m_Limits.gyouMax) {
        n = m_Limits.gyouMax;
        KivMessage(m_Limits.poolTruncatedMessage);
    }
    m_PoolGyouCount = n;
    for (int i = 0; i < n; ++i) {
        const int entry = IndexEntryOf(m_Gyou[static_cast<std::size_t>(i)]);
        m_GyouKoumokuNo[static_cast<std::size_t>(i)] = entry;
        m_KoumokuCount = std::max(m_KoumokuCount, entry);
    }
    if (m_KoumokuCount == 0) {
        // No group at all: a fresh row 1 of group 1 in slot 0, counted even when no row was kept.
        m_KoumokuCount = 1;
        m_GyouKoumokuNo[0] = 1;
        m_CurGyou[0] = 1;
        CreateFirstGyou();
        m_PoolGyouCount = std::max(m_PoolGyouCount, 1);
    }
}

bool GyouStore::LoadKoumokuGyou() {
    m_CurKoumoku[0] = std::clamp(m_CurKoumoku[0], 1, m_Limits.koumokuMax);
    const int group = m_CurKoumoku[0];
    m_GyouCount = 0;
    m_CurGyou[0] = 1;
    ClearKoumokuGyou();
    for (const int j : KoumokuSlots(group)) {
        if (m_GyouCount >= kWorkSlots)
            break;
        m_KoumokuGyou[static_cast<std::size_t>(m_GyouCount++)] = m_Gyou[static_cast<std::size_t>(j)];
    }
    NoteWorkGyouUsed(m_GyouCount);
    if (m_GyouCount > 0)
        return true;
    m_GyouCount = 1;
    m_CurGyou[0] = 1;
    NewKoumokuGyou();
    return AddGyou();
}

void GyouStore::StoreKoumokuGyou() {
    const int group = m_CurKoumoku[0];
    if (group < 1)
        return;
    int k = 0;
    std::vector<int> freed;
    for (const int j : KoumokuSlots(group)) {
        if (k >= kWorkSlots)
            break;
        std::string& slot = m_Gyou[static_cast<std::size_t>(j)];
        slot = m_KoumokuGyou[static_cast<std::size_t>(k++)];
        GyouRecord::padLength(slot);
        if (IndexEntryOf(slot) == 0)
            freed.push_back(j);
    }
    // The group's slot list is walked above; the freed slots leave it only now.
    for (const int j : freed) {
        m_GyouKoumokuNo[static_cast<std::size_t>(j)] = 0;
        MoveSlotInGroupSlots(j, group, 0);
    }
}

int GyouStore::FindFreeSlot() const {
    const int used = std::min(m_PoolGyouCount, m_Limits.gyouMax);
    const std::span<const int> free = KoumokuSlots(0);
    if (!free.empty() && free.front() < used)
        return free.front();
    return m_PoolGyouCount < m_Limits.gyouMax ? m_PoolGyouCount : -1;
}

bool GyouStore::AddGyou() {
    if (m_GyouCount >= m_Limits.koumokuGyouMax) {
        KivMessage(m_Limits.koumokuFullMessage);
        return false;
    }
    const int slot = FindFreeSlot();
    if (slot < 0) {
        KivMessage(m_Limits.poolFullMessage);
        return false;
    }
    Changed();
    const int group = m_CurKoumoku[0];
    // A slot at the end was in no group's list; a reused one was a free slot.
    const int from = slot < m_PoolGyouCount ? 0 : -1;
    m_GyouKoumokuNo[static_cast<std::size_t>(slot)] = group;
    m_Gyou[static_cast<std::size_t>(slot)].assign(GyouRecord::Length, ' ');
    if (slot == m_PoolGyouCount)
        ++m_PoolGyouCount;
    MoveSlotInGroupSlots(slot, from, group);
    return true;
}

void GyouStore::GetCurrentGyou(std::string& out) const {
    const int r = m_CurGyou[0];
    if (r >= 1 && r <= kWorkSlots)
        out = m_KoumokuGyou[static_cast<std::size_t>(r - 1)];
    else
        out.clear();
    GyouRecord::padLength(out);
}

bool GyouStore::CurrentGyouStartsWith(std::string_view row) const {
    const int r = m_CurGyou[0];
    const std::string_view work =
        r >= 1 && r <= kWorkSlots ? std::string_view(m_KoumokuGyou[static_cast<std::size_t>(r - 1)]) : std::string_view();
    // GetCurrentGyou pads the work row with blanks to the row length.
    if (row.size() > std::max(work.size(), static_cast<std::size_t>(GyouRecord::Length)))
        return false;
    const std::size_t own = std::min(work.size(), row.size());
    return work.substr(0, own) == row.substr(0, own) && row.find_first_not_of(' ', own) == std::string_view::npos;
}

bool GyouStore::SetCurrentGyou(const std::string& row) {
    const int r = m_CurGyou[0];
    if (r < 1 || r > kWorkSlots)
        return false;
    NoteWorkGyouUsed(r);
    Changed();
    std::string& work = m_KoumokuGyou[static_cast<std::size_t>(r - 1)];
    work = row;
    GyouRecord::padLength(work);
    OnGyouChanged();
    return true;
}

void GyouStore::CopyGyouToUndo() {
    m_UndoGyou = m_Gyou;
    ++m_UndoCopies;
    SealUndo();
}

void GyouStore::RestoreGyouFromUndo() {
    Changed();
    m_Gyou = m_UndoGyou;
}

void GyouStore::ClearKoumokuGyou() {
    // Only the rows written since the last clearing can hold anything.
    for (int k = 0; k < m_WorkGyouUsed; ++k)
        m_KoumokuGyou[static_cast<std::size_t>(k)].clear();
    m_WorkGyouUsed = 0;
}

void GyouStore::StartBlank() {
    m_PoolGyouCount = 1;
    m_GroupSlotsStale = true;
    ClearGyou();
    m_CurKoumoku[0] = 1;
    m_CurGyou[0] = 1;
    m_ScreenGyou[0] = 1;
    m_GyouCount = 1;
}

void GyouStore::ClearGyou() {
    Changed();
    for (auto& row : m_Gyou)
        row.clear();
}

void GyouStore::ClearUndoGyou() {
    for (auto& row : m_UndoGyou)
        row.clear();
}

bool GyouStore::HasRoomForKoumoku() {
    if (m_KoumokuCount >= m_Limits.koumokuMax || FindFreeSlot() < 0) {
        KivMessage(m_Limits.poolFullMessage);
        return false;
    }
    return true;
}

void GyouStore::RekeyKoumokuFrom(int from, int delta) {
    // Rows of a group in pool order are its rows 1, 2, ...: each gets its place as row number.
    std::vector<int> place(static_cast<std::size_t>(m_Limits.koumokuMax) + 1, 0);
    for (int j = 0; j < m_PoolGyouCount; ++j) {
        const int group = m_GyouKoumokuNo[static_cast<std::size_t>(j)];
        if (group < from || group > m_Limits.koumokuMax)
            continue;
        const int row = ++place[static_cast<std::size_t>(group)];
        GyouRecord::writeKey(m_Gyou[static_cast<std::size_t>(j)], group + delta, row);
    }
}

bool GyouStore::InsertKoumoku() {
    if (!HasRoomForKoumoku())
        return false;
    Changed();
    const int c = std::clamp(m_CurKoumoku[0], 1, m_Limits.koumokuMax);
    RekeyKoumokuFrom(c, +1);
    RebuildGyouIndex();
    m_CurKoumoku[0] = c;
    LoadKoumokuGyou();
    StoreKoumokuGyou();
    return true;
}

void GyouStore::DeleteKoumoku() {
    Changed();
    const int c = std::clamp(m_CurKoumoku[0], 1, m_Limits.koumokuMax);
    for (int j = 0; j < m_PoolGyouCount; ++j)
        if (m_GyouKoumokuNo[static_cast<std::size_t>(j)] == c) {
            m_Gyou[static_cast<std::size_t>(j)].assign(GyouRecord::Length, ' ');
            m_GyouKoumokuNo[static_cast<std::size_t>(j)] = 0;
        }
    m_GroupSlotsStale = true;
    RekeyKoumokuFrom(c + 1, -1);
    RebuildGyouIndex();
    m_CurKoumoku[0] = std::min(c, m_KoumokuCount);
    LoadKoumokuGyou();
}

bool GyouStore::FormatGyouKey() {
    const int group = m_CurKoumoku[0];
    const int row = m_CurGyou[0];
    GyouRecord::padLength(m_GyouBuildBuf);
    return GyouRecord::writeKey(m_GyouBuildBuf, group, row);
}

void GyouStore::ClearGyouBuffer() { m_GyouBuildBuf.assign(GyouRecord::Length, ' '); }

bool GyouStore::SetCurrentGyouKeyed(const std::string& row) {
    m_GyouBuildBuf = row;
    FormatGyouKey();
    return SetCurrentGyou(m_GyouBuildBuf);
}

void GyouStore::CreateFirstGyou() {
    // Always group 1: the index counts this row as group 1 whatever group was current.
    ClearGyouBuffer();
    GyouRecord::writeKey(m_GyouBuildBuf, 1, 1);
    m_GyouBuildBuf.replace(kHokyuuPos, GyouRecord::DefaultHokyuu.size(), GyouRecord::DefaultHokyuu);
    m_Gyou[0] = m_GyouBuildBuf;
}

void GyouStore::NewKoumokuGyou() {
    ClearGyouBuffer();
    FormatGyouKey();
    m_GyouBuildBuf.replace(kHokyuuPos, GyouRecord::DefaultHokyuu.size(), GyouRecord::DefaultHokyuu);
    NoteWorkGyouUsed(1);
    m_KoumokuGyou[0] = m_GyouBuildBuf;
}
