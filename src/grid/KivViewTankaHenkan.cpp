// Protection of converted prices: a row whose unit prices 行を指定して単価変換 converted keeps the
// price as entered, the factor and a marker text. Typing over or deleting its unit price 1 drops
// that conversion data (the row is an ordinary row again); cut and cell undo ask first.
#include <array>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"

namespace {

const char* const kMsgHenkanClear =
    "行を指定して単価変換機能で作成された単価なので元の単価をクリアします。新規に単価変換してください。";
const char* const kMsgHenkanWarn = "行を指定して単価変換された単価なので要注意";

bool isConverted(std::string_view row) { return !GyouRecord::toDecimal(row, GyouRecord::Zai1MotoTanka).isZero(); }

} // namespace

void CKivView::DropTankaHenkan() {
    std::string& row = m_EditGyou;
    GyouRecord::fitLength(row);
    // The marker text the conversion wrote into 備考2, or into detail remark 1 where the
    // unit-price-table numbering moved it out of 備考2. Only remarks that hold it are the
    // conversion's: a remark or a table number the user gave stays.
    std::string marker(kiv::text::trimRightBlanks(GyouRecord::raw(row, GyouRecord::Bikou2)));
    if (kiv::text::trimBlanks(marker).empty())
        marker = std::string(kiv::text::trimRightBlanks(GyouRecord::raw(row, GyouRecord::Zai1Bikou)));
    const bool hasMarker = !kiv::text::trimBlanks(marker).empty();
    for (int field : {GyouRecord::Bikou1, GyouRecord::Bikou2, GyouRecord::Zai1Bikou})
        if (hasMarker && kiv::text::trimRightBlanks(GyouRecord::raw(row, field)) == marker)
            GyouRecord::blank(row, field);
    GyouRecord::blank(row, GyouRecord::Kakeritu);
    for (int k = 0; k < 7; ++k)
        GyouRecord::blank(row, GyouRecord::Zai1MotoTanka + 8 * k);
}

void CKivView::CheckGyouTankaHenkan() {
    if (!GetDocument())
        return;
    hideCaret();
    SavePosition9();
    const int field = m_CurField[0];
    if (isConverted(m_EditGyou) && field == GyouRecord::Tanka1 && TypedNumCountHere() != 0) {
        KivMessage(kMsgHenkanClear);
        // The typed price stays as the row's new unit price 1.
        DropTankaHenkan();
        m_TypedNumCount = 0;
        StoreGyou();
        RecalcGyou();
        RestorePosition9();
        RedrawGyou2();
    }
    RestorePosition9();
    SetCaretToField();
    showCaret();
}

void CKivView::CheckGyouTankaHenkan2() {
    if (!GetDocument())
        return;
    hideCaret();
    SavePosition9();
    const int field = m_CurField[0];
    if (isConverted(m_EditGyou) && field == GyouRecord::Tanka1 && TypedNumCountHere() == 0) {
        KivMessage(kMsgHenkanClear);
        DropTankaHenkan();
        m_TypedNumCount = 0;
        StoreGyou();
        RecalcGyou();
        RestorePosition9();
        RedrawGyou();
        CalcFieldPos();
    }
    RestorePosition9();
    SetCaretToField();
    showCaret();
}

void CKivView::WarnGyouTankaHenkan() {
    if (!GetDocument())
        return;
    hideCaret();
    m_EditRefused = 0;
    if (isConverted(m_EditGyou)) {
        KivMessage(kMsgHenkanWarn);
        m_EditRefused = 1;
    }
    SetCaretToField();
    showCaret();
}
