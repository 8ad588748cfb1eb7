#include "totals/TotalDoc.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/MasterPath.h"
#include "estimate/MstFile.h"
#include "estimate/ReferenceFile.h"
#include "estimate/ReferenceRecords.h"
#include "export/ExportPath.h"
#include "platform/files/Files.h"
#include "resources/CommandIds.h"
#include "totals/SyuukeiDialog.h"
#include "totals/TotalConvert.h"
#include "totals/TotalFile.h"
#include "totals/TotalView.h"

namespace {

// 30,000 rows of 1400 bytes take about 42 MB; a file far beyond that is not a totals file.
constexpr std::size_t kMaxFileBytes = 128u * 1024 * 1024;

GyouStoreLimits totalLimits() {
    GyouStoreLimits limits;
    limits.poolSlots = CTotalDoc::kGyouMax;
    limits.indexSize = CTotalDoc::kGyouMax;
    limits.gyouMax = CTotalDoc::kGyouMax;
    limits.koumokuGyouMax = CTotalDoc::kKoumokuGyouMax;
    limits.koumokuMax = CTotalDoc::kKoumokuMax;
    limits.poolTruncatedMessage = CTotalDoc::kMsgPoolFull;
    limits.poolFullMessage = CTotalDoc::kMsgPoolFull;
    limits.koumokuFullMessage = CTotalDoc::kMsgPoolFull;
    return limits;
}

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size())
        return false;
    return std::equal(tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) {
                          return std::toupper(static_cast<unsigned char>(a)) ==
                                 std::toupper(static_cast<unsigned char>(b));
                      });
}

} // namespace

CTotalDoc* g_pTotalDoc = nullptr;

const char* const CTotalDoc::kFukugouModeMessage =
    "内訳作成が複合計算モードに設定されています。このモードで作成した内訳は付属品、雑材、労務費が入力されていません。追加入力する必要があります。";
const char* const CTotalDoc::kMsgGyouTooWide = "金額が12桁を越しました。再入力してください。";
const char* const CTotalDoc::kMsgKeiTooWide = "金額が12桁を越ています。訂正してください。";
const char* const CTotalDoc::kMsgPoolFull = "データ数が最大値を超えました。これ以上は入力できません。";

CTotalDoc::CTotalDoc() : GyouStore(totalLimits()), m_KoumokuName(1000, " ") {
    onCommandId(kiv::ui::cmd::FileSaveAs, [this] { OnFileSaveAs(); });   // 名前を付けて保存
    onCommandId(ID_SYUUKEI_HENKAN, [this] { OnSyuukeiHenkan(); });   // 積算ﾌｧｲﾙを変換
    onCommandId(ID_BUN_TOROKU, [this] { OnBunToroku(); });       // 分類名登録
    ConnectPrintCommands();
    // The export path check names a totals document's file as such.
    kiv::exporting::SetTotalsDocumentTest(
        [](const kiv::ui::Document* d) { return dynamic_cast<const CTotalDoc*>(d) != nullptr; });
    g_pTotalDoc = this;
    StartBlank();
    RebuildTotalIndex();
    LoadKoumokuGyou();

    m_Mode = CKivDoc::RunMode();
    m_ExeDir = CKivDoc::ProgramDirectory();
    // The labour prices and the settings are read each on its own; a missing settings file
    // leaves a blank record whose codes match no row.
    ReferenceRecords r = loadRoumuSetteiRecords(m_Mode, m_ExeDir);
    m_RoumuPath = std::move(r.roumuPath);
    m_SetteiPath = std::move(r.setteiPath);
    m_Roumu = std::move(r.roumu);
    m_Settei = r.settei;
    ParseSettei();
    for (const auto& m : r.messages)
        KivMessage(m);
}

CTotalDoc::~CTotalDoc() {
    if (g_pTotalDoc == this)
        g_pTotalDoc = nullptr;
}

void CTotalDoc::ParseSettei() { m_SetteiValues = ::ParseSettei(m_Settei); }

void CTotalDoc::RebuildTotalIndex() {
    RebuildGyouIndex();
    int highest = 1;
    bool has999 = false;
    for (int i = 0; i < PoolGyouCount(); ++i) {
        const int k = KoumokuOfSlot(i);
        if (k == kKoumokuMax)
            has999 = true;
        else
            highest = std::max(highest, k);
    }
    m_KoumokuCount = highest + (has999 ? 1 : 0);
}

