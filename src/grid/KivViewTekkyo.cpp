// CKivView: 撤去歩掛等に変換, which turns a range of rows of the current item from new installation
// into removal (or reuse, or re-installation) work, with one undo step.
#include <algorithm>
#include <string>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/BlockSelect.h"
#include "grid/KivView.h"
#include "grid/TekkyoBukakeDialog.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

namespace {

using F = GyouRecord::Field;
using kiv::text::Decimal;
using kiv::text::sj;

const char* const kAskRange =
    "行単位で労務費を撤去・取付工に変換します。開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskConvert =
    "材料単価、継ぎ手類、ハツリ、スリーブ等を消去して労務費をを撤去・取付工に変換します。実行した場合、１回のみ元に作業前に戻ります。（別ファイルで作業していない場合）";
const char* const kMsgNotSaisiyou = "工種が 再使用 になっていません。再使用の工種を選択してください。";

constexpr int kRateWidth = 6;

// What the dialog chose, for every row alike.
struct Tekkyo {
    bool reinstall = false;    // 撤去(再使用)+再取付
    bool toritukeOnly = false; // 取付工(材料なし): the rows are marked 再使用
    bool saisiyou = false;     // the kind of work is one of reuse
    bool toBikou1 = false;
    std::string kfText;        // the kind's factor as written in it (CP932)
    Decimal kf;
    std::string kakeritu;      // the removal factor of the その他 percentages, four characters
    int fukugouMarume = 0;
};

const char* noteOf(const Tekkyo& t) {
    if (t.toritukeOnly)
        return "再使用";
    if (t.reinstall)
        return "撤去(再使用)+再取付";
    return t.saisiyou ? "撤去(再使用)" : "撤去";
}

// A new rate in six characters: two decimals from 100, three from 10, four below. In rounding mode
// 3 the last digit is rounded; in the others one more digit is formatted and cut off. Empty when
// the rate's whole digits do not fit six characters.
std::string formatRate(const Decimal& rate, int mode) {
    const Decimal magnitude = rate.isNegative() ? -rate : rate;
    const int decimals = magnitude >= Decimal(100) ? 2 : magnitude >= Decimal(10) ? 3 : 4;
    const bool rounded = mode == 3;
    std::string fmt = "%";
    fmt += std::to_string(rounded ? kRateWidth : kRateWidth + 1);
    fmt += '.';
    fmt += std::to_string(rounded ? decimals : decimals + 1);
    fmt += 'f';
    const std::string text = kiv::text::cformat(fmt, rate);
    const std::size_t point = text.find('.');
    if (point == std::string::npos || point > static_cast<std::size_t>(kRateWidth))
        return {};
    return text.substr(0, kRateWidth);
}

// Converts one row; false (the row left as it was) when a new rate does not fit its field.
bool convertRow(std::string& row, const Tekkyo& t) {
    std::string r = row;
    for (int f : {F::TugiteRitu, F::SetugouRitu, F::SijiRitu, F::HaturiRitu, F::UnpanRitu, F::FuzokuRitu,
                  F::ZatuzaiRitu, F::Tanka1, F::Tanka2, F::Bikou1, F::Bikou2})
        GyouRecord::blank(r, f);
    for (int k = 0; k < 7; ++k)
        for (int f : {F::Zai1Tanka1, F::Zai1Tanka2, F::Zai1Bikou})
            GyouRecord::blank(r, f + 8 * k);
    GyouRecord::putTextFitted(r, t.toBikou1 ? F::Bikou1 : F::Bikou2, sj(noteOf(t)));
    if (!t.toritukeOnly)
        for (int f : {F::Sonota1Ritu, F::Sonota2Ritu})
            if (!GyouRecord::toDecimal(r, f).isZero())
                GyouRecord::putNumber(r, f, t.kakeritu);
    if (GyouRecord::toDecimal(r, F::FukuHyouji).isZero() && GyouRecord::toDecimal(r, F::ZaiGoukei).isZero())
        GyouRecord::putNumber(r, F::Hokyuu, GyouRecord::DefaultHokyuu);
    const std::array<std::pair<int, int>, 3> lines = {
        {{F::Bukake1, F::Roumu1Bikou}, {F::Bukake2, F::Roumu2Bikou}, {F::Roumu3Bukake, F::Roumu3Bikou}}};
    for (const auto& [rateField, bikouField] : lines) {
        const Decimal rate = GyouRecord::toDecimal(r, rateField);
        if (rate.isZero())
            continue;
        std::string rateText(GyouRecord::raw(r, rateField));
        rateText.resize(kRateWidth, ' ');
        std::string note = sj("歩掛") + rateText;
        Decimal newRate = rate;
        if (t.reinstall) {
            note += sj("人x(1+撤去掛率") + t.kfText + ")";
            newRate = rate * (Decimal(1) + t.kf);
        } else if (t.toritukeOnly) {
            note += sj("人");
        } else {
            note += sj("人x 撤去掛率") + t.kfText;
            newRate = rate * t.kf;
        }
        GyouRecord::putTextFitted(r, bikouField, note);
        if (!newRate.isZero() && !t.toritukeOnly) {
            const std::string text = formatRate(newRate, t.fukugouMarume);
            if (text.empty())
                return false;
            GyouRecord::putNumber(r, rateField, text);
        }
    }
    row = std::move(r);
    return true;
}

} // namespace

