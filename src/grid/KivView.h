#pragma once
// CKivView: the estimate's character grid, the right pane of an estimate window and the object
// on which the estimate commands run. It edits one row at a time: the document (CKivDoc) holds
// the current item's rows in its work area, the view copies the cursor's work row into its row
// buffer m_EditGyou, changes fields there through the field table and stores it back.
//
// The editing position (item, row, rows scrolled away, cursor screen row, field, visible rows)
// lives in element 0 of the document's position arrays and of m_CurField; elements 1-10 are ten
// save slots, so that a command can put its caller's position back when it ends.
//
// Typing, field moves, caret, scrolling, painting, the click and the one-cell copy are the grid
// base's (GridViewBase); the estimate's differences are its GridDesc settings and hooks. Its own
// handlers are spread over several sources by what they do: KivView.cpp (members, positions,
// row path, life cycle, backup timer), KivViewPaint.cpp (font, painting, digit grouping, status
// panes, font size, print font), KivViewCaret.cpp (the category number read), KivViewScroll.cpp
// (the pan gesture), KivViewInput.cpp (what the estimate adds to the grid's typing, keys and
// clicks), KivViewMouse.cpp (double click, right button, the two-click row range), KivViewTankaHenkan.cpp (protection of converted prices),
// KivViewItems.cpp (item titles and item commands), KivViewPricing.cpp (the row's composite
// unit price and its detail dialog), KivViewRowCommands.cpp (row insertion, deletion, copy and
// move with the block undo snapshot), KivViewEdit.cpp (cell copy, cut, paste, undo and the
// row clipboard's paste), KivViewBukake.cpp (the productivity-rate commands), KivViewPrices.cpp
// (単価ｺﾋﾟｰ, 単価入替, 行を指定して単価変換, 単価表NO), KivViewForms.cpp (the print-form and
// address-book dialogs), KivViewBulk.cpp (bulk deletions and the quantity conversion),
// KivViewTekkyo.cpp (the removal conversion) and KivViewCsv.cpp (the CSV import).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/RecalcSeams.h"
#include "grid/GridViewBase.h"
#include "grid/FieldTable.h"
#include "grid/KivViewPrint.h"
#include "platform/text/Decimal.h"
#include "platform/ui/Dc.h"
#include "platform/ui/View.h"
#include "pricing/FukugouEngine.h"
#include "pricing/KivDetail.h"
#include "resources/CommandIds.h"

class CKivView;
class CKivPrint;
namespace csv {
struct Line;
struct Result;
}
class CMojiDialog;
namespace kiv::ui {
class Dialog;
}

// The estimate view created last (the tree pane and the master view reach the estimate through
// it); when that view goes, the one created before it that still exists, or null.
extern CKivView* g_pKivView;
// Set while a master transfer moves the focus to the estimate view: transfers in a row keep
// inserting below the previous one; only the user's own activation of the estimate starts
// again at the cursor.
extern bool g_KivTransferFocus;
// Thumb position of the last thumb-tracking message of a vertical scroll bar; shared by all
// estimate views.
extern int g_LastThumbPos;
// The marker text of the last 行を指定して単価変換 (CP932): the dialog's text and the factor. The
// protection of converted prices reads the marker from each row, never from here.
extern std::string g_GyouTankaHenkanText;

class CKivView : public GridViewBase, public KivDocView {
public:
    // --- Constants
    static constexpr int m_FirstScreenGyou = 1;   // screen lines 0-1 are the captions
    static constexpr int m_FirstField = 3;        // 記号: fields 1 and 2 (the key) are never edited
    static constexpr int m_LastField = 36;        // last field of a row on screen
    static constexpr int m_GyouLen = 1400;        // row length of the row buffers
    static constexpr int m_MaxGyou = 9999;        // most rows of one item
    static constexpr int m_HScrollRange = 9;      // horizontal scroll bar 0-9, pairs 0-8
    static constexpr int m_BunNoField = 35;       // GyouRecord.BunNo