std::vector<int> CTotalDoc::WalkKoumoku() const {
    std::vector<bool> holds(static_cast<std::size_t>(kKoumokuMax) + 1, false);
    for (int i = 0; i < PoolGyouCount(); ++i) {
        const int k = KoumokuOfSlot(i);
        if (k >= 1 && k <= kKoumokuMax)
            holds[static_cast<std::size_t>(k)] = true;
    }
    int last = std::clamp(m_KoumokuCount, 1, kKoumokuMax);
    // The number the count adds for category 999 is no page of its own while it is empty.
    if (holds[kKoumokuMax] && last > 1 && last < kKoumokuMax && !holds[static_cast<std::size_t>(last)])
        --last;
    std::vector<int> walk;
    for (int k = 1; k <= kKoumokuMax; ++k)
        if (k <= last || holds[static_cast<std::size_t>(k)])
            walk.push_back(k);
    return walk;
}

bool CTotalDoc::onNewDocument() {
    g_pTotalDoc = this;
    ClearGyou();
    SetPoolGyouCount(1);
    m_CurKoumoku[0] = 1;
    RebuildTotalIndex();
    LoadKoumokuGyou();
    return true;
}

void CTotalDoc::onCloseDocument() {
    if (g_pTotalDoc == this)
        g_pTotalDoc = nullptr;
    kiv::ui::Document::onCloseDocument();
}

// ---------------------------------------------------------------------------------------------
// The totals file

bool CTotalDoc::onOpenDocument(const std::filesystem::path& path) { return OnOpenDocument(path.string()); }

bool CTotalDoc::OnOpenDocument(const std::string& path) {
    auto bytes = kiv::files::readFile(path, kMaxFileBytes);
    if (!bytes) {
        KivMessage("集計ファイル「" + path + "」を開けません。ファイルを読み込めません。");
        return false;
    }
    std::vector<std::string> rows;
    try {
        rows = ReadTotalFile(*bytes);
    } catch (const TotalFileError& e) {
        KivMessage("集計ファイル「" + path + "」を開けません。" + e.what());
        return false;
    }
    g_pTotalDoc = this;
    ReplacePool(rows);
    setPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CTotalDoc::ReplacePool(std::vector<std::string>& rows) {
    ClearGyou();
    ReplacePoolRows(std::move(rows));
    m_CurKoumoku[0] = 1;
    m_TopGyou[0] = 0;
    m_ScreenGyou[0] = 1;
    RebuildTotalIndex();
    LoadKoumokuGyou();
    RebuildTitles();
    m_TreeDirty = 1;
}

std::string CTotalDoc::SerializeTotalFile() const {
    const int koumoku = m_CurKoumoku[0];
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(PoolGyouCount()));
    for (int j = 0; j < PoolGyouCount(); ++j)
        rows.push_back(PoolGyou(j));
    int k = 0;
    for (int j = 0; j < PoolGyouCount() && k < m_GyouCount; ++j)
        if (KoumokuOfSlot(j) == koumoku) {
            rows[static_cast<std::size_t>(j)] = WorkGyouAt(++k);
            GyouRecord::padLength(rows[static_cast<std::size_t>(j)]);
        }
    return WriteTotalFile(rows, PoolGyouCount());
}

void CTotalDoc::StoreGridGyou() {
    for (kiv::ui::View* v : views())
        if (auto* grid = dynamic_cast<CTotalView*>(v))
            grid->StoreCursorGyou();
    if (g_pTotalView && g_pTotalView->GetDocument() == this)
        g_pTotalView->StoreCursorGyou();
}

void CTotalDoc::LoadGridGyou() {
    for (kiv::ui::View* v : views())
        if (auto* grid = dynamic_cast<CTotalView*>(v))
            grid->LoadGyou();
    if (g_pTotalView && g_pTotalView->GetDocument() == this)
        g_pTotalView->LoadGyou();
}

