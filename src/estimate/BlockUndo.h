#pragma once
// The one-step block undo of the row commands. The snapshot itself lives in the document that took
// it (CKivDoc::SaveUndoSnapshot); which snapshot 元に戻す may use is program-wide: the newest one,
// named by the document's identity (never reused, unlike a path, which every untitled estimate
// shares) and a serial that every new snapshot increases.
#include <cstdint>

class CKivDoc;

extern int g_BlockUndoReady;   // a snapshot exists; 元に戻す uses it once
extern int g_BlockMove;        // 1: the rows 行複写 collected are moved (deleted by the snapshot)

struct BlockUndoOwner {
    std::uint64_t docId = 0;
    std::uint64_t serial = 0;
};
extern BlockUndoOwner g_BlockUndoOwner;

// The serial of a new snapshot: unique across every document kind (estimates and masters keep
// their own newest snapshot, each named by its document and this serial).
std::uint64_t NextBlockUndoSerial();

// Takes the snapshot of `doc` (pool, index, counts) and makes it the newest one; older snapshots,
// in this or another estimate, become unreachable. g_BlockUndoReady is the caller's to set.
void TakeBlockUndo(CKivDoc& doc);
// True when the snapshot 元に戻す would use is `doc`'s own and still the newest.
bool BlockUndoBelongsTo(const CKivDoc& doc);
// A closing estimate takes its snapshot with it.
void DiscardBlockUndoOf(const CKivDoc& doc);