    // Field numbers the commands use instead of literals (0: not set).
    static constexpr std::array<int, 57> m_FieldNo = {
        7,  8,  9,  10, 11, 12, 13, 14,                                  // 0-7 quantities, unit, prices
        42, 43, 50, 51, 58, 59, 66, 67, 74, 75, 82, 83, 90, 91,          // 8-21 material unit prices
        15, 16, 17, 18, 19, 20,                                          // 22-27
        44, 52, 60, 68, 76, 84, 92,                                      // 28-34 material remarks
        0,                                                               // 35
        21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32,                  // 36-47 rates and percentages
        33,                                                              // 48 掛率
        101, 102,                                                        // 49-50 detail flags
        0,  0,  0,                                                       // 51-53
        98, 99, 100,                                                     // 54-56 labour rates
    };

    static_assert(kPositionSlots == CKivDoc::kPositionSlots);   // element 0 and slots 1-10
    static constexpr int kBackupTimerId = 1;
    static constexpr int kBackupIntervalMs = 600000;
    static constexpr int kDaikaKeyCount = 10000;
    static constexpr int kGroupDigitsBufLength = 20;

    // An item title: 記号, 品名 and 規格 of the item's row 1 after its item number, then the two
    // amounts of its last 小計, 中計 or 表紙計 row (of row 1 when it has none).
    static constexpr int kKoumokuTitleLength = 92;

    CKivView();
    ~CKivView() override;
    CKivView(const CKivView&) = delete;
    CKivView& operator=(const CKivView&) = delete;

    // --- The estimate the view edits
    // The document set with SetDocument, else the framework's document when it is an estimate.
    CKivDoc* GetDocument() const;
    // Attaches the estimate (its view becomes this one); null detaches.
    void SetDocument(CKivDoc* doc);

    // --- What the document asks of its view
    void ReloadGyou() override { LoadGyou(); }
    void StoreRowBuffer() override { Serialize(true); }
    // The row being edited stored; when the estimate needs recalculation, the whole pass that
    // printing runs (RecalcWholeEstimate), its messages shown as printing shows them, and the
    // editing position kept.
    void PrepareSave() override;
    bool InsertGyou() override;
    void ApplyBubunTensou() override;
    void OnDocumentUpdate() override { onUpdate(nullptr, 0); }
    // For the tree pane after it switched the item: the visible rows' texts.
    void CallRedrawGyou() { RedrawGyou2(); }

    // The grid's row store: the estimate.
    GyouStore* Store() const override { return GetDocument(); }

    // --- Editing positions: slot k (1-10) keeps a copy of the six values (the grid's
    // SavePosition / RestorePosition). Restoring neither reloads the row buffer nor redraws.
    void SavePosition1() { SavePosition(1); }
    void SavePosition2() { SavePosition(2); }
    void SavePosition3() { SavePosition(3); }
    void SavePosition4() { SavePosition(4); }
    void SavePosition5() { SavePosition(5); }
    void SavePosition6() { SavePosition(6); }
    void SavePosition7() { SavePosition(7); }
    void SavePosition8() { SavePosition(8); }
    void SavePosition9() { SavePosition(9); }
    void SavePosition10() { SavePosition(10); }
    void RestorePosition1() { RestorePosition(1); }
    void RestorePosition2() { RestorePosition(2); }
    void RestorePosition3() { RestorePosition(3); }
    void RestorePosition4() { RestorePosition(4); }
    void RestorePosition5() { RestorePosition(5); }
    void RestorePosition6() { RestorePosition(6); }
    void RestorePosition7() { RestorePosition(7); }
    void RestorePosition8() { RestorePosition(8); }
    void RestorePosition9() { RestorePosition(9); }
    void RestorePosition10() { RestorePosition(10); }

