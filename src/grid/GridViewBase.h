#pragma once
// GridViewBase: the table-driven character grid that the estimate, master and totals windows share.
// A grid description (GridDesc) names the field table, the caption line, the first and last
// field of a row, the colours and the row length; the base does the rest the same way for every
// grid: geometry from the field table, font measuring, the caret, typing into the row buffer
// (text at the caret, numbers right-aligned as on a calculator, one decimal point), the stop
// order of NextField / PrevField (shown fields whose skip flag is clear), vertical scrolling,
// the calculator hand-off, the mouse, and the drawing of boxes, captions, texts, grouped
// numbers and row rules.
//
// The drawing routines are static and take a GridGeometry (where cell 0 and line 0 lie, a
// cell's width and the line pitch), so a printer draws a page through the same routines with
// its paper metrics.
//
// The editing position (category, row, rows scrolled away, cursor screen row) lives in element 0
// of the row store's position arrays and the field in m_CurField[0]; elements 1-10 are save
// slots, so a command can put its caller's position back when it ends. A derived view names its
// row store (Store) and adds what is its own: how a row is recalculated, what a new row holds,
// what Enter does on a number, Tab, Home and the function keys.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "grid/FieldTable.h"
#include "platform/ui/Dc.h"
#include "platform/ui/View.h"

class GyouStore;

