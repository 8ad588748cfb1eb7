#pragma once
// CKivDoc: the estimate document (内訳書). Every row of the estimate lives in one pool of
// GyouRecord texts, keyed by item and row number in their first eight bytes and indexed by item;
// the rows of the item being edited are copied into a work area, edited there by the view and
// stored back; a one-step undo copy of the pool serves the block commands.
//
// The document reaches its grid view through KivDocView, which the view attaches; without a view
// the steps that need one are skipped, so the row store works and is tested without a window.
//
// It is a document of the window layer: the templates create it, the layer's new, open, close
// and save-changes steps land on OnNewDocument, OnOpenDocument, OnCloseDocument and OnFileSave,
// and Save / Save As (57603 / 57604) run OnFileSave / OnFileSaveAs with the mode's file dialog.
// The path and the modified flag are the layer document's own.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "estimate/GyouStore.h"
#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"
#include "estimate/RoumuList.h"
#include "estimate/SetteiRecord.h"
#include "platform/ui/Document.h"

struct KivFileContent;

class CKivDoc;

// What the estimate document asks of the grid view that edits it.
class KivDocView {
public:
    virtual ~KivDocView() = default;
    // Reload the view's row buffer from the document's current work row.
    virtual void ReloadGyou() = 0;
    // Put the row being edited back into the document, before the estimate is written.
    virtual void StoreRowBuffer() {}
    // Before Save or Save As writes the estimate: the row being edited stored and, when the
    // estimate needs recalculation, its amounts brought up to date (the backup writes the rows
    // as they stand).
    virtual void PrepareSave() { StoreRowBuffer(); }
    // Open an empty row at the cursor for a row that the document then writes, leaving the cursor
    // row (CKivDoc::m_CurGyou[0]) on it. False when the item or the estimate is full: then nothing
    // has moved.
    virtual bool InsertGyou() = 0;
    // Apply the transferred master row (CKivDoc::m_TensouGyou) to the current row.
    virtual void ApplyBubunTensou() = 0;
    // The document changed: redraw.
    virtual void OnDocumentUpdate() = 0;
    // An estimate file has just been loaded: check the estimate style (the recalculation fills
    // this in). Runs before the views are updated.
    virtual void CheckKeisanModeAfterLoad() {}
};

// What the recalculation keeps with an estimate between its passes; its own type lives with it.
struct KivRecalcMemo {
    virtual ~KivRecalcMemo() = default;
};

// What the old electrical conversion command asked of the user.
enum class KivDenkiHenkan {
    Cancelled,  // first question declined: nothing happened
    Closing,    // second question declined: the view closes the estimate
    Converted,  // every row converted, the work area reloaded
};

// The open estimates, one slot each. A new estimate takes the lowest free slot; closing one frees
// its slot for the next.
struct OpenKivDocTable {
    static constexpr int Size = 99;
    std::array<CKivDoc*, Size> Slot{};

    // The slot given to `doc`, or -1 when every slot is taken.
    int Take(CKivDoc* doc);
    void Release(int slot);
    // The estimate that becomes current when the one in `slot` closes: the first occupied slot
    // above it, else the first occupied below it searching downwards; null when there is none.
    // A document without a slot (-1) hands over to the lowest occupied slot.
    CKivDoc* Successor(int slot) const;
};

// The current estimate: the one created or made current last; never a closed one.
extern CKivDoc* g_pKivDoc;
extern OpenKivDocTable g_OpenKivDocs;

class CKivDoc : public kiv::ui::Document, public GyouStore {
public:
    static constexpr int kPoolSlots = 30000;       // row pool capacity (rows as read from a file)
    static constexpr int kIndexSize = 20000;
    static constexpr int kUndoIndexBase = 10000;   // index entries 10000.. keep the undo copy of 0..9999
    static constexpr int kGyouMax = 9999;          // rows in the estimate
    static constexpr int kKoumokuGyouMax = 9999;   // rows in one item
    static constexpr int kKoumokuMax = 9999;       // items (a "%04d" key has four digits)
    static constexpr int kKeisanTemplateSlots = 13;
    static constexpr int kHyousiDataCount = 18;
    static constexpr int kLabelMax = 45;
    static constexpr std::size_t kChangedGyouMax = 100000;           // longest part of an item title GetKoumokuLabel gives
    // The limit messages of the estimate (9999 rows) and of one item (9999 rows).
    static const char* const kMsgPoolFull;
    static const char* const kMsgKoumokuFull;

