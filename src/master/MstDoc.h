#pragma once
// MstDoc: the master document (マスター), the user's catalogue of materials and prices. Its lines
// live in the row store the estimate also uses (GyouStore), keyed by category (分類) and line
// number, with the master's limits: 30,000 lines, 9,999 lines per category. It keeps its own
// labour prices and settings record for the master's composite unit price, the category title
// lists shown by the tree pane and the dialogs, and an undo copy of all lines.
//
// The file itself is read and written by MstFile.h; this class decides what is kept, converts
// old layouts on request, and saves through the safe write.
//
// Several masters may be open at once. g_pMstDoc names the current one: the master created last
// or whose tree was refilled last; closing it makes another open master current, else null.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "estimate/GyouStore.h"
#include "estimate/RoumuList.h"
#include "estimate/SetteiRecord.h"
#include "platform/ui/Document.h"

struct MstFileContent;
class CMstView;
class MstDoc;

extern MstDoc* g_pMstDoc;

// The keyboard focus to the current estimate's view (g_pKivDoc's), as a transfer gives it.
void FocusCurrentEstimate();

// Lets the estimate side read the current master's rows (単価入替) through its hook.
void ConnectMasterSeams();

class MstDoc : public kiv::ui::Document, public GyouStore {
public:
    static constexpr int kGyouMax = 30000;        // lines of a master
    static constexpr int kBunGyouMax = 9999;      // lines of one category
    static constexpr int kBunMax = 9999;          // categories
    static constexpr int kTitleListSize = 1000;   // entries the title lists start with
    static constexpr int kTitleLength = 68;       // 分類, 記号, 品名, 規格 of line 1
    static constexpr int kBunSelectLength = 92;   // the same and two amounts
    static const char* const kMsgPoolFull;        // "データ数が最大値を超えました。…"
    static const char* const kMsgBunFull;         // "１分類の行数が最大値を超えました。…"
    static const char* const kMsgPoolTruncated;
    static const char* const kAskOverwritePartlyRead;   // before the first save over a partly read file   // "データ数が最大値を超えましたので…"

    MstDoc();
    ~MstDoc() override;

    // --- The window layer's document steps
    bool onOpenDocument(const std::filesystem::path& path) override;
    bool onSaveDocument(const std::filesystem::path& path) override;
    void onCloseDocument() override;

    // --- Master file
    // Opens a master file; a file that cannot be read or is damaged is reported by a message
    // naming it and leaves the document as it was (false).
    bool OnOpenDocument(const std::string& path);
    // Takes a read file into the document: old layouts offered for conversion, columns
    // normalised, index rebuilt, category 1 loaded, views updated. Not marked modified.
    void LoadMstContent(MstFileContent& content);
    // The bytes of the master file: every slot in use as it stands, the current category's
    // work rows in place of its slots (the pool itself is not changed).
    std::string SerializeMstFile() const;
    // 57604 名前を付けて保存: the mode's dialog; a name without the mode's extension writes
    // nothing (with a message); otherwise every line is padded to 1400 bytes, the file is
    // written safely, becomes the document's path and the modified flag is cleared.
    bool OnFileSaveAs();
    // Old-layout conversions of every line.
    void ConvertSetubiGyou();
    void ConvertDenkiGyou();
    void NormalizeGyouColumns();

    // --- Reference records
    void ParseSettei();

    // --- Transfer into the current estimate (g_pKivDoc); nothing without one
    // 転送: the current work row becomes a new row at the estimate's cursor.
    void TensouGyou();
    // 部分転送: the row's key, rates and labour numbers applied to the estimate's current row.
    void BubunTensouGyou();

    // This master becomes the current one, its view the current master view.
    void MakeCurrent();
    void SetView(CMstView* view);
    CMstView* GetView() const { return m_pView; }
    // The grid view redraws; every other view of the document gets onUpdate.
    void UpdateAllViews();
    std::string GetPathName() const { return pathName().string(); }
    void SetModifiedFlag(bool modified = true) { setModifiedFlag(modified); }
    bool IsModified() const { return isModified(); }

