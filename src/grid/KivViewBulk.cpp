// CKivView: bulk changes of rows — その他労務費削除 and 備考２削除 over the whole estimate, ﾊﾂﾘ歩掛け削除,
// 歩掛け～備考2削除 and 数量変換 over a range of the current item.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/BlockSelect.h"
#include "grid/HaturiDelDialog.h"
#include "grid/KivView.h"
#include "grid/RoumuBikou2DelDialog.h"
#include "grid/SuuHenkanDialog.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

namespace {

using F = GyouRecord::Field;

const char* const kAskSonotaDelete = "その他労務費掛け率を消去します。実行すると元には戻りません。よろしいですか？";
const char* const kAskBikou2Delete = "備考２と詳細の備考を消去します。実行すると元には戻りません。よろしいですか？";
const char* const kAskHaturiRange =
    "ハツリ歩掛けを消去します。開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskHaturiDelete =
    "ハツリ歩掛けを消去して改修工事に変換します。実行すると元には戻りません。よろしいですか？";
const char* const kAskBukakeBikou2Range =
    "行単位でデーターの歩掛け～備考2を削除します。開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskBukakeBikou2Delete = "行単位でデーターの歩掛け～備考2を削除します。実行すると元には戻りません。";
const char* const kAskSuuHenkanRange =
    "行単位で数量を変換します。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskSuuHenkan =
    "選択した行の数量を変換します。実行した場合、１回のみ元に作業前に戻ります。（別ファイルで作業していない場合）";

constexpr std::initializer_list<int> kMaterialRemarks = {F::Zai1Bikou, F::Zai2Bikou, F::Zai3Bikou, F::Zai4Bikou,
                                                          F::Zai5Bikou, F::Zai6Bikou, F::Zai7Bikou};
constexpr std::initializer_list<int> kLabourRemarks = {F::Roumu1Bikou, F::Roumu2Bikou, F::Roumu3Bikou};

void blankFields(std::string& row, std::initializer_list<int> fields) {
    for (int f : fields)
        GyouRecord::blank(row, f);
}

void blankBikou2Fields(std::string& row) {
    GyouRecord::blank(row, F::Bikou2);
    blankFields(row, kMaterialRemarks);
    blankFields(row, kLabourRemarks);
}

void blankBukakeBikou2Fields(std::string& row) {
    blankFields(row, {F::Bukake1, F::Bukake2, F::Sonota1Ritu, F::Sonota2Ritu, F::FuzokuRitu, F::TugiteRitu,
                      F::SetugouRitu, F::SijiRitu, F::HaturiRitu, F::ZatuzaiRitu});
    blankBikou2Fields(row);
    GyouRecord::putNumber(row, F::Hokyuu, GyouRecord::DefaultHokyuu);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Frames shared by the bulk commands

// Every row of every item, from the last item to the first: `change` on the row buffer, the row
// recalculated and stored, then the item recalculated and written back. The editing position is
// the same afterwards.
template <typename Change>
static void ForEveryGyou(CKivView& v, Change change) {
    CKivDoc* d = v.GetDocument();
    KivMessagePass pass;
    kiv::ui::App::WaitCursorScope wait;
    // The row being edited goes to the item first: nothing typed is lost.
    if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
        v.StoreGyou();
    v.StoreKoumoku();
    for (int k = d->KoumokuCount(); k >= 1; --k) {
        d->SetCurKoumoku(k);
        v.LoadKoumoku();
        for (int g = 1; g <= d->GyouCount(); ++g) {
            d->SetCurGyou(g);
            v.LoadGyou();
            change(v.m_EditGyou);
            v.RecalcGyou();
            v.StoreGyou();
        }
        v.RecalcKoumoku();
        v.StoreKoumoku();
    }
    v.RestorePosition1();
    v.LoadKoumoku();
    v.RestorePosition1();
    v.LoadGyou();
    v.CalcFieldPos();
    v.RedrawGyou();
}

void CKivView::OnSonotaRoumuDelete() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    if (!KivAsk(kAskSonotaDelete))
        return;
    hideCaret();
    ForEveryGyou(*this, [](std::string& row) { blankFields(row, {F::Sonota1Ritu, F::Sonota2Ritu}); });
    SetCaretToField();
    showCaret();
}

void CKivView::OnBikou2Delete() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    SavePosition1();
    if (KivAsk(kAskBikou2Delete)) {
        ForEveryGyou(*this, blankBikou2Fields);
        setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
        setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    }
    SetCaretToField();
    showCaret();
}

int CKivView::LastRangeGyou() const {
    const CKivDoc* d = GetDocument();
    return d ? std::min(g_BlockEndGyou, d->GyouCount()) : 0;
}