    // --- Row path between the row buffer and the document
    void LoadKoumoku() { if (CKivDoc* d = GetDocument()) d->LoadKoumokuGyou(); }
    void StoreKoumoku() { if (CKivDoc* d = GetDocument()) d->StoreKoumokuGyou(); }
    void ClearGyouBuffer2() { m_EditGyou2.assign(m_GyouLen, ' '); }
    // The current item and row as the row buffer's key; a blank 補給 becomes "  1.0".
    void RenumberGyou();
    // A new row's blank 補給 becomes "  1.0" (RenumberStoreGyou and a row typed into after the
    // item's last).
    void NewGyouDefaults(std::string& row) override { GyouRecord::fillBlankHokyuu(row); }
    // The row buffer into the document before the estimate is written (storing); reading does
    // nothing: the rows come from the document.
    void Serialize(bool storing);

    // --- Painting (KivViewPaint.cpp). The routines without a device context draw at once on
    // the window; the others are parts of the paint.
    void DrawGyouSelected();
    void DrawTitleText(kiv::ui::Dc& dc);
    void DrawTitleFrames(kiv::ui::Dc& dc);
    // Digit grouping into m_GroupDigitsBuf, with m_FieldPos widened over the separator cells.
    void GroupDigitsField();
    void GroupDigitsPrintBuf();
    void GroupDigitsPrintBuf2();
    // The cover total grouped into the document's m_KingakuText.
    void GroupDigitsGoukei();
    // The style, rounding and labour-file panes of the status bar, from the document's settings.
    void UpdateStatusPanes();
    void UpdateStatusPane() override { UpdateStatusPanes(); }
    // Command 32868 画面フォントサイズ指定.
    void OnFontSize();
    // Command 32775 印刷フォント指定: the face of every printed font, kept in the profile; the
    // printers keep their own heights.
    void OnInsatuFont();

    // --- The category number (KivViewCaret.cpp)
    void ReadBunNo();

    // --- Scrolling (KivViewScroll.cpp)
    // The pan gesture: a positive vertical distance steps up, a negative one down.
    bool OnGesturePan(kiv::ui::Point from, kiv::ui::Point to);

    // --- Commands
    void OnOldDenkiHenkan();
    // 32843 歩掛けﾌｧｲﾙ選択: the table files of the five kinds (KivViewBukake.cpp).
    void OnBukakeFile();
    // 32900 歩掛け選択: a rate from the rate calculator into 歩掛１ of the current row; on the row
    // after the item's last that row is appended first. No recalculation.
    void OnBukakeSelect();

    // --- Settings, style and reference-file commands (KivViewSettings.cpp). Each makes its own
    // estimate current first, since the dialogs act on the current estimate.
    void OnEnzan();            // 32802 演算分類設定: recalculated, the scroll bar reset
    void OnMarume();           // 32803 桁の丸め: recalculated
    void OnFukuKirisute();     // 32804 複合単価丸め設定: recalculated, the view repainted
    void OnRoumu();            // 32801 複合労務単価設定 (its 登録 recalculates)
    void OnFukugou();          // 32805 複合単価か労務費計上して積算を選択: style change, status bar
    void OnHyousiFile();       // 32817 表紙ﾌｫｰﾑ選択
    void OnHeadderFile();      // 32818 ﾍｯﾀﾞｰ選択
    void OnSetteiFile();       // 32819 設定ﾌｧｲﾙ選択: nothing recalculated
    void OnRoumuFile();        // 32820 労務単価ﾌｧｲﾙ選択: recalculated without re-reading the settings
    void OnRoumuYoushiki();    // 32857 労務費計上様式に変更
    void OnFukugouYoushiki();  // 32858 複合単価様式に変更
    // The style conversion of every item (the recalculation does it; see RecalcSeams.h): false
    // when nothing changed because it could not be done.
    bool DeleteKeisanGyou() { return RunDeleteKeisanGyou(*this); }
    bool InsertKeisanGyou() { return RunInsertKeisanGyou(*this); }
    // The style check of the estimate, after loading it and after its labour prices changed.
    void CheckKeisanMode() { RunCheckKeisanModeView(*this); }
    void CheckKeisanModeAfterLoad() override { CheckKeisanMode(); }
    // The one warning for missing computed rows after a pass, then the flags cleared.
    void ClearKeisanGyouFlags() { RunClearKeisanGyouFlags(*this); }
    // The style, rounding and labour-file panes after 32805: in the labour-posting style the
    // rounding and labour-file panes are blanked.
    void UpdateFukugouPanes();