void CKivView::OnTekkyoBukake() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_TEKKYO_BUKAKE, [](CKivView& v) { v.TekkyoBukakeRange(); }, kAskRange);
}

void CKivView::TekkyoBukakeRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    BeginRangeCommand();
    // The dialog stores the removal factor into the current estimate's settings.
    d->MakeCurrent();
    CTekkyoBukakeDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    bool recalc = false;
    if (dlg.doModal() == kiv::ui::IDOK) {
        g_BlockStartGyou = dlg.m_StartGyou;
        g_BlockEndGyou = dlg.m_EndGyou;
        recalc = true;
        Tekkyo t;
        t.reinstall = dlg.m_Saisiyou != 0;
        t.toritukeOnly = !t.reinstall && dlg.m_ToritukeOnly != 0;
        t.saisiyou = CTekkyoBukakeDialog::isSaisiyou(dlg.m_Kousyu);
        t.toBikou1 = dlg.m_ToBikou1 != 0;
        t.kfText = CTekkyoBukakeDialog::kousyuFactorText(dlg.m_Kousyu);
        t.kf = kiv::text::parseDecimal(t.kfText);
        t.kakeritu = dlg.m_SonotaKakeritu;
        t.fukugouMarume = d->FukugouMarume();
        if (!KivAsk(kAskConvert)) {
            // Nothing converted; the item is recalculated all the same.
        } else if (t.reinstall && !t.saisiyou) {
            KivMessage(kMsgNotSaisiyou);
        } else {
            ClearBlockSelect();
            RestorePosition9();
            SaveUndo();
            g_BlockUndoReady = 1;
            kiv::ui::App::WaitCursorScope wait;
            KivMessagePass pass;
            int refused = 0, firstRefused = 0;
            const int last = LastRangeGyou();
            for (int g = std::max(1, g_BlockStartGyou); g <= last; ++g) {
                d->SetCurGyou(g);
                LoadGyou();
                if (!convertRow(m_EditGyou, t)) {
                    if (refused++ == 0)
                        firstRefused = g;
                    continue;
                }
                StoreGyou();
                RecalcGyou();
                StoreGyou();
            }
            StoreKoumoku();
            if (refused > 0) {
                std::string text = "新しい歩掛けが6桁に収まらない行は変換しませんでした。（";
                text += std::to_string(refused) + "行、最初は" + std::to_string(firstRefused) + "行目）";
                KivMessage(text);
            }
        }
    }
    FinishRangeCommand(recalc);
}
