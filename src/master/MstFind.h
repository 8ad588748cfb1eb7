#pragma once
// The master's name search: the find dialog that a right click on a text cell opens reports to
// the main frame, which runs CMstView::FindHinmei on the master view that opened it.
#include <string>
#include <string_view>

class CMstView;

// The master view the open find dialog serves, or null.
extern CMstView* g_pMstFindView;

// `cp932` without its full-width "　" and half-width " " blanks, read character by character (a
// trail byte never starts a blank).
std::string RemoveFindBlanks(std::string_view cp932);
// Whether `needle` stands in `haystack` starting on a character boundary (an empty needle does).
bool ContainsOnCharBoundary(std::string_view haystack, std::string_view needle);

// What the find dialog reported, for the main frame: the next search with `findWhat` (CP932),
// or the dialog closed.
void MstFindNext(const std::string& findWhat);
void MstFindDialogClosed();
// A master view goes: the find dialog it opened closes with it.
void MstFindViewGone(const CMstView* view);
