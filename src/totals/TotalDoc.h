#pragma once
// CTotalDoc: the totals document (集計). Its rows live in the row store the estimate and the
// master share (GyouStore), keyed by category and row number, with the totals' limits: 30,000
// pool rows, 10,000 rows a category, 999 categories. Category 1 is the summary page, every other
// category one category page. Free slots are kept among the saved rows with their bytes as read,
// so an unchanged file saves back identical.
//
// The file itself is read and written by TotalFile.h, the roll-up of an estimate by
// TotalConvert.h; this class keeps the pages, the titles and the reference records, and saves
// through the safe write.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "estimate/GyouStore.h"
#include "estimate/RoumuList.h"
#include "estimate/SetteiRecord.h"
#include "platform/text/Decimal.h"
#include "platform/ui/Document.h"

class CTotalDoc;
extern CTotalDoc* g_pTotalDoc;

class CTotalDoc : public kiv::ui::Document, public GyouStore {
public:
    static constexpr int kGyouMax = 30000;       // pool rows
    static constexpr int kKoumokuGyouMax = 10000;
    static constexpr int kKoumokuMax = 999;
    static const char* const kMsgPoolFull;       // "データ数が最大値を超えました。…"

    CTotalDoc();
    ~CTotalDoc() override;

    // --- The window layer's document steps
    bool onNewDocument() override;
    bool onOpenDocument(const std::filesystem::path& path) override;
    bool onSaveDocument(const std::filesystem::path& path) override;
    void onCloseDocument() override;

    // Opens a totals file; a file that cannot be read or is damaged is reported by a message
    // naming it and leaves the document as it was (false).
    bool OnOpenDocument(const std::string& path);
    // The bytes of the totals file: every counted slot as it stands, the current category's
    // work rows in place of its slots.
    std::string SerializeTotalFile() const;
    // 57604 名前を付けて保存: the mode's dialog; a name without the mode's extension writes
    // nothing (with a message); otherwise written safely, the new file becomes the document's.
    bool OnFileSaveAs();
    // 57603 上書き保存 and Yes to the save-changes question: an untitled totals document is saved
    // through OnFileSaveAs, so it gets the mode's extension and can be opened again.
    bool doFileSave() override;
    // The mode's totals extension: "TTL" in mode "1", "MTL" in mode "2".
    std::string fileExtension() const override;

    // The index from the row keys; m_KoumokuCount is the highest category other than 999, plus
    // one when category 999 holds rows.
    void RebuildTotalIndex();
    // The category pages that printing and the exports walk, in number order: 1 to
    // m_KoumokuCount, then every higher category that holds rows (999, which the count stands
    // for with one number more than the highest other page, comes last in its own place).
    std::vector<int> WalkKoumoku() const;

    // Rolls the estimate file up by the categories of the master file. A file that cannot be
    // read or is damaged is named in a message and nothing changes; on success the pool is
    // replaced, category 1 is current and the document is modified.
    bool ConvertEstimateFile(const std::string& estimatePath, const std::string& masterPath);

    // 32815 積算ﾌｧｲﾙを変換: the file dialog, then ConvertEstimateFile with the run mode's master.
    // Reachable from the grid and the tree of this document's window.
    void OnSyuukeiHenkan();
    static const char* const kFukugouModeMessage;

    // --- Recalculation (a category's last row is its total row, every other row an item)
    static const char* const kMsgGyouTooWide;    // an item's amount beyond 12 digits
    static const char* const kMsgKeiTooWide;     // a total beyond 12 digits
    static constexpr int kTitleLength = 94;      // 番号, 品名, 規格, 積算金額, 実行金額, 掛率
    // One item row: quantities rewritten in the totals' quantity form (whole, or two decimals),
    // amounts = quantity as written x unit price, so a second pass changes nothing. A number
    // too wide for its column blanks it and adds a message.
    void CalcGyou(std::string& row, std::vector<std::string>& messages) const;
    // The sums of the 積算金額 and 実行金額 of `rows` except 表紙計, 中計, 小計 and 項目内計
    // rows, written into `total`; returns them.
    std::array<kiv::text::Decimal, 2> CalcKoumokuKei(const std::vector<const std::string*>& rows,
                                                     std::string& total, std::vector<std::string>& messages) const;
    // Every category recalculated when m_NeedRecalc is set (the grid's row stored first), then
    // the titles rebuilt from the pages; the current category and row stay.
    void RebuildKoumokuList();
    // 32873 分類名登録: the page stored, the list rebuilt, the tree refilled.
    void OnBunToroku();

    // Characters start .. start+length-1 of category k's title (empty past its end).
    std::string GetKoumokuLabel(int koumoku, int start, int length) const;

    void ParseSettei();
    void MakeCurrent() { g_pTotalDoc = this; }
    std::string GetPathName() const { return pathName().string(); }
    void SetModifiedFlag(bool modified = true) { setModifiedFlag(modified); }
    bool IsModified() const { return isModified(); }

    // --- What the grid, the tree, the commands and the exports ask of the document
    // A stored row changed since the categories were last recalculated.
    bool NeedsRecalc() const { return m_NeedRecalc == 1; }
    void MarkNeedsRecalc() { m_NeedRecalc = 1; }
    void MarkRecalculated() { m_NeedRecalc = 0; }
    // The category titles changed: the tree pane is refilled on the next update.
    bool IsTreeDirty() const { return m_TreeDirty != 0; }
    void MarkTreeDirty() { m_TreeDirty = 1; }
    // Category titles, category k at element k-1 (as many as the last rebuild made).
    const std::vector<std::string>& KoumokuNames() const { return m_KoumokuName; }
    const RoumuList& GetRoumu() const { return m_Roumu; }
    // The rounding of composite prices the settings give.
    int FukugouMarume() const { return m_SetteiValues.FukugouMarume; }

    std::string m_Mode;
    std::filesystem::path m_ExeDir;
    std::filesystem::path m_RoumuPath;
    std::filesystem::path m_SetteiPath;
    RoumuList m_Roumu;
    SetteiRecord m_Settei;
    SetteiValues m_SetteiValues;
    std::array<std::string, 18> m_HyousiData;     // cover strings of the last converted estimate
    std::vector<std::string> m_KoumokuName;       // category titles, category k at k-1
    int m_NeedRecalc = 0;
    int m_TreeDirty = 0;

    // The grid of this document's window stores its cursor row (a typed value is kept), so the
    // page in the store is what the user sees: before a save, a recalculation, a tree choice.
    void StoreGridGyou();
    // Every grid of the document takes its cursor row afresh, dropping a line buffer that holds
    // a row of pages that have been replaced.
    void LoadGridGyou();

protected:
    void OnGyouChanged() override {
        m_NeedRecalc = 1;
        SetModifiedFlag();
    }

private:
    // 印刷 and 印刷ﾌﾟﾚﾋﾞｭｰ reach the document when the tree pane has the focus: they print
    // through the window's grid, as from the grid itself (TotalPrint.cpp).
    void ConnectPrintCommands();
    void ReplacePool(std::vector<std::string>& rows);
    void RebuildTitles();
};