namespace kiv::grid {

struct GridColors {
    ui::Color ClientPen = ui::rgb(100, 100, 100);
    ui::Color ClientFill = ui::rgb(211, 211, 211);
    ui::Color CellPen = ui::rgb(100, 100, 100);
    ui::Color CaptionFill = ui::rgb(211, 211, 211);
    ui::Color CaptionText = ui::rgb(0, 123, 67);
    ui::Color CaptionRule = ui::rgb(146, 7, 131);
    ui::Color RowFill = ui::rgb(255, 255, 200);
    ui::Color RowText = ui::kBlack;
    ui::Color SelectedPen = ui::kBlack;
    ui::Color SelectedFill = ui::rgb(200, 200, 200);
    ui::Color RulePen = ui::rgb(180, 200, 150);
    ui::PenStyle RuleStyle = ui::PenStyle::Solid;   // of both rules
};

struct GridDesc {
    const FieldTable* Table = nullptr;
    const std::string* TitleText = nullptr;   // the 310-byte caption line
    int FirstField = 5;                        // where a row's cursor starts
    int LastField = 34;                        // last field of a row on screen
    int RuleFirstField = 2;                    // the row rule runs from this field's box ...
    int RuleLastField = 34;                    // ... to this one's
    int GyouLen = 1400;
    int MaxGyou = 9999;                        // most rows of one category
    int HScrollRange = 0;                      // horizontal scroll bar 0..range; 0 none
    int PageStep = 5;                          // rows per page of the vertical scroll bar
    // A sideways scroll moves the cursor off a field it scrolled away (to the first field) and
    // measures the field again; when false the cursor keeps its field and geometry until the
    // next move.
    bool HScrollMovesCursor = true;
    // Leaving the empty row after the last stores and recalculates it as any row (the estimate);
    // when false that row belongs to no row yet and is left alone.
    bool CommitsRowAfterLast = false;
    // Backspace and Delete store the row at once; when false (the estimate) the row is stored
    // when the cursor leaves it.
    bool StoresAfterDelete = true;
    // '-' on a number cell: when true (the estimate) a sign on a blank cell before any typing
    // and the calculator everywhere else, a cell being typed into included; when false a sign
    // on a cell ending in a blank, the calculator on another cell not typed into, and nothing
    // while a number is being typed.
    bool MinusSignOnlyOnBlankCell = false;
    // The caret is put back after every key; when false (the estimate) only after the keys the
    // grid moves or edits on (arrows, Delete): Home and the function keys leave it to their
    // commands.
    bool CaretOnEveryKey = true;
    // A click on the line between two rows hits the lower row (the estimate); else the upper.
    bool ClickOnRuleHitsLowerRow = false;
    // Enter on a number in the empty row after the last appends an empty row, what the buffer
    // held dropped (the estimate); when false the new row keeps what was typed into it.
    bool EnterAppendsBlankRow = false;
    // Enter draws the row's boxes and rule again before the cursor moves on.
    bool EnterFramesRow = true;
    // Showing the grid puts the cursor's row at the top of the screen, keeping item, row and
    // field (the estimate); when false the cursor goes to row 1.
    bool ShowKeepsCursorRow = false;
    // After an arrow key or a click the vertical bar's range is the visible rows (the estimate);
    // when false an arrow key gives it the category's rows and a click leaves it.
    bool BarRangeIsVisibleRows = false;
    GridColors Colors;
};

// Where the grid lies on a device: cell c starts at x = CellOffset + c * CellWidth, line l at
// y = LineOffset + l * LinePitch (device units).
//
// The remaining members place boxes, texts and rules against those lines; their defaults are
// the screen's: a box starts two dots above its line and ends one dot above the next, a text
// stands on its line's top, a row rule runs two dots above its line from one cell left of the
// first field to one cell right of the last. A printed page has its own (its boxes fill their
// lines exactly, its texts stand lower in the box, grouped numbers half a cell further left).
struct GridGeometry {
    int CellOffset = 0;
    int LineOffset = 0;
    int CellWidth = 0;
    int LinePitch = 0;
    int BoxTop = -2;         // added to the top of a box's line
    int BoxBottom = -1;      // added to the top of the line below
    int TextTop = 0;         // added to the top of a text's line
    int GroupedShift = 0;    // added to the x of a number drawn with thousands separators
    int RuleTop = -2;        // added to the top of a rule's line
    int RuleFromCells = -1;  // the rule starts at the first field's X0 plus these cells
    int RuleToCells = 1;     // and ends at the last field's X1 plus these cells
    int x(int cell) const { return CellOffset + cell * CellWidth; }
    int y(int line) const { return LineOffset + line * LinePitch; }
};

// --- Drawing through a geometry (screen and paper alike)

// The box of a field, its thousands-separator cells included.
void DrawFieldBox(ui::Dc& dc, const GridGeometry& g, const FieldPos& pos, int commaCells);
// The field's bytes of `row`; a number with separator cells in its grouped form when `grouped`.
void DrawFieldText(ui::Dc& dc, const GridGeometry& g, const FieldPos& pos, std::string_view row, int commaCells,
                   bool grouped);
// The rule at the top of `line` from the left of field `from`'s box to the right of `to`'s.
void DrawLineRule(ui::Dc& dc, const GridGeometry& g, const FieldPos& from, const FieldPos& to, int line,
                  ui::Color pen, ui::PenStyle style = ui::PenStyle::Solid);
// The caption lines: the boxes, the rule between the two lines, the texts.
void DrawCaption(ui::Dc& dc, const GridGeometry& g, const GridDesc& desc, int hscrollPairs);
// Grid row `screenRow` holding `row`: its boxes, its texts (numbers grouped) and its rule, each
// when asked; `selected` draws it in the selection's colours.
void DrawGridRow(ui::Dc& dc, const GridGeometry& g, const GridDesc& desc, std::string_view row, int screenRow,
                 int hscrollPairs, bool boxes, bool texts, bool rule, bool selected);

// --- Horizontal scrolling, the same for every grid view

// The pairs scrolled away after a horizontal scroll-bar message: an arrow or the page area one
// pair left or right, the thumb to the pair it was dragged to; always within 0..maxPairs.
int HScrollPairsAfter(int code, int pos, int pairs, int maxPairs);
// Whether the horizontal bar has something to do: fields 1..lastField with `pairs` scrolled away
// reach past a client area `clientWidth` pixels wide, or pairs are scrolled away to come back.
bool HScrollNeeded(const FieldTable& table, int lastField, int pairs, int charWidth, int clientWidth);

} // namespace kiv::grid

class GridViewBase : public kiv::ui::View {
public:
    static constexpr int kPositionSlots = 11;     // element 0 and slots 1-10, as the row store has
    static constexpr int kMaxVisibleGyou = 100;
    static constexpr int kDefaultFontSize = 14;
    static constexpr int kCaretWidth = 2;
    static constexpr int kFieldBufLength = 30;

    explicit GridViewBase(const kiv::grid::GridDesc& desc);
    ~GridViewBase() override = default;
    GridViewBase(const GridViewBase&) = delete;
    GridViewBase& operator=(const GridViewBase&) = delete;

    const kiv::grid::GridDesc& Desc() const { return m_Desc; }
    // The row store the grid edits, or null.
    virtual GyouStore* Store() const = 0;

    // --- Editing positions
    void SavePosition(int slot);
    void RestorePosition(int slot);

