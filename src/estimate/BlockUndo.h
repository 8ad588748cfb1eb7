#pragma once
// The one-step block undo of the row commands. The snapshot itself lives in the document that took
// it (CKivDoc::SaveUndoSnapshot); which snapshot 元に戻す may use is program-wide: the newest one,
// named by the document's identity (never reused, unlike a path, which every untitled estimate
// shares) and a serial that every new snapshot increases.
//
// A snapshot undoes its command and nothing else: it is usable only while nothing but that
// command has changed its estimate (GyouStore::ChangeCount: a committed cell, a transfer, an item
// command, a paste of another kind, any command without a snapshot of its own; never a
// recalculation, nor a change of another estimate). The command seals it when it ends, a paste of
// the rows it collected when the paste ends (GyouStore::UndoCommandScope).
#include <cstdint>

class CKivDoc;

extern int g_BlockUndoReady;   // a snapshot was taken and not yet used (see BlockUndoDoc)
extern int g_BlockMove;        // 1: the rows 行複写 collected are moved (deleted by the snapshot)

struct BlockUndoOwner {
    std::uint64_t docId = 0;
    std::uint64_t serial = 0;
    CKivDoc* doc = nullptr;   // cleared when the estimate closes
};
extern BlockUndoOwner g_BlockUndoOwner;

// The serial of a new snapshot: unique across every document kind (estimates and masters keep
// their own newest snapshot, each named by its document and this serial).
std::uint64_t NextBlockUndoSerial();

// Takes the snapshot of `doc` (pool, index, counts) and makes it the newest one; older snapshots,
// in this or another estimate, become unreachable. g_BlockUndoReady is the caller's to set.
void TakeBlockUndo(CKivDoc& doc);
// The estimate whose snapshot 元に戻す would use: the newest snapshot, not used yet, its estimate
// unchanged since its command ended. Null when there is none (元に戻す then acts on the cell).
CKivDoc* BlockUndoDoc();
// True when that snapshot is `doc`'s own.
bool BlockUndoBelongsTo(const CKivDoc& doc);
// A closing estimate takes its snapshot with it.
void DiscardBlockUndoOf(const CKivDoc& doc);
