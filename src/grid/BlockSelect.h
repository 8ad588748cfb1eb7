#pragma once
// The two-click row range of the range commands (行複写, 単価ｺﾋﾟｰ, 数量変換, ...). A command started
// from the menu asks the user to pick its rows; the grid view it was started on (an estimate's or
// a master's) then takes the start row and the end row from two clicks (or two presses of Enter)
// and runs the command again, which finds the state at 2 and the rows below.
//
// One command waits at a time, bound to the view that started it: a second range command replaces
// the first, and the clicks and Enter of any other view take no range step.
#include <functional>
#include <string>

class CKivView;
namespace kiv::ui {
class View;
}

// 0 idle; 1 waiting for the start row; 2 start row taken, waiting for the end row (and while the
// command runs its second time).
extern int g_BlockSelectState;
extern int g_BlockStartGyou;   // rows of the current item (category), from 1
extern int g_BlockEndGyou;
extern int g_BlockStartLine;   // their screen rows
extern int g_BlockEndLine;
extern int g_BlockGyouCount;   // end - start + 1

// The command's first call: asks `questionUtf8` with OK and Cancel. OK makes `commandId` the
// waiting command of `view` (state 1); `run` is its second call, made when the range is complete.
// Cancel leaves nothing waiting (false).
bool StartBlockSelectIn(kiv::ui::View& view, int commandId, std::function<void()> run,
                        const std::string& questionUtf8);
bool StartBlockSelect(CKivView& view, int commandId, std::function<void(CKivView&)> run,
                      const std::string& questionUtf8);
// Nothing waits any more and the state is 0 (a command's end, a view going away).
void ClearBlockSelect();
// The command waiting for its rows, 0 when none.
int PendingBlockCommand();
// True while `view`'s clicks and Enter pick rows (state 1 or 2 for a command it started).
bool BlockSelectIn(const kiv::ui::View& view);
// The view's range step was taken: runs the waiting command's second call.
void RunPendingBlockCommand(kiv::ui::View& view);
// A view goes away: a command it started stops waiting.
void ForgetBlockSelectView(const kiv::ui::View& view);

// The range step of a click or Enter in `view` (which must be BlockSelectIn): the first takes
// the start row and draws it grey; the second takes the end row, draws the range's rows on the
// screen grey and runs the waiting command. An end row before the start row cancels the range
// with the message. `slot` is a position save slot of the view the step may use. Written once
// for every grid view: `View` needs GetDocument() (a GyouStore), the row path, SavePosition,
// RestorePosition, DrawGyouSelected, RedrawGyou, CalcFieldPos, SetCaretToField and the caret.
void BlockOrderMessage();
template <class GridView>
void BlockSelectStepIn(GridView& v, int slot) {
    auto* d = v.GetDocument();
    if (!d || !BlockSelectIn(v))
        return;
    if (g_BlockSelectState == 1) {
        v.DrawGyouSelected();
        g_BlockStartGyou = d->CurGyou();
        g_BlockStartLine = d->ScreenGyou();
        g_BlockSelectState = 2;
        return;
    }
    v.SavePosition(slot);
    g_BlockEndGyou = d->CurGyou();
    g_BlockEndLine = d->ScreenGyou();
    if (g_BlockEndGyou < g_BlockStartGyou) {
        BlockOrderMessage();
        ClearBlockSelect();
        v.hideCaret();
        v.RestorePosition(slot);
        v.LoadGyou();
        v.StoreGyou();
        v.RedrawGyou();
        v.SetCaretToField();
        v.showCaret();
        return;
    }
    g_BlockGyouCount = g_BlockEndGyou - g_BlockStartGyou + 1;
    // The range's rows that are on the screen, drawn selected.
    for (int gyou = g_BlockStartGyou + 1; gyou <= g_BlockEndGyou; ++gyou) {
        const int screen = gyou - d->TopGyou();
        if (screen < 1 || screen > v.m_VisibleGyou)
            continue;
        d->SetCurGyou(gyou);
        d->SetScreenGyou(screen);
        v.LoadGyou();
        v.DrawGyouSelected();
    }
    v.RestorePosition(slot);
    v.LoadGyou();
    v.CalcFieldPos();
    RunPendingBlockCommand(v);
}