    // --- Row path
    void LoadGyou();    // the cursor's work row into m_EditGyou, exactly GyouLen bytes
    void StoreGyou();   // m_EditGyou back into the cursor's work row when it changed
    // One more row for the current category, counted in m_GyouCount; false (with the store's
    // limit message) when there is no room.
    bool AddGyou();
    void ClearGyouBuffer() { m_EditGyou.assign(static_cast<std::size_t>(m_Desc.GyouLen), ' '); }
    // The cursor row becomes an empty row with its key (and what NewGyouDefaults adds), stored.
    void RenumberStoreGyou();
    // The row in the buffer recalculated and stored, as leaving a cell does.
    virtual void RecalcGyou() = 0;

    // --- Geometry, painting
    void CalcFieldPos();
    void CalcTitleFieldPos();
    void SetCaretToField();
    kiv::grid::GridGeometry ScreenGeometry() const { return {0, 0, m_CharWidth, m_LineHeight}; }
    void DrawCurField();
    void DrawCurFieldFormatted();
    void DrawCurGyou();
    void DrawGyouFramed();
    void RedrawGyou();
    void RedrawGyou2();
    kiv::ui::Font GridFont() const;

    // --- Navigation and scrolling
    void NextField();
    void PrevField();
    bool ScrollStepUp();
    bool ScrollStepDown();

    // --- Cell editing
    void InsertCharAtCaret();
    void DeleteCharAtCaret();
    void CheckDbcsAtCaret();
    bool TypeNumericChar();
    void ClearField();
    void OnEditCopy();
    void OnEditCut();
    // The copied cell into the current one by the shared paste rules, stored; false when
    // nothing was written.
    bool PasteCell();
    // The last cut text back, only into the cell it was cut from; false elsewhere.
    bool UndoCell();

    // --- Window handlers
    int onCreate() override;
    void onShowWindow(bool show) override;
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onDraw(kiv::ui::Dc& dc) override;
    void onSetFocus() override;
    void onKillFocus() override;
    void onKeyDown(int vk, int repeat, unsigned flags) override;
    void onChar(unsigned ch, int repeat, unsigned flags) override;
    void onLButtonDown(unsigned flags, kiv::ui::Point p) override;
    void onVScroll(int code, int pos) override;
    void onHScroll(int code, int pos) override;
    bool onMouseWheel(unsigned flags, int delta, kiv::ui::Point p) override;
    void onSize(int cx, int cy) override;

    // --- State
    std::string m_EditGyou;
    std::array<int, kPositionSlots> m_CurField{};
    std::array<int, kPositionSlots> m_SavedVisibleGyou{};
    FieldPos m_FieldPos;
    int m_CaretOfs = 0;
    int m_VisibleGyou = 30;
    int m_HScrollPairs = 0;
    int m_HScrollCells = 0;
    int m_CharWidth = 0;
    int m_CharHeight = 0;
    int m_LineHeight = 0;
    int m_FontSize = kDefaultFontSize;
    int m_TypedChar = 0;
    std::string m_TypeBuf;
    int m_TypedCount = 0;
    int m_PointTyped = 0;
    int m_FieldFull = 0;
    int m_IsDbcs = 0;
    std::string m_FieldCopyBuf = std::string(kFieldBufLength, ' ');
    std::string m_FieldUndoBuf = std::string(kFieldBufLength, ' ');
    // Where the undo buffer's text was cut: store (by StoreId), category, row, field.
    struct CellRef {
        std::uint64_t Store = 0;
        int Koumoku = 0, Gyou = 0, Field = 0;
        bool operator==(const CellRef&) const = default;
    };
    CellRef m_FieldUndoCell;
    CellRef CurrentCell() const;

protected:
    // --- What a derived grid adds
    // What an empty new row holds besides its key (the master: its supply factor).
    virtual void NewGyouDefaults(std::string& row) { (void)row; }
    // Typing, a calculator result or a new row changed what the store must recalculate (the
    // estimate: its recalculation flag).
    virtual void MarkChanged() {}
    // One character went into the number being typed (the estimate counts them per cell).
    virtual void OnNumberTyped() {}
    // Enter on a number cell, before the row is recalculated (the master: the detail dialog for
    // a unit price the detail writes).
    virtual void OnEnterNumber() {}
    // A click that made a number cell current.
    virtual void OnNumberCellClicked();
    // What a click on a number cell and a calculator result recalculate (the buffer stored
    // first): the cursor row; the totals grid recalculates the whole category.
    virtual void RecalcNumberCell() { RecalcGyou(); }
    // Before and after every key, character and click (the estimate forgets its count of typed
    // digits once the cursor stands on another cell).
    virtual void CheckTypingCell() {}
    // The cursor leaves a cell by Enter, an arrow or a click, before the row is stored (the
    // estimate: the check of converted prices).
    virtual void OnLeaveCell() {}
    // Delete blanked a number cell.
    virtual void OnNumberCellCleared() {}
    // Enter or a click while a two-click row range waits for its rows: the step taken, true; the
    // base has no ranges.
    virtual bool TakeRangeStep() { return false; }
    // While a range waits for its end row, Up and Down only store the row they leave.
    virtual bool PickingRangeEnd() const { return false; }
    // What Enter on a number recalculates, once the row is stored: the cursor row when it is one.
    virtual void RecalcEnteredNumber();
    // 切り取り refused on this cell (the estimate: a converted row, after its warning).
    virtual bool CellEditRefused() { return false; }
    // Which store the cut cell belongs to: a store's own id outlives a store at the same
    // address.
    virtual std::uint64_t StoreId() const;
    // The update of the views: the cursor's field measured again (the estimate also puts the
    // cursor on its first field, or on the quantity after a transfer).
    virtual void OnUpdateCursor() { CalcFieldPos(); }
    virtual void OnTabKey() {}
    virtual void OnHomeKey() {}
    virtual void OnFunctionKey(int vk) { (void)vk; }
    // Where the thumb position of the last thumb-tracking message is kept: this view's own; the
    // estimate views share one.
    virtual int& LastThumbPos() { return m_LastThumbPos; }
    // Every paint: the status pane's text.
    virtual void UpdateStatusPane() {}
    // A paint's rows are drawn, the position is back; the caret is put back next (the estimate
    // sets its scroll thumbs here).
    virtual void OnDrawn() {}