    // --- Print-form and address-book dialogs (KivViewForms.cpp): each opens its dialog through
    // the printing subsystem's hook (RecalcSeams::formDialogs), this estimate current.
    void OnHyousi();           // 32774 表紙作成: the cover total grouped first
    void OnAdress();           // 32779 相手先登録､印刷 (also the Home key)
    void OnHyousiForm();       // 32809 表紙ﾌｫｰﾑ設定
    void OnHedder();           // 32810 ﾍｯﾀｰ設定
    void OnAdressFile();       // 32842 相手先ﾌｧｲﾙ選択
    void OnHyousiChange();     // 32854 表紙ﾌｫｰﾑ切替
    void OnAdressPrintFile();  // 32856 宛先印刷設定ﾌｧｲﾙ選択

    // --- Bulk changes of rows (KivViewBulk.cpp): deletions over the whole estimate or a range
    // of the current item, the quantity conversion and the removal conversion.
    void OnSonotaRoumuDelete();
    void OnBikou2Delete();
    void OnHaturiDelete();          // first call: asks for the range
    void HaturiDeleteRange();       // second call
    void OnBukakeBikou2Delete();
    void BukakeBikou2DeleteRange();
    void OnSuuHenkan();
    void SuuHenkanRange();
    void OnTekkyoBukake();
    void TekkyoBukakeRange();
    // The second call of a range command starts with the row being edited stored, the position
    // kept in slot 9 and the caret hidden; it ends, on every path, with nothing waiting for rows,
    // the item recalculated when `recalc` and written back, the position back, the rows redrawn
    // and the caret shown. Between them it touches rows g_BlockStartGyou..LastRangeGyou(): never
    // past the item's last row, since rows after it are not the item's and are never created.
    void BeginRangeCommand();
    void FinishRangeCommand(bool recalc);
    int LastRangeGyou() const;
    // --- CSV import (KivViewCsv.cpp)
    void OnCsvRead();
    // Reads the file of the import settings into the row clipboard (not armed); false when it
    // stopped with a message.
    bool ReadCsvFile();
    struct CsvSettings {
        std::string Path;                 // CP932, as typed or chosen
        std::array<std::string, 6> Columns;   // 品名, 規格, 数量, 単位, 単価, 備考: "00" not read
        std::string BunNo;                // already "%04d" or empty
        int ToSyousai = 1;                // 詳細への１行目へも書込み
    };
    CsvSettings m_CsvSettings;
    // One line of the file as a row: texts cut on character boundaries, numbers cleaned. False,
    // with the message naming the line and value, when a number column holds a text that only
    // begins with a number or a number wider than its field.
    static bool CsvLineToGyou(const csv::Line& line, const CsvSettings& s, std::string& row, std::string& message);
    // The lines of a read file as rows, in file order; false with the message (the reader's
    // refusal, or the first line CsvLineToGyou stops at). The master's import shares it.
    static bool CsvResultToGyou(const csv::Result& r, const CsvSettings& s, std::vector<std::string>& rows,
                                std::string& message);
    int m_CsvGyouCount = 0;               // lines the last import read