void CKivView::FinishRangeCommand(bool recalc) {
    CKivView& v = *this;
    CKivDoc* d = GetDocument();
    ClearBlockSelect();
    if (recalc) {
        v.RecalcKoumoku();
        v.StoreKoumoku();
    }
    v.RestorePosition9();
    v.LoadKoumoku();
    v.RestorePosition9();
    v.LoadGyou();
    v.RedrawGyou();
    v.setScrollRange(kiv::ui::SB_VERT, 0, v.m_VisibleGyou);
    v.setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    v.CalcFieldPos();
    v.SetCaretToField();
    v.showCaret();
}

void CKivView::BeginRangeCommand() {
    CKivView& v = *this;
    CKivDoc* d = GetDocument();
    v.hideCaret();
    if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
        v.StoreGyou();
    v.StoreKoumoku();
    v.SavePosition9();
}

// Rows g_BlockStartGyou..LastRangeGyou of the current item: `change` on each row buffer, the row
// recalculated when `recalc`, then stored.
template <typename Change>
static void ForRangeGyou(CKivView& v, bool recalc, Change change) {
    CKivDoc* d = v.GetDocument();
    kiv::ui::App::WaitCursorScope wait;
    KivMessagePass pass;
    const int last = v.LastRangeGyou();
    for (int g = std::max(1, g_BlockStartGyou); g <= last; ++g) {
        d->SetCurGyou(g);
        v.LoadGyou();
        change(v.m_EditGyou, g);
        if (recalc)
            v.RecalcGyou();
        v.StoreGyou();
    }
    v.StoreKoumoku();
}

// ---------------------------------------------------------------------------------------------
// ﾊﾂﾘ歩掛け削除, 歩掛け～備考2削除

void CKivView::OnHaturiDelete() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_HATURI_DELETE, [](CKivView& v) { v.HaturiDeleteRange(); }, kAskHaturiRange);
}

void CKivView::HaturiDeleteRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    BeginRangeCommand();
    CHaturi_delDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() == kiv::ui::IDOK) {
        g_BlockStartGyou = dlg.m_StartGyou;
        g_BlockEndGyou = dlg.m_EndGyou;
        if (KivAsk(kAskHaturiDelete))
            ForRangeGyou(*this, false, [](std::string& row, int) { GyouRecord::blank(row, F::HaturiRitu); });
    }
    FinishRangeCommand(true);
}

void CKivView::OnBukakeBikou2Delete() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_BUKAKE_BIKOU2_DELETE, [](CKivView& v) { v.BukakeBikou2DeleteRange(); },
                     kAskBukakeBikou2Range);
}

void CKivView::BukakeBikou2DeleteRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    BeginRangeCommand();
    CRoumu_bikou2delDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() != kiv::ui::IDOK) {
        FinishRangeCommand(false);
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    if (KivAsk(kAskBukakeBikou2Delete))
        ForRangeGyou(*this, true, [](std::string& row, int) { blankBukakeBikou2Fields(row); });
    FinishRangeCommand(true);
}

// ---------------------------------------------------------------------------------------------
// 数量変換

namespace {

// A quantity written back with one decimal in its eight characters: the product rounded to tenths
// must fit, else the field keeps its text and the caller reports it.
struct SuuOverflow {
    int count = 0;
    int firstGyou = 0;
    std::string firstValue;
};

void convertSuu(std::string& row, int field, const kiv::text::Decimal& factor, int gyou, SuuOverflow& over) {
    const kiv::text::Decimal q = GyouRecord::toDecimal(row, field);
    const kiv::text::Decimal p = q * factor;
    if (p.isZero())
        return;
    const std::string text = kiv::text::cformat("%.1f", p);
    if (!GyouRecord::putNumber(row, field, text)) {
        if (over.count++ == 0) {
            over.firstGyou = gyou;
            over.firstValue = text;
        }
    }
}

} // namespace

void CKivView::OnSuuHenkan() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_SUU_HENKAN, [](CKivView& v) { v.SuuHenkanRange(); }, kAskSuuHenkanRange);
}

void CKivView::SuuHenkanRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    BeginRangeCommand();
    CSuuHenkanDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    dlg.m_Kakeritu = 1.0;
    if (dlg.doModal() != kiv::ui::IDOK) {
        FinishRangeCommand(true);
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    // The factor as typed: exact decimal arithmetic on the text, not on its binary double.
    const kiv::text::Decimal factor = kiv::text::parseDecimal(dlg.m_KakerituText);
    if (!KivAsk(kAskSuuHenkan)) {
        FinishRangeCommand(true);
        return;
    }
    SaveUndo();
    g_BlockUndoReady = 1;
    SuuOverflow over;
    ForRangeGyou(*this, true, [&](std::string& row, int g) {
        convertSuu(row, F::HiroidasiSuu1, factor, g, over);
        convertSuu(row, F::HiroidasiSuu2, factor, g, over);
    });
    if (over.count > 0)
        KivMessage("数量変換の結果が8桁に収まらない数量は元のままです。（" + std::to_string(over.count) + "件、最初は" +
                   std::to_string(over.firstGyou) + "行目の " + over.firstValue + "）");
    FinishRangeCommand(true);
}
