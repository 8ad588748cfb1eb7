#include "estimate/KivDoc.h"

#include <algorithm>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"
#include "platform/ui/View.h"

namespace {

const char* const kMsgPoolTruncated =
    "データ数が最大値を超えましたので途中までしか読み込みできませんでした。";

// Bytes of the master key (category and row) and where an estimate row keeps it.
constexpr std::size_t kKeyLength = 8;
constexpr std::size_t kMasterKeyPos = 302;



} // namespace

const char* const CKivDoc::kMsgPoolFull = "データ数が最大値を超えました。これ以上は入力できません。";
const char* const CKivDoc::kMsgKoumokuFull = "１項目の行数が最大値を超えました。これ以上は入力できません。";

CKivDoc* g_pKivDoc = nullptr;
OpenKivDocTable g_OpenKivDocs;

// ---------------------------------------------------------------------------------------------
// Open estimates

int OpenKivDocTable::Take(CKivDoc* doc) {
    for (int s = 0; s < Size; ++s)
        if (!Slot[s]) {
            Slot[s] = doc;
            return s;
        }
    return -1;
}

void OpenKivDocTable::Release(int slot) {
    if (slot >= 0 && slot < Size)
        Slot[slot] = nullptr;
}

CKivDoc* OpenKivDocTable::Successor(int slot) const {
    for (int s = slot + 1; s < Size; ++s)
        if (Slot[s])
            return Slot[s];
    for (int s = std::min(slot, Size) - 1; s >= 0; --s)
        if (Slot[s])
            return Slot[s];
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

namespace {

GyouStoreLimits kivLimits() {
    GyouStoreLimits limits;
    limits.poolSlots = CKivDoc::kPoolSlots;
    limits.indexSize = CKivDoc::kIndexSize;
    limits.gyouMax = CKivDoc::kGyouMax;
    limits.koumokuGyouMax = CKivDoc::kKoumokuGyouMax;
    limits.koumokuMax = CKivDoc::kKoumokuMax;
    limits.poolTruncatedMessage = kMsgPoolTruncated;
    limits.poolFullMessage = CKivDoc::kMsgPoolFull;
    limits.koumokuFullMessage = CKivDoc::kMsgKoumokuFull;
    return limits;
}

} // namespace

CKivDoc::CKivDoc()
    : GyouStore(kivLimits()),
      m_GyouBackup(kPoolSlots),
      m_KoumokuName(kKoumokuMax, " ") {
    onCommandId(kiv::ui::cmd::FileSave, [this] { OnFileSave(); });     // 上書き保存
    onCommandId(kiv::ui::cmd::FileSaveAs, [this] { OnFileSaveAs(); });   // 名前を付けて保存
    static std::uint64_t lastDocId = 0;
    m_DocId = ++lastDocId;
    g_pKivDoc = this;
    StartBlank();
    RebuildGyouIndex();
    LoadKoumokuGyou();
    LoadReferenceRecords();
}

CKivDoc::~CKivDoc() {
    DiscardBlockUndoOf(*this);
    // A document deleted without being closed (a failed open) must not stay current or registered.
    if (!m_Closed)
        LeaveOpenDocs();
}

void CKivDoc::LeaveOpenDocs() {
    if (g_pKivDoc == this) {
        CKivDoc* next = g_OpenKivDocs.Successor(m_OpenSlot);
        g_pKivDoc = next == this ? nullptr : next;
    }
    if (m_OpenSlot >= 0 && g_OpenKivDocs.Slot[m_OpenSlot] == this)
        g_OpenKivDocs.Release(m_OpenSlot);
    m_OpenSlot = -1;
}

bool CKivDoc::OnNewDocument() {
    kiv::ui::Document::onNewDocument();   // no path, not modified
    m_PathName.clear();
    m_TruncatedSource.clear();
    m_Loaded = true;
    g_pKivDoc = this;
    NoteRowsRewritten();
    ClearGyou();
    SetPoolGyouCount(0);
    m_CurKoumoku[0] = 1;
    RebuildGyouIndex();
    LoadKoumokuGyou();
    if (m_pView)
        m_pView->ReloadGyou();
    return true;
}

void CKivDoc::OnCloseDocument() {
    if (m_Closed)
        return;
    SaveBkUp();
    DiscardBlockUndoOf(*this);
    LeaveOpenDocs();
    m_Closed = true;
}

void CKivDoc::UpdateAllViews() {
    if (m_pView)
        m_pView->OnDocumentUpdate();
    updateAllViews(dynamic_cast<kiv::ui::View*>(m_pView));
}

bool CKivDoc::LoadKoumokuGyou() {
    if (m_EditCount != m_StoredEditCount)
        NoteRowsRewritten();
    const bool loaded = GyouStore::LoadKoumokuGyou();
    m_StoredEditCount = m_EditCount;
    return loaded;
}

void CKivDoc::StoreKoumokuGyou() {
    GyouStore::StoreKoumokuGyou();
    m_StoredEditCount = m_EditCount;
}

void CKivDoc::ClearGyou() {
    NoteRowsRewritten();
    GyouStore::ClearGyou();
}

void CKivDoc::RebuildGyouIndex() {
    NoteRowsRewritten();
    GyouStore::RebuildGyouIndex();
}

// ---------------------------------------------------------------------------------------------
// Undo snapshot

void CKivDoc::SaveUndoSnapshot() {
    for (int j = 0; j < kUndoIndexBase; ++j)
        SetKoumokuOfSlot(kUndoIndexBase + j, KoumokuOfSlot(j));
    SaveUndoCounts();
    CopyGyouToUndo();
}

void CKivDoc::RestoreUndoSnapshot() {
    NoteRowsRewritten();
    for (int j = 0; j < kUndoIndexBase; ++j)
        SetKoumokuOfSlot(j, KoumokuOfSlot(kUndoIndexBase + j));
    RestoreUndoCounts();
    RestoreGyouFromUndo();
    RebuildGyouIndex();
}

bool CKivDoc::ReceiveMasterGyou() {
    // A master row of another length is made a full row first, so the key fits at 302-309.
    GyouRecord::fitLength(m_TensouGyou);
    m_TensouGyou.replace(kMasterKeyPos, kKeyLength, m_TensouGyou, 0, kKeyLength);
    if (!m_pView || !m_pView->InsertGyou())
        return false;
    SetCurrentGyouKeyed(m_TensouGyou);
    StoreKoumokuGyou();
    UpdateAllViews();
    return true;
}

void CKivDoc::ReceiveBubunTensou() {
    MakeCurrent();
    GyouRecord::fitLength(m_TensouGyou);
    m_TensouGyou.replace(kMasterKeyPos, kKeyLength, m_TensouGyou, 0, kKeyLength);
    if (m_pView)
        m_pView->ApplyBubunTensou();
    UpdateAllViews();
}

const std::string& CKivDoc::GetKoumokuLabel() {
    m_RecordBuf.clear();
    if (m_LabelKoumoku < 0 || m_LabelKoumoku >= static_cast<int>(m_KoumokuName.size()))
        return m_RecordBuf;
    const std::string& title = m_KoumokuName[static_cast<std::size_t>(m_LabelKoumoku)];
    if (m_LabelStart < 0 || static_cast<std::size_t>(m_LabelStart) >= title.size())
        return m_RecordBuf;
    const int length = std::clamp(m_LabelLength, 0, kLabelMax);
    m_RecordBuf = title.substr(static_cast<std::size_t>(m_LabelStart), static_cast<std::size_t>(length));
    return m_RecordBuf;
}