    // --- Printing: the view's print state and job (print/KivPrint.h), run by 印刷 (57607),
    // direct printing (57608) and 印刷ﾌﾟﾚﾋﾞｭｰ (57609).
    CKivPrint& Print();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // The quantity-one rule on the row buffer (the exports call it before they write a row).
    void BlankTankaIfSuuOne();

    // --- Exports (src/export/)
    void OnExcelOut();
    void OnTextOut();
    void OnDaikaTextOut();
    void OnDaikaExcel();

    // --- Row primitives and row commands (KivViewRowCommands.cpp)
    // Opens an empty numbered row at the cursor, the cursor row and all below one place down;
    // false, with the limit message, when the item or the estimate is full (nothing moved).
    bool ShiftGyouDown();
    // Removes the cursor row, the rows below one place up (an item keeps at least one row);
    // deleting the last or last but one row leaves the cursor on the row above.
    void ShiftGyouUp();
    // The block undo snapshot of the estimate (the row buffer and the current item stored
    // first), then a pending move by 行複写 deletes its source rows.
    void SaveUndo();
    // The cursor inside the current item: no row past its last, the screen row consistent.
    void ClampCursorToKoumoku();
    // The current item recalculated and stored after a command changed its rows.
    void RecalcMovedRows();
    void OnGyouInsert();    // 32786 行挿入
    void OnGyouDelete();    // 32787 行削除
    void OnGyouCopy();      // 32794 行複写, first call (asks for the range)
    void GyouCopyRange();   // 32794 行複写, second call (the range is picked)

    // --- Price commands (KivViewPrices.cpp)
    // 32811 単価ｺﾋﾟｰ: asks for the range / collects its rows into the row clipboard as a price copy.
    void OnTankaCopy();
    void TankaCopyRange();
    // 32880 単価入替: every row of every item re-priced from the current master's rows.
    void OnTankaIrekae();
    // 32867 行を指定して単価変換: asks for the range / converts its rows.
    void OnGyouTankaHenkan();
    void GyouTankaHenkanRange();
    // The conversion of the row in m_EditGyou by m_GyouTankaHenkanRate with marker `marker`
    // (CP932), stored. False, and the row untouched, when a converted price would not fit its
    // field; `refused` then receives that price.
    bool GyouTankaHenkanGyou(const std::string& marker, std::string* refused);
    // 32855 内訳書に単価表NO記入.
    void OnTankaNo();

    // --- Edit commands (KivViewEdit.cpp); ｺﾋﾟｰ (57634) and 切り取り (57635) are the grid's
    void OnEditPaste();     // 57637 貼り付け
    void OnEditUndo();      // 57643 元に戻す
    // The copy buffer into the current field as the field takes it: numbers only into numeric
    // fields, right-aligned and only when they fit (else a message naming the value); text cut on
    // a character boundary. An all-blank buffer changes nothing. True when the field changed.
    bool PasteFieldFromBuffer();

