#include "master/MstDoc.h"

#include <algorithm>
#include <deque>
#include <span>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/MstFile.h"
#include "estimate/RecalcSeams.h"
#include "estimate/ReferenceFile.h"
#include "estimate/ReferenceRecords.h"
#include "grid/KivView.h"
#include "master/MstView.h"
#include "platform/files/Files.h"
#include "platform/ui/Keys.h"

namespace {

const char* const kAskSetubi = "旧Kivのマスター書式のためKiv用に変換します。名前を付けて保存してください。";
const char* const kAskDenki = "旧電気Kivのマスター書式のためKiv用に変換します。名前を付けて保存してください。";
const char* const kAskIrreversible = "実行すると元には戻りません。";

// 30,000 lines of 1400 bytes take about 42 MB; a file far beyond that is not a master.
constexpr std::size_t kMaxMstFileBytes = 128u * 1024 * 1024;

std::vector<MstDoc*>& openDocs() {
    static std::vector<MstDoc*> docs;
    return docs;
}

GyouStoreLimits mstLimits() {
    GyouStoreLimits limits;
    limits.poolSlots = MstDoc::kGyouMax;
    limits.indexSize = MstDoc::kGyouMax;
    limits.gyouMax = MstDoc::kGyouMax;
    limits.koumokuGyouMax = MstDoc::kBunGyouMax;
    limits.koumokuMax = MstDoc::kBunMax;
    limits.poolTruncatedMessage = MstDoc::kMsgPoolTruncated;
    limits.poolFullMessage = MstDoc::kMsgPoolFull;
    limits.koumokuFullMessage = MstDoc::kMsgBunFull;
    return limits;
}

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char a = s[s.size() - tail.size() + i];
        const char b = tail[i];
        if (std::toupper(static_cast<unsigned char>(a)) != std::toupper(static_cast<unsigned char>(b)))
            return false;
    }
    return true;
}

} // namespace

MstDoc* g_pMstDoc = nullptr;

void ConnectMasterSeams() {
    recalcSeams().masterRoumu = []() -> const RoumuList* { return g_pMstDoc ? &g_pMstDoc->m_Roumu : nullptr; };
    recalcSeams().recalcAllGyou = [] {
        // The current master's own view; a master without a grid has nothing to recalculate.
        if (g_pMstDoc && g_pMstDoc->GetView())
            g_pMstDoc->GetView()->RecalcAllGyou();
    };
    recalcSeams().masterLines = []() -> std::optional<std::span<const std::string>> {
        if (!g_pMstDoc)
            return std::nullopt;
        // The pool holds the rows in file order; slots past the count are free.
        return g_pMstDoc->PoolRows();
    };
}

const char* const MstDoc::kMsgPoolFull = "データ数が最大値を超えました。これ以上は入力できません。";
const char* const MstDoc::kMsgBunFull = "１分類の行数が最大値を超えました。これ以上は入力できません。";
const char* const MstDoc::kAskOverwritePartlyRead =
    "このマスターはファイルの一部しか読み込まれていません。"
    "上書きすると読み込まれなかった部分は失われます。上書き保存しますか？";
const char* const MstDoc::kMsgPoolTruncated =
    "データ数が最大値を超えましたので途中までしか読み込みできませんでした。";

MstDoc::MstDoc()
    : GyouStore(mstLimits()),
      m_UndoGyouKoumokuNo(static_cast<std::size_t>(kGyouMax), 0),
      m_KoumokuName(kTitleListSize, " "),
      m_BunSelectList(kTitleListSize, " ") {
    onCommandId(kiv::ui::cmd::FileSaveAs, [this] { OnFileSaveAs(); });   // 名前を付けて保存
    g_pMstDoc = this;
    openDocs().push_back(this);
    StartBlank();
    RebuildGyouIndex();
    LoadKoumokuGyou();

    m_Mode = CKivDoc::RunMode();
    m_ExeDir = CKivDoc::ProgramDirectory();
    // The labour prices and the settings are read each on its own: a missing settings file leaves
    // a blank record whose codes match no row.
    ReferenceRecords r = loadRoumuSetteiRecords(m_Mode, m_ExeDir);
    m_RoumuPath = std::move(r.roumuPath);
    m_SetteiPath = std::move(r.setteiPath);
    m_Roumu = std::move(r.roumu);
    m_Settei = r.settei;
    m_RoumuRead = r.roumuRead;
    m_SetteiRead = r.setteiRead;
    ParseSettei();
    for (const auto& m : r.messages)
        KivMessage(m);
}