bool CTotalDoc::onSaveDocument(const std::filesystem::path& path) {
    StoreGridGyou();
    std::string error;
    if (!kiv::files::writeFileAtomically(path, SerializeTotalFile(), &error)) {
        KivMessage(kiv::files::cannotCreateMessage(error));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

std::string CTotalDoc::fileExtension() const { return TotalExtension(m_Mode); }

bool CTotalDoc::OnFileSaveAs() {
    const std::string ext = fileExtension();
    KivSaveFileRequest request;
    request.defaultExtension = ext;
    request.filter = "集計(*." + ext + ")|*." + ext;
    auto chosen = KivChooseSaveFile(request);
    if (!chosen || chosen->empty())
        return false;
    if (!endsWithNoCase(*chosen, "." + ext)) {
        KivMessage("拡張子が「." + ext + "」でないので保存しませんでした。");
        return false;
    }
    if (!onSaveDocument(*chosen))
        return false;
    setPathName(*chosen);
    SetModifiedFlag(false);
    return true;
}

bool CTotalDoc::doFileSave() {
    if (pathName().empty())
        return OnFileSaveAs();
    return kiv::ui::Document::doFileSave();
}

// ---------------------------------------------------------------------------------------------
// Conversion of an estimate file

bool CTotalDoc::ConvertEstimateFile(const std::string& estimatePath, const std::string& masterPath) {
    std::optional<MstFileContent> read;
    try {
        read = ReadMstFile(std::filesystem::path(masterPath), kMaxFileBytes);
    } catch (const MstFileError& e) {
        KivMessage("マスターファイル「" + masterPath + "」を開けません。" + e.what());
        return false;
    }
    if (!read) {
        KivMessage("マスターファイル「" + masterPath + "」を開けません。ファイルを読み込めません。");
        return false;
    }
    MstFileContent& master = *read;
    auto kivBytes = kiv::files::readFile(estimatePath, kMaxFileBytes);
    if (!kivBytes) {
        KivMessage("積算ファイル「" + estimatePath + "」を開けません。ファイルを読み込めません。");
        return false;
    }
    KivFileContent estimate;
    try {
        estimate = ReadKivFile(*kivBytes);
    } catch (const KivFileError& e) {
        KivMessage("積算ファイル「" + estimatePath + "」を開けません。" + e.what());
        return false;
    }
    kivBytes.reset();
    // A roll-up of part of a file is a wrong total that looks right: nothing is made from it.
    for (const auto& [partly, path] : {std::pair{master.partlyRead(), &masterPath}, std::pair{estimate.partlyRead(), &estimatePath}})
        if (partly) {
            KivMessage(KivPartlyReadText(*path) + "変換を中止します。");
            return false;
        }

    TotalConvertResult result = ConvertToTotals(master.rows, estimate.rows, m_SetteiValues);
    // Every number that did not fit its column is named once, together.
    if (!result.messages.empty()) {
        std::string text;
        for (const auto& m : result.messages)
            text += (text.empty() ? "" : "\n") + m;
        KivMessage(text);
    }
    if (result.pageCount + 1 > kKoumokuMax || static_cast<int>(result.rows.size()) > kGyouMax) {
        KivMessage(kMsgPoolFull);
        return false;
    }
    m_HyousiData = estimate.hyousi;
    ReplacePool(result.rows);
    m_NeedRecalc = 1;
    SetModifiedFlag();
    return true;
}

void CTotalDoc::OnSyuukeiHenkan() {
    if (m_SetteiValues.SekisanYousiki == 1)
        KivMessage(kFukugouModeMessage);
    CSyuukeiDialog dlg(m_Mode, nullptr);
    if (dlg.doModal() != kiv::ui::IDOK)
        return;
    const std::string estimate = kiv::files::fromCp932(dlg.m_Path).string();
    if (ConvertEstimateFile(estimate, MasterFilePath(m_Mode).string())) {
        // The grid still holds the old page's row under the key of the new summary's heading:
        // the tree's update stores the grid's row, so the grid takes the new one first.
        LoadGridGyou();
        updateAllViews(nullptr);
    }
}

// ---------------------------------------------------------------------------------------------
// Recalculation and the category list

void CTotalDoc::CalcGyou(std::string& row, std::vector<std::string>& messages) const {
    using G = GyouRecord;
    G::padLength(row);
    for (int f : {G::SekisanSuu1, G::SekisanSuu2}) {
        const kiv::text::Decimal q = G::toDecimal(row, f);
        if (!PutTotalQuantity(row, f, q))
            messages.push_back("数量が8桁を越しました。再入力してください。");
    }
    const std::pair<int, int> tracks[] = {{G::SekisanSuu1, G::Tanka1}, {G::SekisanSuu2, G::Tanka2}};
    const int amounts[] = {G::Kingaku1, G::Kingaku2};
    for (int t = 0; t < 2; ++t) {
        const kiv::text::Decimal amount = G::toDecimal(row, tracks[t].first) * G::toDecimal(row, tracks[t].second);
        if (!PutTotalWhole(row, amounts[t], amount))
            messages.push_back(kMsgGyouTooWide);
    }
}

std::array<kiv::text::Decimal, 2> CTotalDoc::CalcKoumokuKei(const std::vector<const std::string*>& rows,
                                                            std::string& total,
                                                            std::vector<std::string>& messages) const {
    using G = GyouRecord;
    const SetteiValues& s = m_SetteiValues;
    std::array<kiv::text::Decimal, 2> sums{};
    for (const std::string* row : rows) {
        const int bun = G::toInt(*row, G::BunNo);
        if (s.matches(EnzanCode::HyousiKei, bun) || s.matches(EnzanCode::Tyuukei, bun) ||
            s.matches(EnzanCode::Syoukei, bun) || s.matches(EnzanCode::KoumokunaiKei, bun))
            continue;
        sums[0] += G::toDecimal(*row, G::Kingaku1);
        sums[1] += G::toDecimal(*row, G::Kingaku2);
    }
    G::padLength(total);
    if (!PutTotalWhole(total, G::Kingaku1, sums[0]))
        messages.push_back(kMsgKeiTooWide);
    if (!PutTotalWhole(total, G::Kingaku2, sums[1]))
        messages.push_back(kMsgKeiTooWide);
    return sums;
}

void CTotalDoc::RebuildKoumokuList() {
    StoreGridGyou();
    const int curGyou = m_CurGyou[0];
    StoreKoumokuGyou();
    if (m_NeedRecalc) {
        // Each category's slots in pool order, found in one pass over the pool.
        std::vector<std::vector<int>> slots(static_cast<std::size_t>(kKoumokuMax) + 1);
        for (int j = 0; j < PoolGyouCount(); ++j) {
            const int k = KoumokuOfSlot(j);
            if (k >= 1 && k <= kKoumokuMax)
                slots[static_cast<std::size_t>(k)].push_back(j);
        }
        std::vector<std::string> messages;
        std::vector<const std::string*> items;
        for (const std::vector<int>& cat : slots) {
            if (cat.empty())
                continue;
            items.clear();
            for (std::size_t i = 0; i + 1 < cat.size(); ++i) {
                std::string& row = EditPoolGyou(cat[i]);
                CalcGyou(row, messages);
                items.push_back(&row);
            }
            CalcKoumokuKei(items, EditPoolGyou(cat.back()), messages);
        }
        m_NeedRecalc = 0;
        // Each message once, as a full pass can meet the same fault many times.
        std::vector<std::string> shown;
        for (const std::string& m : messages)
            if (std::find(shown.begin(), shown.end(), m) == shown.end())
                shown.push_back(m);
        for (const std::string& m : shown)
            KivMessage(m);
        LoadKoumokuGyou();
        m_CurGyou[0] = std::clamp(curGyou, 1, m_GyouCount);
    }
    RebuildTitles();
    MakeCurrent();
}

void CTotalDoc::OnBunToroku() {
    RebuildKoumokuList();
    m_TreeDirty = 1;
    m_CurGyou[0] = 1;
    m_TopGyou[0] = 0;
    m_ScreenGyou[0] = 1;
    updateAllViews(nullptr);
}

void CTotalDoc::RebuildTitles() {
    using G = GyouRecord;
    std::fill(m_KoumokuName.begin(), m_KoumokuName.end(), std::string(" "));
    std::vector<bool> seen(static_cast<std::size_t>(kKoumokuMax) + 1, false);
    const SetteiValues& s = m_SetteiValues;
    for (int j = 0; j < PoolGyouCount(); ++j) {
        const int k = KoumokuOfSlot(j);
        if (k < 1 || k > kKoumokuMax)
            continue;
        std::string row = PoolGyou(j);
        G::padLength(row);
        std::string& title = m_KoumokuName[static_cast<std::size_t>(k - 1)];
        if (!seen[static_cast<std::size_t>(k)]) {
            // The first row of the page names it.
            seen[static_cast<std::size_t>(k)] = true;
            title = std::string(G::raw(row, G::KoumokuNo)) + std::string(G::raw(row, G::Hinmei)) +
                    std::string(G::raw(row, G::Kikaku)) + std::string(G::raw(row, G::Kingaku1)) +
                    std::string(G::raw(row, G::Kingaku2)) + std::string(G::raw(row, G::Kakeritu));
            continue;
        }
        // The last 表紙計, 中計 or 小計 row gives the amounts.
        const int bun = G::toInt(row, G::BunNo);
        if (s.matches(EnzanCode::HyousiKei, bun) || s.matches(EnzanCode::Tyuukei, bun) ||
            s.matches(EnzanCode::Syoukei, bun))
            title.replace(64, 24, std::string(G::raw(row, G::Kingaku1)) + std::string(G::raw(row, G::Kingaku2)));
    }
}