    // --- Item titles and item commands (KivViewItems.cpp)
    // The recalculation of the current item's work rows and the check for missing computed rows
    // after it; the estimate recalculation supplies both through KivViewLinks.h.
    void RecalcKoumoku();
    void CheckKeisanGyou();
    // The whole estimate brought up to date before it leaves the program (printing, Save): the
    // row being edited and its item stored, the missing-row flag forgotten, then every item from
    // the last to the first (heading rows take totals of later items) loaded on its row 1,
    // recalculated twice and stored, `eachItem(k)` called after item k with it loaded; the
    // estimate is marked recalculated. One message pass: the rows' messages come once at its
    // end. The caller shows the missing-row summary afterwards (RunClearKeisanGyouFlags) and puts
    // the position back; item 1 is left current.
    void RecalcWholeEstimate(const std::function<void(int koumoku)>& eachItem = {});
    // The recalculation of the row in the buffer (its quantities and amounts, then every
    // computed-row calculator it feeds); the current field is left at 36.
    void RecalcGyou();
    // A calculator result recalculates the whole item.
    void RecalcNumberCell() override { RecalcKoumoku(); }
    // Rebuilds the document's item titles from its rows, recalculating the current item and the
    // ones before it first when rows changed since the last time. The current item's work rows
    // go back to the pool first; the editing position is the same afterwards.
    void RebuildKoumokuList();
    // The title of an item from the texts of its row 1 and of the row that gives the amounts.
    static std::string KoumokuTitle(std::string_view firstGyou, std::string_view kingakuGyou);
    // 32871 新項目追加: after the user's OK, a new last item with one row becomes current.
    void OnNewKoumoku();
    // 32872 項目名登録: the current item recalculated, the titles rebuilt, the tree refilled and
    // the cursor at the top of the item.
    void OnKoumokuToroku();
    // --- Item commands (KivViewItemCommands.cpp)
    // 32793 項目移動: to an item picked in the item list, or to a new last item.
    void OnKoumokuMove();
    // 32788 項目挿入 / 32789 項目削除: after the user's OK, an empty item at the current number /
    // the current item removed; the cursor at the top of the item.
    void OnKoumokuInsert();
    void OnKoumokuDelete();
    // 32847 項目集計作成: a new item at the current number listing the headings of the chosen
    // level of the items that follow.
    void OnKoumokuSyuukei();
    // 32866 合計入力: a total, expense or tax row below the cursor.
    void OnGoukeiInput();
    // For the tree pane.
    void CallNewKoumoku() { OnNewKoumoku(); }
    void CallKoumokuToroku() { OnKoumokuToroku(); }
    void CallRebuildKoumokuList() { RebuildKoumokuList(); }

    // --- Row pricing (KivViewPricing.cpp)
    // Prices the row in m_EditGyou (the caller loaded the current row) from its breakdown: the
    // composite unit prices 15/16 (and 13/14 for 常時複合単価で表示する), flag 102 when several
    // materials are priced; keeps the results in m_FukugouKekka, m_PricedGyou, m_RoumuNo and
    // m_NeedSleeve; stores the row. Its messages go through KivRowMessage: inside a
    // KivMessagePass they are collected and no dialog opens.
    void CalcFukugouTanka();
    // The breakdown of the last pricing with every amount's text (the pricing itself keeps none).
    KivDetail FukugouDetail() const;
    // Blank fields 7, 9, 17, 18 / 7, 8, 17, 18 of m_EditGyou; the current field is left at 18.
    void ClearSuuAmount();
    void ClearSuuAmount2();
    // The detail dialog on the current row; after OK the row is rewritten from it and stored
    // (true). The editing position is the same afterwards.
    bool ShowSyousai();
    // The breakdown's load and write-back without a dialog, on m_EditGyou, stored.
    void RefreshSyousai();
    // Command 32813 詳細表示.
    void OnSyousai();