MstDoc::~MstDoc() {
    if (m_pView)
        m_pView->ForgetDocument(this);
    if (!m_Closed)
        LeaveOpenDocs();
}

void MstDoc::LeaveOpenDocs() {
    std::erase(openDocs(), this);
    if (g_pMstDoc == this) {
        g_pMstDoc = openDocs().empty() ? nullptr : openDocs().back();
        g_pMstView = g_pMstDoc ? g_pMstDoc->GetView() : nullptr;
    }
}

void MstDoc::MakeCurrent() {
    g_pMstDoc = this;
    g_pMstView = m_pView;
}

void MstDoc::SetView(CMstView* view) {
    m_pView = view;
    if (g_pMstDoc == this)
        g_pMstView = view;
}

void FocusCurrentEstimate() {
    // Only a view of the current estimate takes the focus, never one of another estimate.
    if (!g_pKivDoc)
        return;
    if (auto* view = dynamic_cast<CKivView*>(g_pKivDoc->GetView())) {
        g_KivTransferFocus = true;
        view->setFocus();
        g_KivTransferFocus = false;
    }
}

void MstDoc::TensouGyou() {
    if (!g_pKivDoc)
        return;
    // The estimate's view is active before it inserts.
    FocusCurrentEstimate();
    std::string row;
    GetCurrentGyou(row);
    g_pKivDoc->SetTensouGyou(std::move(row));
    g_pKivDoc->ReceiveMasterGyou();
}

void MstDoc::BubunTensouGyou() {
    if (!g_pKivDoc)
        return;
    std::string row;
    GetCurrentGyou(row);
    g_pKivDoc->SetTensouGyou(std::move(row));
    g_pKivDoc->ReceiveBubunTensou();
}

void MstDoc::ParseSettei() {
    m_SetteiValues = ::ParseSettei(m_Settei);
    // The master reads the first 26 codes only.
    for (std::size_t k = 26; k < m_SetteiValues.codes.size(); ++k)
        m_SetteiValues.codes[k] = 0;
}

const char* MstDoc::Extension(const std::string& mode) { return mode == "2" ? "MMS" : "MST"; }

void MstDoc::UpdateAllViews() {
    if (m_pView)
        m_pView->OnDocumentUpdate();
    updateAllViews(m_pView);
}

void MstDoc::onCloseDocument() {
    // The view writes the path to the profile when its window goes, which may be after it has
    // left the document.
    if (m_pView)
        m_pView->m_DocPath = GetPathName();
    if (!m_Closed) {
        m_Closed = true;
        LeaveOpenDocs();
    }
    kiv::ui::Document::onCloseDocument();
}

// ---------------------------------------------------------------------------------------------
// Opening

bool MstDoc::onOpenDocument(const std::filesystem::path& path) { return OnOpenDocument(path.string()); }

bool MstDoc::OnOpenDocument(const std::string& path) {
    std::optional<MstFileContent> read;
    try {
        read = ReadMstFile(std::filesystem::path(path), kMaxMstFileBytes);
    } catch (const MstFileError& e) {
        KivMessage("マスターファイル「" + path + "」を開けません。" + e.what());
        return false;
    }
    if (!read) {
        KivMessage("マスターファイル「" + path + "」を開けません。ファイルを読み込めません。");
        return false;
    }
    MstFileContent& content = *read;
    setPathName(path);
    if (content.unreadBytes > 0 || content.damagedRows > 0)
        KivMessage(KivPartlyReadMessage(path));
    if (content.truncated)
        KivMessage("「" + path + "」\n" + kMsgPoolTruncated);
    m_PartlyReadSource = content.partlyRead() ? path : std::string();
    LoadMstContent(content);
    SetModifiedFlag(false);
    return true;
}

