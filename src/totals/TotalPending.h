#pragma once
// The totals commands that are not built yet: the row commands the function keys and the right
// button start, printing and the exports. Each says so with the program's "not available yet"
// message; each is one line in CTotalDoc::ConnectPendingCommands (TotalPending.cpp), which the
// document's constructor runs last: a handler registered before it wins over its line.

// Shows the "not available yet" message.
void TotalNotAvailableYet();
