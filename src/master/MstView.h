#pragma once
// CMstView: the master's character grid, the right pane of a master window. It shows the rows of
// the master's current category (分類), two screen lines per row under a two-line caption, and
// edits one row at a time: the document (MstDoc) holds the category's rows in its work area, the
// view copies the cursor's work row into its row buffer m_EditGyou, changes fields there through
// the master field table and stores it back.
//
// The editing position (category, row, rows scrolled away, cursor screen row, field, visible
// rows) lives in element 0 of the document's position arrays and of m_CurField; elements 1-7
// are save slots, so that a command can put its caller's position back when it ends.
//
// Leaving a cell recalculates only that row; the master has no group totals and no flag that
// marks it for recalculation.
//
// The grid machinery (geometry, painting, caret, typing, field moves, scrolling, the calculator)
// is the shared GridViewBase's, driven by the master's grid description; MstView.cpp holds the
// document link, the row recalculation and the life cycle; MstViewInput.cpp the master's own
// keys and mouse (Enter on a unit price, Tab, Home, the function keys, the double click and the
// right button); MstViewLists.cpp the category title lists.
#include <array>
#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "grid/FieldTable.h"
#include "grid/GridViewBase.h"
#include "resources/CommandIds.h"

class MstDoc;
class CMstView;
class CMstPrint;

// The view of the current master (g_pMstDoc), or null.
extern CMstView* g_pMstView;

class CMstView : public GridViewBase {
public:
    static constexpr int m_FirstScreenGyou = 1;   // screen lines 0-1 are the captions
    static constexpr int m_FirstField = 5;        // 品名: fields 1-4 are never edited
    static constexpr int m_LastField = 34;        // last field of a row on screen
    static constexpr int m_GyouLen = 1400;
    static constexpr int m_MaxGyou = 9999;        // most rows of one category
    static constexpr int m_HScrollLastField = 25;
    static constexpr int m_HScrollRange = 3;      // horizontal scroll bar 0-3, pairs 0-2
    static constexpr int m_BunField = 1;          // a master row's category is its field 1
    static constexpr int kPageStep = 5;           // rows per page of the vertical scroll bar
    static constexpr int kPaneFileName = 59146;   // the status pane that shows the master's file
    CMstView();
    ~CMstView() override;
    CMstView(const CMstView&) = delete;
    CMstView& operator=(const CMstView&) = delete;

    // The document set with SetDocument, else the framework's document when it is a master.
    MstDoc* GetDocument() const;
    void SetDocument(MstDoc* doc);
    // The document going away before its view: the view holds no pointer to it any more.
    void ForgetDocument(const MstDoc* doc);

    // --- What the document and the tree ask of the view
    void CallLoadGyou() { LoadGyou(); }
    void CallRecalcGyou() { RecalcGyou(); }
    void CallRedrawGyou() { RedrawGyou2(); }
    void CallRebuildBunList() { RebuildBunList(); }
    void OnDocumentUpdate() { onUpdate(nullptr, 0); }

    GyouStore* Store() const override;

    // --- Row path
    // The row in the buffer recalculated: the quantities (fields 7-10) blanked, stored.
    void RecalcGyou() override;
    void ReadBunNo();

    // --- Pricing and transfer (MstViewPricing.cpp)
    // The composite unit price of the row in the buffer from the master's labour list and
    // settings: fields 13-16 (and 102), stored.
    void CalcFukugouTanka();
    // The detail dialog on the cursor row; on OK the breakdown is written back, the row priced
    // (unless `price` is false: the labour check prices it itself) and stored. A 分類 naming
    // another category moves the row there. True on OK.
    bool ShowSyousai(bool price = true);
    // Every row of every category recalculated as one pass; the editing position is kept.
    void RecalcAllGyou();
    void OnSyousai();      // 32813 詳細表示
    void OnTensou();       // 32800 転送
    void OnBubunTensou();  // 32878 部分転送
    // The cursor is on a row of the category (not the empty row after its last).
    bool IsMasterGyou() const;
    // The stored cursor row to the end of category `bun`, renumbered; the old category closes
    // up. False (after the limit message) when `bun` has no room.
    bool MoveGyouToBun(int bun);

    // --- Printing: the print state and job (MstPrint.h), run by 印刷 (57607), direct printing
    // (57608), 印刷ﾌﾟﾚﾋﾞｭｰ (57609); 印刷フォント指定 (32775) shows a font sample.
    CMstPrint& Print() { return *m_Print; }
    // --- Bulk price changes (MstBulkPrices.cpp)
    void OnTankaHenkan();      // 32812 単価変換、削除 over a range of categories
    void OnSonotaHenkan();     // 32860 その他率を変換 over a range of categories
    void OnOldDenkiMaster();   // 32876 旧電気ﾏｽﾀｰを変換
    void OnBukakeSelect();     // 32900 歩掛け選択 into 歩掛１ of the cursor row
    // The rows of categories `from`..`to` whose own category lies in that range, each changed
    // by `change` (false: the row stays as it was and is counted), recalculated and stored.
    // The number of rows left unchanged; the first of them in `firstBun`/`firstGyou`.
    int ForBunRange(int from, int to, const std::function<bool(std::string&)>& change, int& firstBun,
                    int& firstGyou);

