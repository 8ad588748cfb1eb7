#pragma once
// The masters' row-command state, kept apart from the estimates': the one-step undo of the last
// row command (the snapshot lives in the master that took it, named here by the master and a
// serial) and the flag of 単価変換、削除 that blocks the one-cell paste. The rows a master's
// 行複写, 単価ｺﾋﾟｰ or CSV import collect go into g_MstRowClipboard (grid/RowClipboard.h), one for
// the program, so rows copied in one master paste into another.
#include <cstdint>

class MstDoc;

extern int g_MstBlockUndoReady;   // a snapshot exists; 元に戻す uses it once
extern int g_MstBlockMove;        // 1: the rows of the last 行複写 are moved (deleted by the snapshot)
extern int g_MstTankaHenkanBusy;  // 1 while 単価変換、削除 waits: 貼り付け pastes nothing

// Takes the snapshot of `doc` (lines, index, counts, path) and makes it the newest one: an older
// snapshot, in this or another master, is no longer reachable. g_MstBlockUndoReady is the
// caller's to set.
void TakeMstBlockUndo(MstDoc& doc);
// The master whose snapshot 元に戻す would use: the newest snapshot, not used yet, its master
// unchanged since the command that took it ended (GyouStore::ChangeCount). Null when none.
const MstDoc* MstBlockUndoDoc();
// True when that snapshot is `doc`'s own.
bool MstBlockUndoBelongsTo(const MstDoc& doc);
// Back to `doc`'s snapshot, index rebuilt; the view then restores its position.
void RestoreMstBlockUndo(MstDoc& doc);