    enum class RowLook { Normal, Selected };
    void MeasureFont();
    int VisibleGyouFor(int clientHeight) const;
    bool KeepCursorOnScreen();
    int CommaCellsOf(int field) const;
    bool IsCursorField(int field) const;
    // The cursor's screen row: its boxes in a look, its texts, its rule; a grid that paints its
    // rows its own way (the estimate) gives its own.
    virtual void DrawRow(kiv::ui::Dc& dc, bool boxes, RowLook look, bool texts, bool rule);
    void DrawRowOwnDc(bool boxes, RowLook look, bool texts, bool rule);
    // The current field's text, grouped or raw; the estimate gives its own.
    virtual void DrawCurFieldOwnDc(bool grouped);
    // The client area's background and the caption lines; the estimate paints its own.
    virtual void DrawTitle(kiv::ui::Dc& dc);
    void DrawGyouAt(int gyou, int screenRow);
    void RedrawVisibleGyou(bool framed);
    void ScrollGridRows(int fromRow, int toRow, int rows);
    void ResetVScroll(int max);
    // The horizontal bar's range and position for the client area as it is now: enabled while
    // columns lie off screen or pairs are scrolled away.
    void ResetHScroll();
    void SetImeForField();
    void TypeTextByte(unsigned char c);
    void AlignNumericInput();
    void MoveCaretBackOneChar();
    void MoveCaretForwardOneChar();
    // Store the row, recalculate it (slot 1 kept), as every move off a row does.
    void CommitGyou();
    // An edit on the row after the category's last makes that row part of the category first;
    // false, with the limit message, when the category or the store is full.
    bool EnsureCursorGyou();
    // The row after the category's last becomes its last row: keyed, stored with what the buffer
    // holds; false, with the limit message, when there is no room.
    bool JoinCursorGyou();
    void EnterRules();
    void OpenCalcFromCell(char op);
    // A double click on a number cell of a row: the calculator with its own defaults; its result
    // into the cell, the row recalculated and the grid redrawn.
    void CalcOnDoubleClick();
    // A calculator result into the cell; refused with a message when wider than the cell.
    bool PutCalcResult(const std::string& result);
    int HitField(int screenRow, kiv::ui::Point p) const;
    // '-' typed now is a sign rather than the calculator's minus.
    bool MinusIsSign() const;

    kiv::grid::GridDesc m_Desc;
    int m_PendingLead = -1;
    int m_LastThumbPos = 0;
};