    CKivDoc();
    ~CKivDoc() override;
    CKivDoc(const CKivDoc&) = delete;
    CKivDoc& operator=(const CKivDoc&) = delete;

    // --- Document life cycle
    // A new, empty estimate: no path, not modified, item 1 with one new row; becomes current.
    bool OnNewDocument();
    // Writes the backup, hands the current estimate over if this one was current and frees its
    // slot. The owner deletes the document afterwards.
    void OnCloseDocument();
    void SetModifiedFlag(bool modified = true) { setModifiedFlag(modified); }
    bool IsModified() const { return isModified(); }
    const std::string& GetPathName() const { return m_PathName; }
    // Sets the path, retitles the windows and puts it first in the recent files.
    void SetPathName(const std::string& path) { setPathName(path); }
    void SetView(KivDocView* view) { m_pView = view; }
    KivDocView* GetView() const { return m_pView; }
    // The grid view redraws (OnDocumentUpdate); every other view of the document gets onUpdate.
    void UpdateAllViews();

    // --- The window layer's document steps
    bool onNewDocument() override;
    bool onOpenDocument(const std::filesystem::path& path) override;
    bool onSaveDocument(const std::filesystem::path& path) override;
    // A document that never held an estimate (its open failed) writes no backup.
    void onCloseDocument() override;
    // The save-changes question; Yes saves through OnFileSave (an untitled estimate asks for a
    // name in the mode's save dialog). False when the user cancelled or nothing was written.
    bool saveModified() override;
    void setPathName(const std::filesystem::path& path, bool addToRecent = true) override;
    // The mode's estimate extension: "MES" in mode "2", else "KIV".
    std::string fileExtension() const override { return m_Mode == "2" ? "MES" : "KIV"; }

    // --- The run's settings, fixed when the application starts
    // The estimating mode: "1" electrical, "2" mechanical; anything else counts as unset (then
    // files are named as in mode "1" and no settings file is read).
    static void SetRunMode(std::string_view mode);
    static const std::string& RunMode();
    // Where the default reference files are looked for; empty (the default) is the folder of the
    // running program.
    static void SetProgramDirectory(const std::filesystem::path& dir);
    static std::filesystem::path ProgramDirectory();

    // --- Estimate file (KivDocFile.cpp). Paths are file-system (UTF-8) paths.
    // Opens an estimate file: a file that cannot be read or is damaged is reported by a message
    // naming it and leaves the document as it was (false).
    bool OnOpenDocument(const std::string& path);
    // Takes a read file into the document: free rows dropped, old layouts offered for
    // conversion, every row padded to at least 1400 bytes, index rebuilt, item 1 loaded, the
    // view's style check, views updated. True when rows beyond 9999 had to be left behind.
    bool LoadKivContent(const KivFileContent& content);
    // 上書き保存: an untitled estimate goes to Save As; otherwise the file is rewritten and the
    // modified flag cleared. False when nothing was written.
    bool OnFileSave();
    // 名前を付けて保存: the mode's save dialog; on OK the file is written, becomes the document's
    // path and the modified flag is cleared. False on Cancel or failure.
    bool OnFileSaveAs();
    // Writes the estimate to `path` (work area stored into the pool first). A file that was opened
    // only in part (TruncatedSource) is not overwritten without the user's OK. False when nothing was
    // written; a failed write has shown its message and left the old file whole.
    bool OnSaveDocument(const std::string& path);
    // The bytes of the estimate file: the pool with the current item's work rows in place of its
    // pool rows; the pool itself is not changed.
    std::string SerializeKivFile() const;
    // Writes the backup file (KivBackupPath) through the safe write. A failure is reported once
    // per document and never stops anything. While the document's file is one that was read only
    // in part and not yet overwritten, an existing backup is left alone. Tests replace the write
    // with s_BackupWriter.
    void SaveBkUp();
    static std::function<void(CKivDoc&)> s_BackupWriter;
    // Every pool row converted from the previous system's layout (padded or cut to 1400).
    void ConvertSetubiGyou();
    // Every pool row converted from the old electrical layout.
    void ConvertDenkiGyou();
    // Document side of 旧電気積算内訳書を変換: the two questions, then the conversion of every
    // row with the current item reloaded and the cursor row kept.
    KivDenkiHenkan OldDenkiHenkan();
    // The file that was opened only in part (rows beyond 9999 left behind, or data after the last
    // row that could not be read); empty when none. The first save over it asks first.
    const std::string& TruncatedSource() const { return m_TruncatedSource; }
    // The document's file is still the TruncatedSource, not yet saved over.
    bool ReadInPartAndNotYetOverwritten() const;