    // --- Window handlers
    int onCreate() override;
    void onDestroy() override;
    void onShowWindow(bool show) override;
    void onInitialUpdate() override;
    void onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) override;
    void onKeyUp(int vk, int repeat, unsigned flags) override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onRButtonDown(unsigned flags, kiv::ui::Point p) override;

    // --- Converted prices (KivViewTankaHenkan.cpp)
    // The cursor leaves unit price 1 of a converted row after typing into it: its conversion
    // data goes, with a message; the typed price stays.
    void CheckGyouTankaHenkan();
    // The same after Delete blanked unit price 1 without typing.
    void CheckGyouTankaHenkan2();
    // Cut and cell undo ask first: on a converted row the warning and m_EditRefused = 1.
    void WarnGyouTankaHenkan();
    void onTimer(int id) override;
    // The thumb position every estimate view shares (g_LastThumbPos).
    int& LastThumbPos() override { return g_LastThumbPos; }

    // --- State the command handlers share
    // The row buffer m_EditGyou, the positions, the field geometry, the font measures and the
    // typing state are the grid's (GridViewBase).
    std::string m_EditGyou2;   // a second row buffer
    int m_BunNo = 0;           // category number read by ReadBunNo
    std::vector<std::string> m_DaikaKeys;   // keys of composite rows already in a unit-price table
    int m_InsertStarted = 0;   // InsertGyou has run since the view was last activated
    // True while a click on a number cell recalculates the item: a click commits no row, so a
    // row's amount that does not fit is not named again.
    bool m_RecalcAfterClick = false;

    // Estimate recalculation (src/recalc/KivRecalc.h does the work). The parameters it hands the
    // computed-row calculator it runs, valid during that call only:
    int m_KeisanCode = 0;                  // the operation-category code of the kind run
    std::array<int, 5> m_KeisanField{};    // the fields that kind reads its rates from
    int m_HiKeisanCode = 0;                // 付属品: the category its rows are computed over
    int m_SleeveRoumuCode = 0;             // スリーブ: the 労務費1(配管工) code
    // The unrounded amounts 雑材 and 経費 leave for the rounding step that follows them.
    std::array<kiv::text::Decimal, 2> m_ZatuzaiSum{};
    std::array<kiv::text::Decimal, 2> m_KeihiValue{};
    // Per item, kept by the item recalculation and read by the missing-row warnings, indexed
    // 0 継手, 1 接合材, 2 支持材, 3 スリーブ, 4 付属品１, 5 付属品２, 6 運搬費 (never used), 7 雑材,
    // 8-11 労務費1-4: whether some row needs a computed row of the kind, and how many it has.
    static constexpr int kKeisanKinds = 12;
    std::array<int, kKeisanKinds> m_KeisanNeed{};
    std::array<int, kKeisanKinds> m_KeisanCount{};
    int m_SaikeiCount = 0;
    int m_SyoukeiCount = 0;
    int m_TyuukeiHyousiCount = 0;
    // Some item recalculated since the flag was cleared lacks computed rows its rows need.
    int m_KeisanMissing = 0;

    // Row pricing: the results of the last CalcFukugouTanka (both tracks), the breakdown as it
    // priced it (every amount's text, for the composite unit-price sheet), the labour
    // registration numbers of the row last loaded, and whether an item's rows need sleeve
    // material (set here, cleared and read by the item recalculation).
    FukugouKekka m_FukugouKekka;
    // The row as the last pricing loaded it: FukugouDetail gives that pricing's breakdown texts.
    std::string m_PricedGyou;
    std::array<int, 3> m_RoumuNo{};
    int m_NeedSleeve = 0;
    // The detail dialog's line clipboard, kept from one dialog to the next.
    std::array<std::string, 7> m_SyousaiGyouClip;

    // Characters numeric typing stored into the current cell; another cell's typing never counts
    // (see TypedNumCountHere), the clearing check of converted prices resets it.
    int m_TypedNumCount = 0;
    int m_EditRefused = 0;     // WarnGyouTankaHenkan refused cut and cell undo
    // The cell buffers of ｺﾋﾟｰ, 切り取り and 元に戻す are the grid's, blanked whenever the view
    // is shown or hidden. The undo buffer remembers the cell it was cut from, by the document's id.
    int m_TankaCopyBikou2 = 0; // the last 単価ｺﾋﾟｰ copies the remarks too
    kiv::text::Decimal m_GyouTankaHenkanRate = 1;   // factor of the last 行を指定して単価変換
    std::unique_ptr<CMojiDialog> m_pMojiDialog;

    // Digit grouping: the buffer drawing takes a grouped number from, the counters of the last
    // grouping, and the two number buffers printing fills.
    std::string m_GroupDigitsBuf;
    int m_GroupIntDigits = 0;
    int m_GroupFracDigits = 0;
    int m_GroupPointSeen = 0;
    std::string m_PrintNumBuf;
    std::string m_PrintNumBuf2;

