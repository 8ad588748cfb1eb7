#pragma once
// GyouStore: the row store that the estimate and the master documents share. Every row lives in
// one pool of GyouRecord texts keyed by group and row number in their first eight bytes ("%04d"
// each: item in the estimate, category in the master); an index gives each pool slot its group
// (0 marks a free slot); the rows of the group being edited are copied into a work area, edited
// there by the view and stored back; a copy of the pool serves the one-step undo.
//
// The two documents differ only in their limits and messages, which they hand over as a
// GyouStoreLimits when they are built; the behaviour is one.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct GyouStoreLimits {
    int poolSlots = 30000;      // pool capacity (rows as read from a file)
    int indexSize = 30000;      // entries of the slot index
    int gyouMax = 9999;         // slots in use at most
    int koumokuGyouMax = 9999;  // rows of one group at most
    int koumokuMax = 9999;      // groups at most (a "%04d" key has four digits)
    const char* poolTruncatedMessage = "";   // more rows than gyouMax were read
    const char* poolFullMessage = "";        // no slot left for a new row
    const char* koumokuFullMessage = "";     // the group already has koumokuGyouMax rows
};

class GyouStore {
public:
    static constexpr int kWorkSlots = 10000;       // work rows of the current group
    static constexpr int kPositionSlots = 11;      // element 0 current, 1-10 the view's save slots
    static constexpr int kHokyuuPos = 272;         // supply factor of new rows

    explicit GyouStore(const GyouStoreLimits& limits);
    virtual ~GyouStore() = default;
    GyouStore(const GyouStore&) = delete;
    GyouStore& operator=(const GyouStore&) = delete;

    const GyouStoreLimits& Limits() const { return m_Limits; }

    // Recount the pool and rebuild the group index from the row keys. More than gyouMax slots:
    // the first gyouMax are kept, with a message. A store without any group gets group 1, row 1.
    void RebuildGyouIndex();
    // Copy the rows of the current group into the work area; cursor row 1. A group without rows
    // gets a new row 1 and a pool slot for it; false when the pool cannot take it (the work row
    // is there but is not stored).
    bool LoadKoumokuGyou();
    // Write the work area back over the current group's pool rows, in order. A row stored without
    // a group number frees its slot. Work rows beyond the group's slots are not stored.
    void StoreKoumokuGyou();
    // Reserve a pool slot for one more row of the current group and blank it. Refused, with the
    // limit message, when the group already has koumokuGyouMax rows or the pool has no free slot.
    // A free slot among the counted rows is reused; only a slot at the end grows the slot count.
    // The caller counts the row in m_GyouCount.
    bool AddGyou();
    // The work row m_CurGyou[0], at least 1400 bytes (an unfilled row reads as blanks).
    void GetCurrentGyou(std::string& out) const;
    // True when GetCurrentGyou would give a row whose first row.size() bytes are `row` (read in
    // place: rows are stored for every row of every recalculation).
    bool CurrentGyouStartsWith(std::string_view row) const;
    // Replace the work row m_CurGyou[0] (padded to 1400 bytes) and mark the document modified.
    bool SetCurrentGyou(const std::string& row);

    // --- Changes, as the one-step undo sees them. The undo copy undoes one command: it stays
    // usable only while nothing but that command has changed the rows. What counts as a change:
    // a work row replaced (SetCurrentGyou, which the grid calls only for other bytes), a row
    // added, a group inserted or deleted, a row or the pool edited in place or rewritten, the
    // copy put back. What does not: a recalculation (a RecalcScope lives), whose stores are
    // amounts derived from the rows; loading and storing the work area.
    std::uint64_t ChangeCount() const { return m_ChangeCount; }
    // A change of something else the amounts are computed with (settings, labour prices).
    void NoteChange() {
        if (m_RecalcDepth == 0)
            ++m_ChangeCount;
    }
    // While one lives, the store's changes are a recalculation's and do not count.
    class RecalcScope {
    public:
        explicit RecalcScope(GyouStore& store) : m_Store(store) { ++m_Store.m_RecalcDepth; }
        ~RecalcScope() { --m_Store.m_RecalcDepth; }
        RecalcScope(const RecalcScope&) = delete;
        RecalcScope& operator=(const RecalcScope&) = delete;