    // --- Reference records (KivDocRecords.cpp)
    // Reads the labour list, settings record, header and cover layouts, each on its own; a file
    // that is missing gets its message and leaves its record blank.
    void LoadReferenceRecords();
    void ParseSettei();   // m_Settei -> m_SetteiValues
    void ParseHedder();   // m_Hedder -> m_HedderLayout
    void ParseHyousi();   // m_HyousiForm -> m_HyousiLayout

    // --- Row store: GyouStore, with the estimate's limits (9999 rows, 9999 per item).
    // The work area from the pool and back. A reload that drops rows changed since the last
    // store counts as a change of the rows (m_EditCount).
    bool LoadKoumokuGyou();
    void StoreKoumokuGyou();
    // A pool emptied, or rewritten and indexed again, counts as rewritten as a whole.
    void ClearGyou();
    void RebuildGyouIndex();
    // The whole snapshot of a block command: pool rows, item index, row counts.
    void SaveUndoSnapshot();
    // Back to the snapshot and rebuild the index; the view then restores its position and
    // reloads the item.
    void RestoreUndoSnapshot();

    // 転送: insert the master row in m_TensouGyou at the cursor (through the view), keeping the
    // master key at 302-309. False when no row could be inserted.
    bool ReceiveMasterGyou();
    // 部分転送: make this estimate current and let the view apply m_TensouGyou to its current row.
    void ReceiveBubunTensou();
    void MakeCurrent() { g_pKivDoc = this; }
    // An identity no other document of this run has, before or after (paths repeat and untitled
    // estimates share an empty one).
    std::uint64_t DocId() const { return m_DocId; }
    // Part of an item title: m_KoumokuName[m_LabelKoumoku] from m_LabelStart, at most
    // m_LabelLength (and 45) bytes, into m_RecordBuf.
    const std::string& GetKoumokuLabel();

