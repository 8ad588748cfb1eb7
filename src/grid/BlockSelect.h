#pragma once
// The two-click row range of the range commands (行複写, 単価ｺﾋﾟｰ, 数量変換, ...). A command started
// from the menu asks the user to pick its rows; the grid view it was started on then takes the
// start row and the end row from two clicks (or two presses of Enter) and runs the command again,
// which finds the state at 2 and the rows below.
//
// One command waits at a time, bound to the view that started it: a second range command replaces
// the first, and the clicks and Enter of any other view take no range step.
#include <functional>
#include <string>

class CKivView;

// 0 idle; 1 waiting for the start row; 2 start row taken, waiting for the end row (and while the
// command runs its second time).
extern int g_BlockSelectState;
extern int g_BlockStartGyou;   // rows of the current item, from 1
extern int g_BlockEndGyou;
extern int g_BlockStartLine;   // their screen rows
extern int g_BlockEndLine;
extern int g_BlockGyouCount;   // end - start + 1

// The command's first call: asks `questionUtf8` with OK and Cancel. OK makes `commandId` the
// waiting command of `view` (state 1); `run` is its second call, made when the range is complete.
// Cancel leaves nothing waiting (false).
bool StartBlockSelect(CKivView& view, int commandId, std::function<void(CKivView&)> run,
                      const std::string& questionUtf8);
// Nothing waits any more and the state is 0 (a command's end, a view going away).
void ClearBlockSelect();
// The command waiting for its rows, 0 when none.
int PendingBlockCommand();
// True while `view`'s clicks and Enter pick rows (state 1 or 2 for a command it started).
bool BlockSelectIn(const CKivView& view);
// The view's range step was taken: runs the waiting command's second call.
void RunPendingBlockCommand(CKivView& view);
// A view goes away: a command it started stops waiting.
void ForgetBlockSelectView(const CKivView& view);
