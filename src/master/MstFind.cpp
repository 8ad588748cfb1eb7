// CMstView: the name search. A right click on a text cell (not 単位) opens the modeless find
// dialog; each 次を検索 searches 品名 + 規格 of the rows from the position after the last hit to
// the last row of the last category, blanks removed on both sides.
#include "master/MstFind.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Frame.h"

CMstView* g_pMstFindView = nullptr;

namespace {

const char* const kMsgNotFound = "終了まで検索しましたが該当しませんでした。別の名称で再検索してください。";

std::size_t charLength(std::string_view s, std::size_t i) {
    return kiv::text::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

kiv::ui::MainFrame* mainFrame() {
    kiv::ui::App* a = kiv::ui::App::instance();
    return a ? a->mainFrame() : nullptr;
}

} // namespace

std::string RemoveFindBlanks(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size();) {
        const std::size_t n = charLength(cp932, i);
        const std::string_view c = cp932.substr(i, n);
        if (c != " " && c != "\x81\x40")
            out.append(c);
        i += n;
    }
    return out;
}

bool ContainsOnCharBoundary(std::string_view haystack, std::string_view needle) {
    if (needle.empty())
        return true;
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); i += charLength(haystack, i))
        if (std::memcmp(haystack.data() + i, needle.data(), needle.size()) == 0)
            return true;
    return false;
}

void CMstView::OpenFindDialog() {
    MstDoc* d = GetDocument();
    kiv::ui::MainFrame* frame = mainFrame();
    if (!d || !frame)
        return;
    LoadGyou();
    m_FindHits = 0;
    m_FindBun = 1;
    m_FindGyou = 1;
    if (frame->findDialog())
        return;
    if (frame->showFindDialog())
        g_pMstFindView = this;
    invalidate();
}

void CMstView::FindHinmei(const std::string& text) {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    if (m_FindText != text) {
        m_FindBun = 1;
        m_FindGyou = 1;
    }
    m_FindText = text;
    // Edits of the category on screen are part of what is searched and are kept.
    if (IsMasterGyou())
        StoreGyou();
    d->StoreKoumokuGyou();
    SavePosition(7);
    int hitBun = 0, hitGyou = 0;
    {
        kiv::ui::App::WaitCursorScope wait;
        // One pass over the lines: a line's row number in its category is its rank among the
        // category's lines, as loading the category orders them. The hit is the first match at or
        // after the search position in category and row order.
        std::vector<int> rank(static_cast<std::size_t>(std::max(0, d->KoumokuCount())) + 1, 0);
        std::string key;
        for (int j = 0; j < d->PoolGyouCount(); ++j) {
            const int bun = d->KoumokuOfSlot(j);
            if (bun < 1 || bun > d->KoumokuCount())
                continue;
            const int gyou = ++rank[static_cast<std::size_t>(bun)];
            if (bun < m_FindBun || (bun == m_FindBun && gyou < m_FindGyou))
                continue;
            if (hitBun != 0 && (bun > hitBun || (bun == hitBun && gyou > hitGyou)))
                continue;
            const std::string& row = d->PoolGyou(j);
            key.assign(GyouRecord::raw(row, GyouRecord::Hinmei));
            key.append(GyouRecord::raw(row, GyouRecord::Kikaku));
            if (ContainsOnCharBoundary(RemoveFindBlanks(key), m_FindText)) {
                hitBun = bun;
                hitGyou = gyou;
            }
        }
    }
    if (hitBun == 0) {
        // The next request with the same text starts past the end and reports at once.
        m_FindBun = d->KoumokuCount() + 1;
        m_FindGyou = 1;
        KivMessage(kMsgNotFound);
        RestorePosition(7);
        d->LoadKoumokuGyou();
    } else {
        d->SetCurKoumoku(hitBun);
        d->LoadKoumokuGyou();
        d->SetCurGyou(hitGyou);
        d->SetTopGyou(hitGyou - 1);
        d->SetScreenGyou(1);
        m_HScrollPairs = 0;
        setScrollPos(kiv::ui::SB_HORZ, 0);
        setScrollPos(kiv::ui::SB_VERT, 0);
        m_FindHits = 0;
        SavePosition(7);
        m_FindBun = hitBun;
        m_FindGyou = hitGyou + 1;
        invalidate();
    }
    LoadGyou();
    m_CurField[0] = m_FirstField;
    CalcFieldPos();
}

void MstFindNext(const std::string& findWhat) {
    if (g_pMstFindView)
        g_pMstFindView->FindHinmei(RemoveFindBlanks(findWhat));
}

void MstFindDialogClosed() { g_pMstFindView = nullptr; }

void MstFindViewGone(const CMstView* view) {
    if (!view || g_pMstFindView != view)
        return;
    g_pMstFindView = nullptr;
    if (kiv::ui::MainFrame* frame = mainFrame())
        if (kiv::ui::FindDialog* f = frame->findDialog())
            f->destroyWindow();
}