    // --- What printing, the exports and the layout dialogs ask of the estimate
    // Rows changed since the last full recalculation.
    bool NeedsRecalc() const { return m_NeedRecalc == 1; }
    void MarkNeedsRecalc() { m_NeedRecalc = 1; }
    void MarkRecalculated() { m_NeedRecalc = 0; }
    const RoumuList& GetRoumu() const { return m_Roumu; }
    const SetteiValues& GetSetteiValues() const { return m_SetteiValues; }
    // The rounding of composite prices the settings give.
    int FukugouMarume() const { return m_SetteiValues.FukugouMarume; }
    // The settings ask for the composite (複合) estimate style.
    bool IsFukugouStyle() const { return m_SetteiValues.SekisanYousiki == 1; }
    // The cover's data (element 17 its total) and the amount text prepared from that total.
    const std::array<std::string, kHyousiDataCount>& HyousiData() const { return m_HyousiData; }
    void SetHyousiData(int element, std::string text) {
        m_HyousiData[static_cast<std::size_t>(element)] = std::move(text);
    }
    const std::string& KingakuText() const { return m_KingakuText; }
    void SetKingakuText(std::string text) { m_KingakuText = std::move(text); }
    // The header and cover layouts: records, the files they came from, and their parsed forms.
    const HedderRecord& GetHedder() const { return m_Hedder; }
    const std::filesystem::path& HedderPath() const { return m_HedderPath; }
    const HedderLayout& GetHedderLayout() const { return m_HedderLayout; }
    const HyousiFormRecord& GetHyousiForm() const { return m_HyousiForm; }
    const std::filesystem::path& HyousiPath() const { return m_HyousiPath; }
    const HyousiLayout& GetHyousiLayout() const { return m_HyousiLayout; }
    // The layout dialog's edited fields into the record (ParseHedder / ParseHyousi then parse it).
    void StoreHedderFields(std::span<const std::string> values) { m_Hedder.storeFields(values); }
    void StoreHyousiFormFields(std::span<const std::string> values) { m_HyousiForm.storeFields(values); }
    // A layout file the user switched to: its record taken and parsed, and it is the file read.
    void TakeHedder(const HedderRecord& record, const std::filesystem::path& path) {
        m_Hedder = record;
        ParseHedder();
        m_HedderPath = path;
        m_HedderRead = true;
    }
    void TakeHyousiForm(const HyousiFormRecord& record, const std::filesystem::path& path) {
        m_HyousiForm = record;
        ParseHyousi();
        m_HyousiPath = path;
        m_HyousiRead = true;
    }

