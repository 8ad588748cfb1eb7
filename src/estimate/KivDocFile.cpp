// The estimate document's file: opening (free rows dropped, old row layouts converted on
// request), Save, Save As, the backup, and the old electrical conversion command's document side.
#include "estimate/KivDoc.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <system_error>

#include "estimate/GyouRecord.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/ReferenceFile.h"
#include "platform/files/Files.h"
#include "platform/text/Number.h"

namespace {

namespace fs = std::filesystem;

const char* const kAskSetubi = "旧Kivの内訳書の書式のためKiv用に変換します。";
const char* const kAskDenki = "電気Kivの内訳書の書式のためKiv用に変換します。";
const char* const kAskDenkiCommand = "電気Kivの内訳書をKiv用に変換します。";
const char* const kAskIrreversible = "実行すると元には戻りません。";
// Asked before the first save over a file that was opened only in part (rows beyond the limit
// left behind, or data after the last row that could not be read).
const char* const kAskOverwritePartlyRead =
    "この内訳書はファイルの一部しか読み込まれていません。"
    "上書きすると読み込まれなかった部分は失われます。上書き保存しますか？";

// 30000 rows of 1400 bytes take about 42 MB; a file far beyond that is not an estimate.
constexpr std::size_t kMaxKivFileBytes = 128u * 1024 * 1024;

std::string openFailedMessage(const std::string& path, const std::string& reason) {
    return "「" + path + "」を開けません。" + reason;
}

// The item number a row is kept under; a row without one (0, blank, negative) is a free row.
int itemOf(std::string_view row) { return kiv::text::parseInt(row.substr(0, 4)); }


} // namespace

std::function<void(CKivDoc&)> CKivDoc::s_BackupWriter;

// ---------------------------------------------------------------------------------------------
// Opening

bool CKivDoc::OnOpenDocument(const std::string& path) {
    std::string error;
    auto bytes = kiv::files::readFile(path, kMaxKivFileBytes, &error);
    if (!bytes) {
        KivMessage(openFailedMessage(path, "ファイルを読み込めません。"));
        return false;
    }
    KivFileContent content;
    try {
        content = ReadKivFile(*bytes);
    } catch (const KivFileError& e) {
        KivMessage(openFailedMessage(path, e.what()));
        return false;
    }
    bytes.reset();
    m_PathName = path;
    // What lies after the last row is said before anything is asked about the rows read.
    const bool partlyRead = content.partlyRead();
    if (partlyRead)
        KivMessage(KivPartlyReadMessage(path));
    m_KeisanConverted = false;
    const bool truncated = LoadKivContent(content);
    m_TruncatedSource = truncated || partlyRead ? path : std::string();
    m_Loaded = true;
    // The recalculation after loading changes nothing worth saving; a style conversion does.
    SetModifiedFlag(m_KeisanConverted);
    return true;
}

bool CKivDoc::LoadKivContent(const KivFileContent& content) {
    NoteRowsRewritten();
    ClearGyou();
    std::copy(content.hyousi.begin(), content.hyousi.end(), m_HyousiData.begin());
    SetPoolGyouCount(0);
    for (const std::string& row : content.rows) {
        if (PoolGyouCount() >= kPoolSlots)
            break;
        if (itemOf(row) > 0)
            AppendPoolGyou(row);
    }

    // The first kept row tells the layout. A file that kept no row counts as a one-character
    // first row, which no layout has: the old electrical questions are asked, and converting
    // nothing changes nothing.
    const std::size_t length = PoolGyouCount() > 0 ? PoolGyou(0).size() : 1;
    if (length == kKivSetubiRowLength) {
        if (KivAsk(kAskSetubi) && KivAsk(kAskIrreversible))
            ConvertSetubiGyou();
    } else if (length != kKivRowLength) {
        if (KivAsk(kAskDenki) && KivAsk(kAskIrreversible))
            ConvertDenkiGyou();
    }
    // Every reader of a row counts on its 1400 bytes: declined conversions and stray short rows
    // are padded with blanks (nothing moves, nothing is cut).
    for (int i = 0; i < PoolGyouCount(); ++i)
        GyouRecord::padLength(EditPoolGyou(i));

    const bool truncated = PoolGyouCount() > kGyouMax;
    RebuildGyouIndex();
    m_CurKoumoku[0] = 1;
    m_TopGyou[0] = 0;
    m_ScreenGyou[0] = 1;
    LoadKoumokuGyou();
    if (m_pView) {
        m_pView->ReloadGyou();
        m_pView->CheckKeisanModeAfterLoad();
    }
    UpdateAllViews();
    return truncated;
}

void CKivDoc::ConvertSetubiGyou() {
    NoteRowsRewritten();
    for (int i = 0; i < PoolGyouCount(); ++i) {
        std::string& row = EditPoolGyou(i);
        row = ConvertSetubiRow(row);
    }
}