void MstDoc::LoadMstContent(MstFileContent& content) {
    ClearGyou();
    SetPoolGyouCount(0);
    for (std::string& row : content.rows)
        if (PoolGyouCount() >= kGyouMax || !AppendPoolGyou(std::move(row)))
            break;
    content.rows.clear();
    // The first kept line tells the layout, by its length as read. A file that kept no line
    // counts as a one-character first line: the old electrical questions are asked, and
    // converting nothing changes nothing.
    const std::size_t length = PoolGyouCount() > 0 ? PoolGyou(0).size() : 1;
    if (length == kMstSetubiRowLength) {
        if (KivAsk(kAskSetubi) && KivAsk(kAskIrreversible))
            ConvertSetubiGyou();
    } else if (length == kMstRowLength) {
        NormalizeGyouColumns();
    } else {
        if (KivAsk(kAskDenki) && KivAsk(kAskIrreversible))
            ConvertDenkiGyou();
    }
    // Every reader of a line counts on its 1400 bytes: declined conversions and stray short
    // lines are padded with blanks (nothing moves, nothing is cut).
    for (int i = 0; i < PoolGyouCount(); ++i)
        GyouRecord::padLength(EditPoolGyou(i));
    RebuildGyouIndex();
    m_CurKoumoku[0] = 1;
    m_TopGyou[0] = 0;
    m_ScreenGyou[0] = 1;
    LoadKoumokuGyou();
    if (m_pView) {
        m_pView->CallLoadGyou();
        // The first row is shown priced by the master's own labour list and settings.
        m_pView->CallRecalcGyou();
    }
    UpdateAllViews();
}

void MstDoc::ConvertSetubiGyou() {
    for (int i = 0; i < PoolGyouCount(); ++i) {
        std::string& row = EditPoolGyou(i);
        row = ConvertSetubiRow(row);
    }
}

void MstDoc::ConvertDenkiGyou() {
    for (int i = 0; i < PoolGyouCount(); ++i) {
        std::string& row = EditPoolGyou(i);
        row = ConvertDenkiRow(row);
    }
}

void MstDoc::NormalizeGyouColumns() {
    for (int i = 0; i < PoolGyouCount(); ++i)
        NormalizeMstRow(EditPoolGyou(i));
}

// ---------------------------------------------------------------------------------------------
// Saving

std::string MstDoc::SerializeMstFile() const {
    const int bun = m_CurKoumoku[0];
    std::deque<std::string> padded;
    std::vector<std::string_view> rows;
    rows.reserve(static_cast<std::size_t>(PoolGyouCount()));
    int k = 0;
    for (int j = 0; j < PoolGyouCount(); ++j) {
        if (bun >= 1 && KoumokuOfSlot(j) == bun && k < kWorkSlots) {
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
    return WriteMstFile(std::span<const std::string_view>(rows));
}

bool MstDoc::onSaveDocument(const std::filesystem::path& path) {
    const bool overPartlyRead = !m_PartlyReadSource.empty() && kiv::files::samePath(path, m_PartlyReadSource);
    // Return must not lose the unread part: ｷｬﾝｾﾙ is the default.
    if (overPartlyRead && !KivAsk(kAskOverwritePartlyRead, KivAskDefault::Cancel))
        return false;
    // Digits typed into a cell reach the line only when the cursor leaves it: they are kept.
    if (m_pView)
        m_pView->StoreGyou();
    StoreKoumokuGyou();
    std::string error;
    if (!kiv::files::writeFileAtomically(path, SerializeMstFile(), &error)) {
        KivMessage(kiv::files::cannotCreateMessage(error));
        return false;
    }
    if (overPartlyRead)
        m_PartlyReadSource.clear();
    SetModifiedFlag(false);
    return true;
}

bool MstDoc::OnFileSaveAs() {
    const std::string ext = Extension(m_Mode);
    KivSaveFileRequest request;
    request.defaultExtension = ext;
    request.filter = "マスター(*." + ext + ")|*." + ext;
    auto chosen = KivChooseSaveFile(request);
    if (!chosen || chosen->empty())
        return false;
    if (!endsWithNoCase(*chosen, ext)) {
        KivMessage("拡張子が「." + ext + "」でないので保存しませんでした。");
        return false;
    }
    if (m_pView)
        m_pView->StoreGyou();
    StoreKoumokuGyou();
    for (int i = 0; i < PoolGyouCount(); ++i) {
        std::string& row = EditPoolGyou(i);
        if (row.size() < kMstRowLength)
            row.resize(kMstRowLength, ' ');
    }
    RebuildGyouIndex();
    if (!onSaveDocument(*chosen))
        return false;
    setPathName(*chosen);
    SetModifiedFlag(false);
    return true;
}