    // --- What the grid view and its commands ask of the estimate
    // The item tree must be rebuilt.
    void MarkTreeDirty() { m_TreeDirty = 1; }
    // The item titles, item k at element k-1: all blank, or one item's title.
    const std::vector<std::string>& KoumokuNames() const { return m_KoumokuName; }
    void ClearKoumokuNames() { m_KoumokuName.assign(kKoumokuMax, " "); }
    void SetKoumokuName(int koumoku, std::string title) {
        m_KoumokuName[static_cast<std::size_t>(koumoku - 1)] = std::move(title);
    }
    // Part of the title at element `index`: `length` bytes from `start` (see GetKoumokuLabel).
    const std::string& KoumokuLabel(int index, int start, int length) {
        m_LabelKoumoku = index;
        m_LabelStart = start;
        m_LabelLength = length;
        return GetKoumokuLabel();
    }
    // The settings record, the file it is written to (empty when the mode has none), and the
    // record put back as it was before a change that was not confirmed.
    const SetteiRecord& GetSettei() const { return m_Settei; }
    const std::filesystem::path& SetteiPath() const { return m_SetteiPath; }
    void PutBackSettei(const SetteiRecord& before) {
        m_Settei = before;
        ParseSettei();
    }
    const std::filesystem::path& RoumuPath() const { return m_RoumuPath; }
    // The master row handed over by 転送 / 部分転送.
    const std::string& TensouGyou() const { return m_TensouGyou; }
    void SetTensouGyou(std::string row) { m_TensouGyou = std::move(row); }
    // The calculation rows' templates read from the master (an empty one where it has none).
    const std::string& KeisanTemplate(int k) const { return m_KeisanTemplate[static_cast<std::size_t>(k)]; }
    void SetKeisanTemplates(std::span<const std::string> rows) {
        m_KeisanTemplateCount = 0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            m_KeisanTemplate[k] = rows[k];
            if (!rows[k].empty())
                ++m_KeisanTemplateCount;
        }
    }

    // --- Members used by the grid editor's commands
    std::string m_RecordBuf;                         // GetKoumokuLabel's result (and record reads)
    std::array<std::string, kKeisanTemplateSlots> m_KeisanTemplate;
    int m_KeisanTemplateCount = 0;
    std::vector<std::string> m_GyouBackup;           // scratch copy of the pool for bulk commands
    std::string m_PathText;                          // working copy of the path (backup name)
    std::string m_UndoPath;                          // estimate whose snapshot the undo holds
    std::uint64_t m_UndoSerial = 0;                  // serial of the snapshot held (0: none)
    int m_LabelKoumoku = 0;
    int m_LabelStart = 0;
    int m_LabelLength = 0;
    std::array<std::string, kHyousiDataCount> m_HyousiData;  // cover data
    std::string m_KingakuText;                       // amount text prepared for the cover
    std::string m_TensouGyou;                        // master row handed over by 転送 / 部分転送
    std::string m_TextLine;                          // output line of the text exports
    std::filesystem::path m_ExeDir;                  // the program's folder
    std::string m_Mode;                              // "1" electrical, "2" mechanical
    // Set whenever the style conversion changed the rows: an estimate converted while it was
    // being opened stays modified.
    bool m_KeisanConverted = false;
    // Reference records, read when the document is created.
    std::filesystem::path m_RoumuPath;
    std::filesystem::path m_SetteiPath;              // empty when the mode has no settings file
    std::filesystem::path m_HedderPath;
    std::filesystem::path m_HyousiPath;
    RoumuList m_Roumu;                               // labour prices, registration number n at line n
    SetteiRecord m_Settei;                           // blank (every code unused) when not read
    SetteiValues m_SetteiValues;                     // its codes, KetaMarume, SekisanYousiki, FukugouMarume
    HedderRecord m_Hedder;
    HedderLayout m_HedderLayout;
    HyousiFormRecord m_HyousiForm;
    HyousiLayout m_HyousiLayout;
    bool m_RoumuRead = false;
    bool m_SetteiRead = false;
    bool m_HedderRead = false;
    bool m_HyousiRead = false;
    std::vector<std::string> m_KoumokuName;          // item titles, item k at element k-1
    int m_NeedRecalc = 0;                            // rows changed since the last full recalculation
    // Counts the changes to the estimate's rows: every row stored with other bytes, and every
    // step that rewrites the pool as a whole (loading, layout and style conversions, undo, item
    // insertion and deletion, a reload that drops stored rows). A recalculation that found
    // nothing to change at one count has nothing to change at the same count (with the same
    // settings and labour list).
    std::uint64_t m_EditCount = 0;
    // Counts only the rewrites of the pool as a whole.
    std::uint64_t m_RewriteCount = 0;
    void NoteRowsRewritten() {
        ++m_EditCount;
        ++m_RewriteCount;
        m_ChangedGyou.clear();
    }
    std::uint64_t m_StoredEditCount = 0;             // m_EditCount when the work area was last stored or loaded
    // The rows stored with other bytes since the recalculation last took the list: item and row
    // number (m_CurKoumoku[0], m_CurGyou[0]) of each store.
    struct ChangedGyou {
        int koumoku;
        int gyou;
    };
    std::vector<ChangedGyou> m_ChangedGyou;
    std::unique_ptr<KivRecalcMemo> m_RecalcMemo;     // the recalculation's own record
    int m_TreeDirty = 0;                             // the tree pane must be rebuilt
    int m_OpenSlot = -1;                             // slot in g_OpenKivDocs, -1 none

protected:
    void OnGyouChanged() override {
        ++m_EditCount;
        // A list nobody takes for long (stores without recalculation) becomes a rewrite.
        if (m_ChangedGyou.size() >= kChangedGyouMax)
            NoteRowsRewritten();
        else
            m_ChangedGyou.push_back({m_CurKoumoku[0], m_CurGyou[0]});
        SetModifiedFlag();
    }

private:
    void LeaveOpenDocs();
    KivDocView* m_pView = nullptr;
    std::uint64_t m_DocId = 0;
    std::string m_PathName;
    std::string m_TruncatedSource;   // see TruncatedSource()
    bool m_Closed = false;
    bool m_Loaded = false;           // created empty or read from a file: a backup is due at close
    bool m_BackupFailureShown = false;
};