    private:
        GyouStore& m_Store;
    };
    // While one lives, changes count even inside a recalculation: a dialog the recalculation
    // opened on a row lets the user change it.
    class UserEditScope {
    public:
        explicit UserEditScope(GyouStore& store) : m_Store(store), m_Depth(store.m_RecalcDepth) {
            m_Store.m_RecalcDepth = 0;
        }
        ~UserEditScope() { m_Store.m_RecalcDepth = m_Depth; }
        UserEditScope(const UserEditScope&) = delete;
        UserEditScope& operator=(const UserEditScope&) = delete;

    private:
        GyouStore& m_Store;
        int m_Depth;
    };
    bool InRecalc() const { return m_RecalcDepth > 0; }
    // A command that may take the undo copy, from its start to its end: a copy taken meanwhile
    // covers every change the command makes after taking it, and is sealed when the command
    // ends. `continues`: the command goes on with a copy taken before (the paste of the rows that
    // the command which took it collected), which it seals again at its end.
    class UndoCommandScope {
    public:
        explicit UndoCommandScope(GyouStore& store, bool continues = false)
            : m_Store(store), m_Copies(store.m_UndoCopies), m_Continues(continues) {}
        ~UndoCommandScope() {
            if (m_Store.m_UndoCopies != m_Copies || m_Continues)
                m_Store.SealUndo();
        }
        UndoCommandScope(const UndoCommandScope&) = delete;
        UndoCommandScope& operator=(const UndoCommandScope&) = delete;

    private:
        GyouStore& m_Store;
        std::uint64_t m_Copies;
        bool m_Continues;
    };

    // The undo copy of the pool rows. Taking it counts as the end of the changes it may undo;
    // the command that took it seals it again when it ends (SealUndo), so that its own later
    // changes (a move's deletion, the rows shifted, its paste) belong to it.
    void CopyGyouToUndo();
    void RestoreGyouFromUndo();
    void SealUndo() { m_UndoSealedAt = m_ChangeCount; }
    // Nothing has changed the rows since the copy was taken or last sealed.
    bool UndoUnchanged() const { return m_UndoCopies != 0 && m_UndoSealedAt == m_ChangeCount; }
    // The pool's slot count and the current group's row count, kept with the undo copy.
    void SaveUndoCounts() {
        m_UndoPoolGyouCount = m_PoolGyouCount;
        m_UndoGyouCount = m_GyouCount;
    }
    void RestoreUndoCounts() {
        m_PoolGyouCount = m_UndoPoolGyouCount;
        m_GyouCount = m_UndoGyouCount;
        m_GroupSlotsStale = true;
    }
    int UndoPoolGyouCount() const { return m_UndoPoolGyouCount; }
    int UndoGyouCount() const { return m_UndoGyouCount; }
    const std::string& UndoGyou(int slot) const { return m_UndoGyou[static_cast<std::size_t>(slot)]; }

    void ClearKoumokuGyou();  // all work rows empty
    void ClearGyou();         // all pool slots empty
    // A new document's start: one empty pool slot, every slot cleared, the position on row 1 of
    // group 1 (the caller then rebuilds its index and loads the group).
    void StartBlank();
    void ClearUndoGyou();     // all undo rows empty

    // Insert an empty group at the current group c: groups c.. move up one number with their
    // rows rekeyed, group c gets one new row. Refused with the limit message when koumokuMax
    // groups exist or the pool has no room for the new row; nothing changes then.
    bool InsertKoumoku();
    // Delete the current group: its rows become free rows, later groups move down one number;
    // the current group stays unless it is now beyond the last, then it is the last. Deleting
    // the only group leaves a fresh group 1.
    void DeleteKoumoku();
    // True when one more group with one row fits; otherwise shows the limit message.
    bool HasRoomForKoumoku();

    // The key of (m_CurKoumoku[0], m_CurGyou[0]) into bytes 0-7 of m_GyouBuildBuf.
    bool FormatGyouKey();
    void ClearGyouBuffer();   // m_GyouBuildBuf = 1400 blanks
    // The work row m_CurGyou[0] becomes `row` (padded to 1400 bytes) under the key of the
    // current position, as SetCurrentGyou.
    bool SetCurrentGyouKeyed(const std::string& row);
    // First row of an empty store (group 1, row 1) in pool slot 0.
    void CreateFirstGyou();
    // New row keyed (current group, m_CurGyou[0]) in work row 1.
    void NewKoumokuGyou();

    // The group number a row's key gives the index: below 1 (blank, no number, negative) is free.
    static int IndexEntryOf(const std::string& row);