    // The extension a master of the run's mode ends in: "MST" (mode "1") or "MMS" (mode "2").
    static const char* Extension(const std::string& mode);

    // --- What the master's grid, tree, dialogs and commands ask of it
    const RoumuList& GetRoumu() const { return m_Roumu; }
    const SetteiValues& GetSetteiValues() const { return m_SetteiValues; }
    // The rounding of composite prices the settings give.
    int FukugouMarume() const { return m_SetteiValues.FukugouMarume; }
    // The settings ask for the composite (複合) estimate style.
    bool IsFukugouStyle() const { return m_SetteiValues.SekisanYousiki == 1; }
    // The tree pane must be refilled.
    void MarkTreeDirty() { m_TreeDirty = 1; }
    // The tree's titles: per category an optional heading, then its title; `headings` of them
    // are headings.
    const std::vector<std::string>& KoumokuNames() const { return m_KoumokuName; }
    int BunListExtra() const { return m_BunListExtra; }
    void SetKoumokuNames(std::vector<std::string> names, int headings) {
        m_KoumokuName = std::move(names);
        m_BunListExtra = headings;
    }
    // The category range dialog: its labels, the root it shows, and the range picked.
    const std::vector<std::string>& BunSelectList() const { return m_BunSelectList; }
    void SetBunSelectList(std::vector<std::string> labels) { m_BunSelectList = std::move(labels); }
    const std::string& BunSelectRoot() const { return m_BunSelectRoot; }
    void SetBunSelectRoot(std::string root) { m_BunSelectRoot = std::move(root); }
    int BunFrom() const { return m_BunFrom; }
    int BunTo() const { return m_BunTo; }
    void SetBunRange(int from, int to) {
        m_BunFrom = from;
        m_BunTo = to;
    }
    void SetMasterPath(std::string path) { m_MasterPath = std::move(path); }
    // The view activated: the category count it saw.
    void NoteKoumokuCountSeen() { m_ViewKoumokuCount = KoumokuCount(); }
    // The block commands' undo: index, counts and lines copied, with this master's path and the
    // snapshot's serial; and back (the index rebuilt, the master modified).
    void TakeUndoSnapshot(std::uint64_t serial) {
        m_UndoGyouKoumokuNo = GyouIndex();
        SaveUndoCounts();
        CopyGyouToUndo();
        m_UndoPath = GetPathName();
        m_UndoSerial = serial;
    }
    std::uint64_t UndoSerial() const { return m_UndoSerial; }
    void RestoreUndoSnapshot() {
        SetGyouIndex(m_UndoGyouKoumokuNo);
        RestoreUndoCounts();
        RestoreGyouFromUndo();
        RebuildGyouIndex();
        SetModifiedFlag();
    }

    std::vector<int> m_UndoGyouKoumokuNo;
    std::string m_Mode;
    std::filesystem::path m_ExeDir;
    std::filesystem::path m_RoumuPath;
    std::filesystem::path m_SetteiPath;
    RoumuList m_Roumu;
    SetteiRecord m_Settei;
    SetteiValues m_SetteiValues;
    bool m_RoumuRead = false;
    bool m_SetteiRead = false;
    std::string m_MasterPath;                   // the profile's master path, shown nowhere else
    std::string m_UndoPath;
    std::string m_PartlyReadSource;   // the file opened only in part; saving over it asks first
    std::uint64_t m_UndoSerial = 0;             // serial of the undo snapshot held (0 none)
    std::vector<std::string> m_KoumokuName;     // tree titles: headings and category titles
    std::vector<std::string> m_BunSelectList;   // labels of the category range dialog
    std::string m_BunSelectRoot;
    int m_BunListExtra = 0;                     // heading entries in m_KoumokuName
    int m_ViewKoumokuCount = 0;                 // m_KoumokuCount as the view last saw it
    int m_BunFrom = 0;
    int m_BunTo = 0;
    int m_TreeDirty = 0;

protected:
    void OnGyouChanged() override { SetModifiedFlag(); }

private:
    void LeaveOpenDocs();
    CMstView* m_pView = nullptr;
    bool m_Closed = false;
};