void CKivDoc::ConvertDenkiGyou() {
    NoteRowsRewritten();
    for (int i = 0; i < PoolGyouCount(); ++i) {
        std::string& row = EditPoolGyou(i);
        row = ConvertDenkiRow(row);
    }
}

KivDenkiHenkan CKivDoc::OldDenkiHenkan() {
    if (!KivAsk(kAskDenkiCommand))
        return KivDenkiHenkan::Cancelled;
    if (!KivAsk(kAskIrreversible))
        return KivDenkiHenkan::Closing;
    StoreKoumokuGyou();
    const int cursor = m_CurGyou[0];
    ConvertDenkiGyou();
    LoadKoumokuGyou();
    m_CurGyou[0] = std::clamp(cursor, 1, std::max(1, m_GyouCount));
    // Every row changed: closing without saving must offer to keep the conversion.
    SetModifiedFlag();
    if (m_pView)
        m_pView->ReloadGyou();
    UpdateAllViews();
    return KivDenkiHenkan::Converted;
}

// ---------------------------------------------------------------------------------------------
// Writing

std::string CKivDoc::SerializeKivFile() const {
    // The current item's rows are taken from the work area, as storing it would put them, so a
    // backup taken between two edits holds the latest rows without touching the pool.
    const int item = m_CurKoumoku[0];
    std::deque<std::string> padded;   // stable copies of work rows shorter than a row
    std::vector<std::string_view> rows;
    rows.reserve(static_cast<std::size_t>(PoolGyouCount()));
    int k = 0;
    for (int j = 0; j < PoolGyouCount(); ++j) {
        if (item >= 1 && KoumokuOfSlot(j) == item && k < kWorkSlots) {
            const std::string& work = WorkGyouAt(++k);
            if (work.size() < static_cast<std::size_t>(GyouRecord::Length)) {
                padded.push_back(work);
                GyouRecord::padLength(padded.back());
                rows.push_back(padded.back());
            } else {
                rows.push_back(work);
            }
        } else {
            rows.push_back(PoolGyou(j));
        }
    }
    return WriteKivFile(m_HyousiData, std::span<const std::string_view>(rows));
}

bool CKivDoc::ReadInPartAndNotYetOverwritten() const {
    return !m_TruncatedSource.empty() && kiv::files::samePath(m_PathName, m_TruncatedSource);
}

bool CKivDoc::OnSaveDocument(const std::string& path) {
    const bool overTruncated = !m_TruncatedSource.empty() && kiv::files::samePath(path, m_TruncatedSource);
    // Return must not lose the unread part: ｷｬﾝｾﾙ is the default.
    if (overTruncated && !KivAsk(kAskOverwritePartlyRead, KivAskDefault::Cancel))
        return false;
    // Digits typed into a cell reach the row only when the cursor leaves it: they are kept, and
    // the file carries the amounts they make.
    if (m_pView)
        m_pView->PrepareSave();
    StoreKoumokuGyou();
    std::string error;
    if (!kiv::files::writeFileAtomically(path, SerializeKivFile(), &error)) {
        KivMessage(kiv::files::cannotCreateMessage(error));
        return false;
    }
    if (overTruncated)
        m_TruncatedSource.clear();
    return true;
}

bool CKivDoc::OnFileSave() {
    if (m_PathName.empty())
        return OnFileSaveAs();
    if (!OnSaveDocument(m_PathName))
        return false;
    SetModifiedFlag(false);
    return true;
}

bool CKivDoc::OnFileSaveAs() {
    KivSaveFileRequest request;
    const std::string ext = fileExtension();
    request.defaultExtension = ext;
    request.filter = ext + "(*." + ext + ")|*." + ext + "|全て(*.*)|*.*|";
    request.proposedName = m_PathName;
    auto chosen = KivChooseSaveFile(request);
    if (!chosen || chosen->empty())
        return false;
    if (!OnSaveDocument(*chosen))
        return false;
    SetPathName(*chosen);
    SetModifiedFlag(false);
    return true;
}

void CKivDoc::SaveBkUp() {
    if (m_pView)
        m_pView->StoreRowBuffer();
    if (s_BackupWriter) {
        s_BackupWriter(*this);
        return;
    }
    m_PathText = KivBackupPath(m_PathName, m_Mode == "2" ? '2' : '1');
    // Until the file that was read only in part has been overwritten, its backup may be the one
    // complete copy of it: an existing backup is kept, and only a missing one is written.
    std::error_code ec;
    if (ReadInPartAndNotYetOverwritten() && fs::exists(m_PathText, ec))
        return;
    bool written = false;
    std::string error;
    try {
        written = kiv::files::writeFileAtomically(m_PathText, SerializeKivFile(), &error);
    } catch (const std::exception&) {
        // Out of memory while building the bytes: a backup must never stop the estimate closing.
    }
    if (!written && !m_BackupFailureShown) {
        // The timer retries every ten minutes: one message is enough.
        m_BackupFailureShown = true;
        KivMessage(kiv::files::cannotCreateMessage(error));
    }
}