    // --- The pool, slot by slot (0..PoolGyouCount()-1). These sit on the recalculation and
    // printing paths: inline, as cheap as indexing the vectors. Callers keep slots in range.
    int PoolGyouCount() const { return m_PoolGyouCount; }
    int PoolSlots() const { return static_cast<int>(m_Gyou.size()); }
    // A count put back from a snapshot, or 0 before a file's rows are appended.
    void SetPoolGyouCount(int count) {
        Changed();
        m_PoolGyouCount = count;
        m_GroupSlotsStale = true;
    }
    // The rows in use, in pool order.
    std::span<const std::string> PoolRows() const {
        return {m_Gyou.data(), static_cast<std::size_t>(m_PoolGyouCount)};
    }
    // Every slot, the ones beyond the count too (what they still hold).
    std::span<const std::string> AllPoolSlots() const { return m_Gyou; }
    const std::string& PoolGyou(int slot) const { return m_Gyou[static_cast<std::size_t>(slot)]; }
    // The row itself, for an edit that keeps its key (or rekeys it and then rebuilds the index).
    std::string& EditPoolGyou(int slot) {
        Changed();
        return m_Gyou[static_cast<std::size_t>(slot)];
    }
    void SetPoolGyou(int slot, std::string row) {
        Changed();
        m_Gyou[static_cast<std::size_t>(slot)] = std::move(row);
    }
    // The row moved out; the slot is left to be refilled.
    std::string TakePoolGyou(int slot) {
        Changed();
        return std::move(m_Gyou[static_cast<std::size_t>(slot)]);
    }
    // One more row read from a file at the end of the pool; false when the pool is full.
    bool AppendPoolGyou(std::string row) {
        if (m_PoolGyouCount >= PoolSlots())
            return false;
        Changed();
        m_Gyou[static_cast<std::size_t>(m_PoolGyouCount++)] = std::move(row);
        m_GroupSlotsStale = true;
        return true;
    }
    // The pool becomes `rows` (slots beyond them cleared of what they held); the caller rebuilds
    // the index.
    void ReplacePoolRows(std::vector<std::string>&& rows) {
        Changed();
        for (int j = 0; j < m_PoolGyouCount; ++j)
            m_Gyou[static_cast<std::size_t>(j)].clear();
        for (std::size_t j = 0; j < rows.size(); ++j)
            m_Gyou[j] = std::move(rows[j]);
        m_PoolGyouCount = static_cast<int>(rows.size());
        m_GroupSlotsStale = true;
    }

    // --- The slot index: the group of each pool slot (0 free).
    int KoumokuOfSlot(int slot) const { return m_GyouKoumokuNo[static_cast<std::size_t>(slot)]; }
    void SetKoumokuOfSlot(int slot, int group) {
        int& entry = m_GyouKoumokuNo[static_cast<std::size_t>(slot)];
        if (entry != group && slot < m_PoolGyouCount)
            m_GroupSlotsStale = true;
        entry = group;
    }
    // The pool slots of one group in pool order (its rows 1, 2, ...; group 0: the free slots).
    // Valid until the next change of the slot index or the pool count.
    std::span<const int> KoumokuSlots(int group) const;
    // The same, slot by slot: f(slot). f must not change the slot index or the pool count.
    template <class F>
    void ForEachKoumokuSlot(int group, F&& f) const {
        for (const int j : KoumokuSlots(group))
            f(j);
    }
    const std::vector<int>& GyouIndex() const { return m_GyouKoumokuNo; }
    void SetGyouIndex(const std::vector<int>& index) {
        Changed();
        m_GyouKoumokuNo = index;
        m_GroupSlotsStale = true;
    }

    // --- The work rows of the current group, row k from 1 (k <= kWorkSlots).
    const std::string& WorkGyouAt(int k) const { return m_KoumokuGyou[static_cast<std::size_t>(k - 1)]; }
    std::string& EditWorkGyou(int k) {
        Changed();
        NoteWorkGyouUsed(k);
        return m_KoumokuGyou[static_cast<std::size_t>(k - 1)];
    }
    // Work row `from` moved to place `to`, the rows between closing up (both from 1).
    void MoveWorkGyou(int from, int to) {
        Changed();
        NoteWorkGyouUsed(std::max(from, to));
        const auto at = [this](int k) { return m_KoumokuGyou.begin() + (k - 1); };
        if (from > to)
            std::rotate(at(to), at(from), at(from + 1));
        else if (from < to)
            std::rotate(at(from), at(from + 1), at(to + 1));
    }

