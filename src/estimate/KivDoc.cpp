#include "estimate/KivDoc.h"

#include <algorithm>

#include "estimate/BlockUndo.h"
#include "estimate/KivMessage.h"
#include "grid/GyouRecord.h"
#include "platform/text/Number.h"
#include "platform/ui/View.h"

namespace {

const char* const kMsgPoolTruncated =
    "データ数が最大値を超えましたので途中までしか読み込みできませんでした。";

// Bytes of the master key (category and row) and where an estimate row keeps it.
constexpr std::size_t kKeyLength = 8;
constexpr std::size_t kMasterKeyPos = 302;


// The item number a row's key gives to the index: below 1 (blank, no number, negative) is free.
int indexEntryOf(const std::string& row) {
    return std::max(0, kiv::text::parseInt(std::string_view(row).substr(0, 4)));
}

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

CKivDoc::CKivDoc()
    : m_GyouBuildBuf(GyouRecord::blankRow()),
      m_Gyou(kPoolSlots),
      m_GyouBackup(kPoolSlots),
      m_KoumokuGyou(kWorkSlots),
      m_UndoGyou(kPoolSlots),
      m_KoumokuKeyText("0000"),
      m_GyouKeyText("0000"),
      m_KoumokuName(kKoumokuMax, " ") {
    onCommandId(57603, [this] { OnFileSave(); });     // 上書き保存
    onCommandId(57604, [this] { OnFileSaveAs(); });   // 名前を付けて保存
    static std::uint64_t lastDocId = 0;
    m_DocId = ++lastDocId;
    g_pKivDoc = this;
    m_PoolGyouCount = 1;
    ClearGyou();
    m_CurKoumoku[0] = 1;
    m_CurGyou[0] = 1;
    m_ScreenGyou[0] = 1;
    m_GyouCount = 1;
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
    ClearGyou();
    m_PoolGyouCount = 0;
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

// ---------------------------------------------------------------------------------------------
// Row store

void CKivDoc::RebuildGyouIndex() {
    m_KoumokuCount = 0;
    std::fill(m_GyouKoumokuNo.begin(), m_GyouKoumokuNo.begin() + kUndoIndexBase, 0);
    int n = std::clamp(m_PoolGyouCount, 0, kPoolSlots);
    if (n > kGyouMax) {
        n = kGyouMax;
        KivMessage(kMsgPoolTruncated);
    }
    m_PoolGyouCount = n;
    for (int i = 0; i < n; ++i) {
        const int entry = indexEntryOf(m_Gyou[i]);
        m_GyouKoumokuNo[i] = entry;
        m_KoumokuCount = std::max(m_KoumokuCount, entry);
    }
    if (m_KoumokuCount == 0) {
        // No item at all: a fresh row 1 of item 1 in slot 0, counted even when no row was kept.
        m_KoumokuCount = 1;
        m_GyouKoumokuNo[0] = 1;
        m_CurGyou[0] = 1;
        CreateFirstGyou();
        m_PoolGyouCount = std::max(m_PoolGyouCount, 1);
    }
}

bool CKivDoc::LoadKoumokuGyou() {
    m_CurKoumoku[0] = std::clamp(m_CurKoumoku[0], 1, kKoumokuMax);
    const int item = m_CurKoumoku[0];
    m_GyouCount = 0;
    m_CurGyou[0] = 1;
    ClearKoumokuGyou();
    for (int j = 0; j < m_PoolGyouCount && m_GyouCount < kWorkSlots; ++j)
        if (m_GyouKoumokuNo[j] == item)
            m_KoumokuGyou[m_GyouCount++] = m_Gyou[j];
    if (m_GyouCount > 0)
        return true;
    m_GyouCount = 1;
    m_CurGyou[0] = 1;
    NewKoumokuGyou();
    return AddGyou();
}

void CKivDoc::StoreKoumokuGyou() {
    const int item = m_CurKoumoku[0];
    if (item < 1)
        return;
    int k = 0;
    for (int j = 0; j < m_PoolGyouCount && k < kWorkSlots; ++j) {
        if (m_GyouKoumokuNo[j] != item)
            continue;
        std::string& slot = m_Gyou[j];
        slot = m_KoumokuGyou[k++];
        GyouRecord::padLength(slot);
        if (indexEntryOf(slot) == 0)
            m_GyouKoumokuNo[j] = 0;
    }
}

int CKivDoc::FindFreeSlot() const {
    const int used = std::min(m_PoolGyouCount, kGyouMax);
    for (int j = 0; j < used; ++j)
        if (m_GyouKoumokuNo[j] == 0)
            return j;
    return m_PoolGyouCount < kGyouMax ? m_PoolGyouCount : -1;
}

bool CKivDoc::AddGyou() {
    if (m_GyouCount >= kKoumokuGyouMax) {
        KivMessage(kMsgKoumokuFull);
        return false;
    }
    const int slot = FindFreeSlot();
    if (slot < 0) {
        KivMessage(kMsgPoolFull);
        return false;
    }
    m_GyouKoumokuNo[slot] = m_CurKoumoku[0];
    m_Gyou[slot].assign(GyouRecord::Length, ' ');
    if (slot == m_PoolGyouCount)
        ++m_PoolGyouCount;
    return true;
}

void CKivDoc::GetCurrentGyou(std::string& out) const {
    const int r = m_CurGyou[0];
    if (r >= 1 && r <= kWorkSlots)
        out = m_KoumokuGyou[r - 1];
    else
        out.clear();
    GyouRecord::padLength(out);
}

bool CKivDoc::SetCurrentGyou(const std::string& row) {
    const int r = m_CurGyou[0];
    if (r < 1 || r > kWorkSlots)
        return false;
    std::string& work = m_KoumokuGyou[r - 1];
    work = row;
    GyouRecord::padLength(work);
    SetModifiedFlag();
    return true;
}

void CKivDoc::CopyGyouToUndo() { m_UndoGyou = m_Gyou; }

void CKivDoc::RestoreGyouFromUndo() { m_Gyou = m_UndoGyou; }

void CKivDoc::SaveUndoSnapshot() {
    std::copy_n(m_GyouKoumokuNo.begin(), kUndoIndexBase, m_GyouKoumokuNo.begin() + kUndoIndexBase);
    m_UndoPoolGyouCount = m_PoolGyouCount;
    m_UndoGyouCount = m_GyouCount;
    CopyGyouToUndo();
}

void CKivDoc::RestoreUndoSnapshot() {
    std::copy_n(m_GyouKoumokuNo.begin() + kUndoIndexBase, kUndoIndexBase, m_GyouKoumokuNo.begin());
    m_PoolGyouCount = m_UndoPoolGyouCount;
    m_GyouCount = m_UndoGyouCount;
    RestoreGyouFromUndo();
    RebuildGyouIndex();
}

void CKivDoc::ClearKoumokuGyou() {
    for (auto& row : m_KoumokuGyou)
        row.clear();
}

void CKivDoc::ClearGyou() {
    for (auto& row : m_Gyou)
        row.clear();
}

void CKivDoc::ClearUndoGyou() {
    for (auto& row : m_UndoGyou)
        row.clear();
}

bool CKivDoc::HasRoomForKoumoku() {
    if (m_KoumokuCount >= kKoumokuMax || FindFreeSlot() < 0) {
        KivMessage(kMsgPoolFull);
        return false;
    }
    return true;
}

void CKivDoc::RekeyKoumokuFrom(int from, int delta) {
    // Rows of an item in pool order are its rows 1, 2, ...: each gets its place as row number.
    std::vector<int> place(static_cast<std::size_t>(kKoumokuMax) + 1, 0);
    for (int j = 0; j < m_PoolGyouCount; ++j) {
        const int item = m_GyouKoumokuNo[j];
        if (item < from || item > kKoumokuMax)
            continue;
        const int row = ++place[static_cast<std::size_t>(item)];
        GyouRecord::writeKey(m_Gyou[j], item + delta, row);
    }
}

bool CKivDoc::InsertKoumoku() {
    if (!HasRoomForKoumoku())
        return false;
    const int c = std::clamp(m_CurKoumoku[0], 1, kKoumokuMax);
    RekeyKoumokuFrom(c, +1);
    RebuildGyouIndex();
    m_CurKoumoku[0] = c;
    LoadKoumokuGyou();
    StoreKoumokuGyou();
    return true;
}

void CKivDoc::DeleteKoumoku() {
    const int c = std::clamp(m_CurKoumoku[0], 1, kKoumokuMax);
    for (int j = 0; j < m_PoolGyouCount; ++j)
        if (m_GyouKoumokuNo[j] == c) {
            m_Gyou[j].assign(GyouRecord::Length, ' ');
            m_GyouKoumokuNo[j] = 0;
        }
    RekeyKoumokuFrom(c + 1, -1);
    RebuildGyouIndex();
    m_CurKoumoku[0] = std::min(c, m_KoumokuCount);
    LoadKoumokuGyou();
}

bool CKivDoc::FormatGyouKey() {
    const int item = m_CurKoumoku[0];
    const int row = m_CurGyou[0];
    GyouRecord::padLength(m_GyouBuildBuf);
    if (!GyouRecord::writeKey(m_GyouBuildBuf, item, row))
        return false;
    m_KoumokuKeyText = m_GyouBuildBuf.substr(0, 4);
    m_GyouKeyText = m_GyouBuildBuf.substr(4, 4);
    return true;
}

void CKivDoc::ClearGyouBuffer() { m_GyouBuildBuf.assign(GyouRecord::Length, ' '); }

void CKivDoc::CreateFirstGyou() {
    // Always item 1: the index counts this row as item 1 whatever item was current.
    ClearGyouBuffer();
    GyouRecord::writeKey(m_GyouBuildBuf, 1, 1);
    m_GyouBuildBuf.replace(kHokyuuPos, GyouRecord::DefaultHokyuu.size(), GyouRecord::DefaultHokyuu);
    m_Gyou[0] = m_GyouBuildBuf;
}

void CKivDoc::NewKoumokuGyou() {
    ClearGyouBuffer();
    FormatGyouKey();
    m_GyouBuildBuf.replace(kHokyuuPos, GyouRecord::DefaultHokyuu.size(), GyouRecord::DefaultHokyuu);
    m_KoumokuGyou[0] = m_GyouBuildBuf;
}

bool CKivDoc::ReceiveMasterGyou() {
    // A master row of another length is made a full row first, so the key fits at 302-309.
    GyouRecord::fitLength(m_TensouGyou);
    m_TensouGyou.replace(kMasterKeyPos, kKeyLength, m_TensouGyou, 0, kKeyLength);
    if (!m_pView || !m_pView->InsertGyou())
        return false;
    ClearGyouBuffer();
    m_GyouBuildBuf = m_TensouGyou;
    FormatGyouKey();
    SetCurrentGyou(m_GyouBuildBuf);
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