protected:
    // Closes the estimate without asking whether to save it (a declined conversion): through the
    // framework's close when the document is the framework's, else the document's own.
    virtual void CloseDocumentWithoutPrompt();

private:
    // Painting helpers (KivViewPaint.cpp): the estimate paints its rows and its current field
    // its own way; the grid base's row and redraw routines call these.
    void DrawFieldBox(kiv::ui::Dc& dc, int field) const;
    // The current field's text: numbers with separator cells grouped, or every field raw.
    void DrawFieldText(kiv::ui::Dc& dc, bool grouped);
    void DrawCurFieldOwnDc(bool grouped) override;
    void DrawRowRule(kiv::ui::Dc& dc);
    // The paint is the grid's; the estimate draws its own caption lines and sets its thumbs.
    void DrawTitle(kiv::ui::Dc& dc) override;
    void OnDrawn() override;
    // Fields 1-36 of the cursor's screen row: boxes in a look, texts on a background, the rule.
    void DrawRow(kiv::ui::Dc& dc, bool boxes, RowLook look, bool texts, bool rule) override;
    void GroupDigitsOf(const std::string& source, int width, bool adjustFieldPos);
    // Settings commands (KivViewSettings.cpp): the recalculation frame around a settings dialog
    // (`times` per item, or twice in the labour-posting style and once in the composite style
    // when 0), and the style change of 32805, 32857 and 32858.
    void RecalcFrame(int id, kiv::ui::Dialog& dlg, bool parse, int times);
    void StyleChange(int id);
    void RunSettingsDialog(kiv::ui::Dialog& dlg);
    // A print-form command: this view's estimate made current, then the dialog of `id` through
    // its hook (a message when none is connected).
    void RunFormCommand(int id);
    // The rows g_BlockStartGyou..g_BlockEndGyou of the current item, each loaded in turn (the
    // current row is left at the last); rows past the item's last come as empty rows.
    std::vector<std::string> CollectBlockRows();
    // What the estimate's keys, typing and clicks add to the grid's (KivViewInput.cpp).
    void MarkChanged() override;
    void OnNumberTyped() override;
    void CheckTypingCell() override { TypedNumCountHere(); }
    void OnLeaveCell() override { CheckGyouTankaHenkan(); }
    void OnNumberCellCleared() override { CheckGyouTankaHenkan2(); }
    bool TakeRangeStep() override;
    bool PickingRangeEnd() const override;
    // Enter on a number recalculates the whole item; on a unit price a detail makes, the detail.
    void RecalcEnteredNumber() override { RecalcKoumoku(); }
    void OnEnterNumber() override;
    void OnNumberCellClicked() override;
    void OnHomeKey() override { sendCommand(ID_ADRESS); }
    void OnFunctionKey(int vk) override;
    bool CellEditRefused() override;
    std::uint64_t StoreId() const override;
    void OnUpdateCursor() override;
    // The numeric-typing count of the cursor's cell: 0 once the cursor is on another cell.
    int TypedNumCountHere();
    void NoteTypedNum();
    // The conversion data of a converted row leave the row buffer (KivViewTankaHenkan.cpp).
    void DropTankaHenkan();
    // The start-row or end-row step of a two-click range (KivViewMouse.cpp).
    void BlockSelectStep();
    // Row 1 of the current item, first field, no rows scrolled away.
    void CursorToKoumokuTop();
    // The end of every item command: the vertical bar at 0, the horizontal one at its pairs, the views updated, the caret shown.
    void FinishKoumokuCommand();
    CKivDoc* m_pDoc = nullptr;
    KivPrintPtr m_Print;
    struct TypedCell {
        int koumoku = 0, gyou = 0, field = 0;
        bool operator==(const TypedCell&) const = default;
    };
    TypedCell m_TypedNumCell;  // the cell m_TypedNumCount counts for
    TypedCell CursorCell() const;
};