    // --- The current position (element 0 of the position slots) and the counts, for the code
    // outside the grid views that walks the groups or puts the cursor back.
    int CurKoumoku() const { return m_CurKoumoku[0]; }
    void SetCurKoumoku(int group) { m_CurKoumoku[0] = group; }
    int CurGyou() const { return m_CurGyou[0]; }
    void SetCurGyou(int row) { m_CurGyou[0] = row; }
    int TopGyou() const { return m_TopGyou[0]; }
    void SetTopGyou(int rows) { m_TopGyou[0] = rows; }
    int ScreenGyou() const { return m_ScreenGyou[0]; }
    void SetScreenGyou(int row) { m_ScreenGyou[0] = row; }
    int KoumokuCount() const { return m_KoumokuCount; }
    void SetKoumokuCount(int count) { m_KoumokuCount = count; }
    int GyouCount() const { return m_GyouCount; }
    void SetGyouCount(int count) { m_GyouCount = count; }
    // The current position (group, cursor row, top row, screen row) into save slot `slot`
    // (1..kPositionSlots-1), and back.
    void SavePosition(int slot) {
        const auto k = static_cast<std::size_t>(slot);
        m_CurGyou[k] = m_CurGyou[0];
        m_TopGyou[k] = m_TopGyou[0];
        m_ScreenGyou[k] = m_ScreenGyou[0];
        m_CurKoumoku[k] = m_CurKoumoku[0];
    }
    void RestorePosition(int slot) {
        const auto k = static_cast<std::size_t>(slot);
        m_CurGyou[0] = m_CurGyou[k];
        m_TopGyou[0] = m_TopGyou[k];
        m_ScreenGyou[0] = m_ScreenGyou[k];
        m_CurKoumoku[0] = m_CurKoumoku[k];
    }

    // Editing position: element 0 current, elements 1.. the view's save slots.
    std::array<int, kPositionSlots> m_CurKoumoku{};  // group, from 1
    std::array<int, kPositionSlots> m_CurGyou{};     // cursor row within the group, from 1
    std::array<int, kPositionSlots> m_TopGyou{};     // rows above the first screen row
    std::array<int, kPositionSlots> m_ScreenGyou{};  // cursor's screen row, from 1
    int m_KoumokuCount = 0;                          // the highest group number in the pool
    int m_GyouCount = 0;                             // rows of the current group

protected:
    // A work row was replaced through SetCurrentGyou.
    virtual void OnGyouChanged() {}
    // First slot a new row can take, or -1 when the pool is full.
    int FindFreeSlot() const;
    // Key of every row of groups >= from rewritten to (group + delta, place in the group).
    void RekeyKoumokuFrom(int from, int delta);

    // A change of the rows (see ChangeCount).
    void Changed() {
        if (m_RecalcDepth == 0)
            ++m_ChangeCount;
    }

private:
    GyouStoreLimits m_Limits;
    std::uint64_t m_ChangeCount = 0;
    int m_RecalcDepth = 0;
    std::uint64_t m_UndoCopies = 0;
    std::uint64_t m_UndoSealedAt = 0;
    std::vector<int> m_GyouKoumokuNo;                // group of pool slot i (0 free)
    std::string m_GyouBuildBuf;                      // where new rows and keys are built
    std::vector<std::string> m_Gyou;                 // the row pool, slots 0..m_PoolGyouCount-1
    std::vector<std::string> m_KoumokuGyou;          // work rows: row k at element k-1
    // The work rows past this many have been empty since the work area was last cleared: a
    // group's load clears only those before (a group has far fewer rows than the work area).
    int m_WorkGyouUsed = 0;
    void NoteWorkGyouUsed(int k) { m_WorkGyouUsed = std::max(m_WorkGyouUsed, k); }
    std::vector<std::string> m_UndoGyou;             // undo copy of the pool
    int m_PoolGyouCount = 0;
    int m_UndoPoolGyouCount = 0;
    // The slots of each group number 0..kListedGroups-1 in pool order, so that loading, storing
    // and walking one group costs its rows rather than the whole pool. Rebuilt from the slot
    // index on first use after a change that the row-by-row updates (a slot taken by AddGyou,
    // freed by StoreKoumokuGyou) do not follow; a group number outside the range is found by
    // scanning the index.
    static constexpr int kListedGroups = 10000;  // a "%04d" key gives 0..9999
    mutable std::vector<std::vector<int>> m_GroupSlots;
    mutable std::vector<int> m_UnlistedSlots;
    mutable bool m_GroupSlotsStale = true;
    // Slot `slot` (in the pool, its index entry already `to`) moves from group list `from`.
    void MoveSlotInGroupSlots(int slot, int from, int to);
    int m_UndoGyouCount = 0;
};
