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
#include <string>

#include "grid/FieldTable.h"
#include "grid/GridViewBase.h"

class MstDoc;
class CMstView;

// The view of the current master (g_pMstDoc), or null.
extern CMstView* g_pMstView;

class CMstView : public GridViewBase {
public:
    static constexpr int m_FirstScreenGyou = 1;   // screen lines 0-1 are the captions
    static constexpr int m_FirstField = 5;        // 品名: fields 1-4 are never edited
    static constexpr int m_LastField = 34;        // last field of a row on screen
    static constexpr int m_GyouLen = 1400;
    static constexpr int m_ConvertGyouLen = 1400;
    static constexpr int m_MaxGyou = 9999;        // most rows of one category
    static constexpr int m_HScrollFirstField = 19;
    static constexpr int m_HScrollLastField = 25;
    static constexpr int m_HScrollRange = 3;      // horizontal scroll bar 0-3, pairs 0-2
    static constexpr int m_BunField = 1;          // a master row's category is its field 1
    static constexpr int kPageStep = 5;           // rows per page of the vertical scroll bar
    static constexpr int kPaneFileName = 59146;   // the status pane that shows the master's file

    static constexpr int ID_ADRESS = 32779;       // Home: 相手先登録、印刷 (to the parent frame)
    static constexpr int ID_EDIT_COPY = 57634;
    static constexpr int ID_EDIT_CUT = 57635;
    static constexpr int ID_SYOUSAI = 32813;        // 詳細表示
    static constexpr int ID_TENSOU = 32800;         // 転送
    static constexpr int ID_BUBUN_TENSOU = 32878;   // 部分転送

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

    // --- Category title lists of the document (MstViewLists.cpp)
    // m_KoumokuName: per category an optional 備考 heading and the title (分類, 記号, 品名, 規格
    // of line 1); the document becomes the current master.
    void RebuildBunList();
    // m_BunSelectList: the title and the amounts of the category's 運搬費, 表紙計 or 中計 row.
    void RebuildKoumokuListNoCalc();
    // The field's bytes of a row as the master table lays them out.
    static std::string FieldText(const std::string& row, int field);

    // --- Window handlers
    int onCreate() override;
    void onDestroy() override;
    void onInitialUpdate() override;
    void onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onRButtonDown(unsigned flags, kiv::ui::Point p) override;

    // --- State
    std::array<int, 3> m_LabourNo{};                   // registration numbers of the last pricing
    std::array<std::string, 7> m_SyousaiGyouClip;     // the detail dialog's material-line clipboard
    int m_PendingBun = 0;   // category the labour check's detail dialog moves the row to, 0 none
    int m_BunNo = 0;
    std::string m_DocPath;   // the master's path, written to the profile when the view goes

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
    MstDoc* m_pAttached = nullptr;
    void Attach(MstDoc* doc);
    void Detach();
};
