#include "estimate/BlockUndo.h"

#include "estimate/KivDoc.h"

int g_BlockUndoReady = 0;
int g_BlockMove = 0;
BlockUndoOwner g_BlockUndoOwner;

namespace {
std::uint64_t g_LastSerial = 0;
}

std::uint64_t NextBlockUndoSerial() { return ++g_LastSerial; }

void TakeBlockUndo(CKivDoc& doc) {
    doc.SaveUndoSnapshot();
    doc.m_UndoPath = doc.GetPathName();
    doc.m_UndoSerial = NextBlockUndoSerial();
    g_BlockUndoOwner = {doc.DocId(), doc.m_UndoSerial, &doc};
}

CKivDoc* BlockUndoDoc() {
    CKivDoc* doc = g_BlockUndoOwner.doc;
    if (g_BlockUndoReady != 1 || !doc || doc->DocId() != g_BlockUndoOwner.docId || doc->m_UndoSerial == 0 ||
        doc->m_UndoSerial != g_BlockUndoOwner.serial || !doc->UndoUnchanged())
        return nullptr;
    return doc;
}

bool BlockUndoBelongsTo(const CKivDoc& doc) { return BlockUndoDoc() == &doc; }

void DiscardBlockUndoOf(const CKivDoc& doc) {
    if (g_BlockUndoOwner.docId != doc.DocId())
        return;
    g_BlockUndoOwner = {};
    g_BlockUndoReady = 0;
    g_BlockMove = 0;
}
