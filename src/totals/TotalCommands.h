#pragma once
// The totals window's editing commands as they act on a totals document: rows, cells, unit
// prices (collected and pasted, or multiplied for one master category), category pages, a row's
// breakdown and its unit. Each works on the document it is given (the window's own) at its
// current category page and row (m_CurKoumoku[0], m_CurGyou[0]); the window stores its edited row
// before and reloads it after.
//
// The unit-price paste state is program-wide: every totals window shares it, and collected
// prices wait for the next paste across pages and windows.
#include <string>
#include <vector>

class CTotalDoc;
namespace kiv::ui {
class Window;
}

constexpr int kTotalClipRows = 1000;
extern std::vector<std::string> g_TotalRowClipboard;   // rows collected by 単価ｺﾋﾟｰ, 1000 of them
extern int g_TotalCopyStart;
extern int g_TotalCopyEnd;
extern int g_TotalCopyCount;           // rows to paste, end - start + 1
extern int g_TotalRowPastePending;     // the totals never arm a paste of whole rows
extern int g_TotalTankaPastePending;   // the next paste writes the collected unit prices
extern int g_TotalCopyBikou2;          // the unit-price paste writes 備考2 too
extern int g_TotalHenkanBun;           // the last 単価変換: master category,
extern int g_TotalHenkanKoumoku;       // page,
extern int g_TotalHenkanAll;           // all pages,
extern double g_TotalHenkanFactor;     // factor

namespace totalcmd {

extern const char* const kMsgTooLarge;   // "入力された数値が大きすぎます。…"
extern const char* const kMsgTooSmall;
extern const char* const kAskTankaPaste;
extern const char* const kAskHenkan;
extern const char* const kAskKoumokuInsert;
extern const char* const kAskKoumokuDelete;

// --- Rows
// 行挿入: a blank row numbered as the current row, the rows from it on one lower and renumbered.
// Refused with the totals' limit message when the page or the pool is full; nothing moves then.
bool InsertGyou(CTotalDoc& d);
// 行削除: the current row goes, the following rows move up and are renumbered, the freed slot is
// stored blank. The only row of a page becomes a blank row numbered 1.
void DeleteGyou(CTotalDoc& d);

// --- Cells of the current row. The buffers are the window's own (30 characters each); the undo
// buffer goes back only into the cell it was cut from.
struct CellBuffers {
    std::string Copy = std::string(30, ' ');
    std::string Undo = std::string(30, ' ');
    const CTotalDoc* UndoDoc = nullptr;
    int UndoKoumoku = 0, UndoGyou = 0, UndoField = 0;
};
void CellCopy(CTotalDoc& d, int field, CellBuffers& b);
void CellCut(CTotalDoc& d, int field, CellBuffers& b);
// The collected unit prices when a paste of them is pending, else the copied cell. Both pending
// flags are cleared after it.
void Paste(CTotalDoc& d, int field, CellBuffers& b);
void CellUndo(CTotalDoc& d, int field, const CellBuffers& b);

// --- Unit prices
// 単価ｺﾋﾟｰ after its dialog: rows start..end of the current page collected; false (with the
// message, nothing pending) when the range is out of the page or of the clipboard.
bool CollectTanka(CTotalDoc& d, int start, int end, int bikou2);
// 単価変換 after its dialog and question: unit prices 1 and 2 of the rows whose 分類 (field 35)
// is `bun` multiplied by `factor`, on page `koumoku` or on every page. Returns the rows changed.
// A page beyond the last is refused with a message; a price too wide for its field leaves the
// row as it was, reported once after the pass.
int TankaHenkan(CTotalDoc& d, int bun, int koumoku, bool all, double factor);

// --- Category pages
// Goes to page c: beyond the next free page a message and nothing changes; the next free page
// is made (one blank row) when the limits allow. Row 1 is current afterwards.
bool GoToKoumoku(CTotalDoc& d, int c);
// 項目挿入 / 項目削除 after their questions: titles rebuilt, the tree marked for refilling.
bool InsertKoumokuHere(CTotalDoc& d);
void DeleteKoumokuHere(CTotalDoc& d);

// --- The current row's unit and breakdown
void WriteTanni(CTotalDoc& d, const std::string& text);
// 詳細表示: the detail dialog on the current row; false after Cancel (nothing changed). The
// row's amounts are not recomputed.
bool ShowSyousai(CTotalDoc& d, kiv::ui::Window* parent);

} // namespace totalcmd