    // --- Price commands over a clicked row range (MstRangePrices.cpp)
    void OnTankaCopy();           // 32811 単価ｺﾋﾟｰ
    void TankaCopyRange();        // its second call, with the range
    void OnGyouTankaHenkan();     // 32867 行を指定して単価変換
    void GyouTankaHenkanRange();  // its second call, with the range

    // --- CSV import (MstCsvImport.cpp)
    // 32879 CSVﾌｧｲﾙ読込: the file's lines converted into rows the next 貼り付け inserts.
    void OnCsvRead();

    // --- Find (MstFind.cpp)
    // The right click on a text cell: the search restarts at category 1 and the find dialog
    // opens unless one is open.
    void OpenFindDialog();
    // The next row from (m_FindBun, m_FindGyou) whose 品名 + 規格, blanks removed, holds
    // `text`; see MstFind.cpp.
    void FindHinmei(const std::string& text);
    std::string m_FindText;
    int m_FindBun = 1;
    int m_FindGyou = 1;
    int m_FindHits = 0;

    // --- Category title lists of the document (MstViewLists.cpp)
    // m_KoumokuName: per category an optional 備考 heading and the title (分類, 記号, 品名, 規格
    // of line 1); the document becomes the current master.
    void RebuildBunList();
    // m_BunSelectList: the title and the amounts of the category's 運搬費, 表紙計 or 中計 row.
    void RebuildKoumokuListNoCalc();
    // The field's bytes of a row as the master table lays them out.
    static std::string FieldText(const std::string& row, int field);

    // --- Row, category and clipboard commands (MstViewRowCommands.cpp, MstViewBunCommands.cpp)
    // The command table entries of these commands (the constructor calls it).
    void AddRowCommands();
    void RenumberGyou();     // the buffer keyed with the cursor's category and row, "  1.0"
    bool ShiftGyouDown();    // a blank row at the cursor; false at a limit (no row moved)
    void ShiftGyouUp();      // the cursor's row removed
    void SaveUndo();         // the one-step snapshot (and a 行複写 move's deletion)
    void DrawGyouSelected(); // the buffer's row drawn grey, as a picked range row
    // A click or Enter while this view picks a range: the range step; true when it took it.
    bool BlockSelectStep();
    bool IsBlockSelecting() const;
    void OnEditUndo();       // 57643 元に戻す
    void OnEditPaste();      // 57637 貼り付け
    void OnGyouInsert();     // 32786 行挿入, F3
    void OnGyouDelete();     // 32787 行削除, F4
    void OnGyouCopy();       // 32794 行複写, F2
    void GyouCopyRange();    // its second call, with the range
    void OnKoumokuMove();    // 32793 分類移動, F1
    void OnKoumokuInsert();  // 32788 分類挿入, F5
    void OnKoumokuDelete();  // 32789 分類削除, F6
    void OnBikou2Delete();   // 32850 備考２削除
    void OnBikou2DeleteAll();// 32875 備考２一括削除
    void OnNewBun();         // 32870 新分類追加
    void OnBunToroku();      // 32873 分類名登録
    void OnFontSize();       // 32868 画面フォントサイズ指定
    // The CSV import's rows become what the next 貼り付け in this view inserts at the cursor
    // (renumbered, not recalculated).
    void SetCsvRows(const std::vector<std::string>& rows);
    bool PasteFieldFromBuffer();
    bool UndoField();
    void NoteCutCell();        // 切り取り: the cell 元に戻す may give the text back to
    void ForgetRowCommands();  // the view goes: its range and CSV rows go with it

    // --- Window handlers
    int onCreate() override;
    void onDestroy() override;
    void onInitialUpdate() override;
    void onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onRButtonDown(unsigned flags, kiv::ui::Point p) override;
    // Enter and a click also take the steps of a row range being picked.
    void onChar(unsigned ch, int repeat, unsigned flags) override;
    void onLButtonDown(unsigned flags, kiv::ui::Point p) override;

    // --- State
    std::array<int, 3> m_LabourNo{};                   // registration numbers of the last pricing
    std::array<std::string, 7> m_SyousaiGyouClip;     // the detail dialog's material-line clipboard
    int m_PendingBun = 0;   // category the labour check's detail dialog moves the row to, 0 none
    int m_BunNo = 0;
    std::string m_DocPath;   // the master's path, written to the profile when the view goes
    struct CutCell {
        const MstDoc* doc = nullptr;
        int bun = 0, gyou = 0, field = 0;
        bool operator==(const CutCell&) const = default;
    };
    CutCell m_FieldUndoCell;

protected:
    void NewGyouDefaults(std::string& row) override;
    void OnEnterNumber() override;
    void OnTabKey() override { OnTensou(); }
    void OnHomeKey() override { sendCommand(ID_ADRESS); }
    void OnFunctionKey(int vk) override;
    void UpdateStatusPane() override;

private:
    // No current estimate: the message, false.
    bool CanTransfer();
    // The document the view edits, when set directly (tests, benchmarks); and the document whose
    // view this is, which is told when the view goes.
    MstDoc* m_pDoc = nullptr;
    std::unique_ptr<CMstPrint> m_Print;
    MstDoc* m_pAttached = nullptr;
    void Attach(MstDoc* doc);
    void Detach();
};
