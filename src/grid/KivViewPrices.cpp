// The price commands of the estimate view: 単価ｺﾋﾟｰ (the prices of a range of rows into the row
// clipboard, laid over other rows by the next 貼り付け), 単価入替 (every row re-priced from the
// current master), 行を指定して単価変換 (a range of rows' prices multiplied by a factor that can
// later be changed or taken back) and 内訳書に単価表NO記入 (shared numbers for the breakdown-priced
// rows).
#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/BlockSelect.h"
#include "grid/GridEditRules.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "grid/TankaDialogs.h"
#include "grid/TankaRewrite.h"
#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

using G = GyouRecord;
using kiv::text::cformat;
using kiv::text::Decimal;

std::string g_GyouTankaHenkanText;

namespace {

const char* const kAskTankaCopy =
    "行単位でデーターをコピーします。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskTankaPaste =
    "コピー・移動したい場所にカーソルを移動して張り付けを押してください。実行した場合、元に戻す操作で１回のみ元に"
    "作業前に戻ります。（別ファイルで作業していない場合）";
const char* const kAskIrekae =
    "材料単価を表示中のマスターファイルのものに変換します。該当なきデーター消去します。実行すると元には戻りません。"
    "よろしいですか？（処理に時間がかかる場合があります。）";
const char* const kMsgNoMaster =
    "マスターファイルが表示されていないので単価入替できません。変換したいマスターファイルを呼び出ししてください。";
const char* const kMsgFukugouMode =
    "内訳作成が複合計算モードに設定されています。このモードで作成した内訳は付属品、雑材、労務費が入力されていません。"
    "追加入力する必要があります。";
const char* const kAskGyouTankaHenkan =
    "行単位で単価を変換します。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskGyouTankaHenkanRun = "実行した場合、１回のみ元に作業前に戻ります。（別ファイルで作業していない場合）";
const char* const kDefaultHenkanText = "見積価格ｘ";
const char* const kAskTankaNo =
    "内訳書と単価表に印刷できるように単価表ＮＯを入れます。再配置にチェックが入っている場合はＮＯを並べ替えます。"
    "実行すると元には戻りません。よろしいですか？";

// 単価入替: the name key, the fields it copies from a matching master row and those it blanks on
// a row without one (the rates その他１ and その他２ stay).
constexpr int kNameKeyFields[] = {5, 6, 38, 39, 46, 47, 54, 55, 62, 63, 70, 71, 78, 79, 86, 87};
constexpr int kExchangeFields[] = {13, 14, 42, 43, 44, 50, 51, 52, 58, 59, 60, 66, 67, 68, 74, 75,
                                   76, 82, 83, 84, 90, 91, 92, 31, 32, 19, 20};
constexpr int kClearedFields[] = {13, 14, 42, 43, 44, 50, 51, 52, 58, 59, 60, 66, 67, 68, 74, 75,
                                  76, 82, 83, 84, 90, 91, 92, 19, 20};

// The sixteen name fields at their full widths, a row's missing bytes read as blanks.
std::string NameKey(std::string_view row) {
    std::string key;
    key.reserve(480);
    for (int f : kNameKeyFields) {
        const std::string_view v = G::raw(row, f);
        key.append(v);
        key.append(static_cast<std::size_t>(G::layout(f).Width) - v.size(), ' ');
    }
    return key;
}

bool isZero(std::string_view row, int field) { return G::toDecimal(row, field).isZero(); }

// 行を指定して単価変換: a row's material line k (1-7) as the conversion sees it.
int motoField(int k) { return G::Zai1MotoTanka + 8 * (k - 1); }
int zaiTankaField(int k) { return G::Zai1Tanka1 + 8 * (k - 1); }
int zaiBikouField(int k) { return G::Zai1Bikou + 8 * (k - 1); }

// 単価表NO.
bool hasRoumuRate(std::string_view row) {
    return !isZero(row, G::Roumu1Bukake) || !isZero(row, G::Roumu2Bukake) || !isZero(row, G::Roumu3Bukake);
}
bool pricedByBreakdown(std::string_view row) { return !isZero(row, G::ZaiGoukei) || hasRoumuRate(row); }
bool singleLineDetail(std::string_view row) {
    if (G::isBlank(row, G::Zai1Hinmei) || !G::isBlank(row, G::Zai1Bikou))
        return false;
    for (int k = 2; k <= 7; ++k)
        if (!G::isBlank(row, G::Zai1Hinmei + 8 * (k - 1)))
            return false;
    return true;
}
// Symbol, name and specification (item and row numbers left out) and the composite unit price 1.
std::string DaikaKey(std::string_view row) {
    const auto& kikaku = G::layout(G::Kikaku);
    const auto& fukugou = G::layout(G::FukugouTanka1);
    std::string key(row.substr(0, static_cast<std::size_t>(kikaku.Offset + kikaku.Width)));
    key.replace(0, 8, 8, ' ');
    key.append(row.substr(static_cast<std::size_t>(fukugou.Offset), static_cast<std::size_t>(fukugou.Width)));
    return key;
}

// An existing unit-price-table number in a remarks-1 text (CP932, trimmed): the trailing run of
// digits is the number (none, or more than 9 digits: 0) and the text before it, without its
// trailing blanks, the prefix. A trail byte of CP932 is never an ASCII digit, so the run is whole.
struct TankaNoParts {
    std::string prefix;
    int number = 0;
};
TankaNoParts ParseTankaNo(std::string_view bikou1) {
    const std::string_view text = kiv::text::trimBlanks(bikou1);
    std::size_t start = text.size();
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9')
        --start;
    TankaNoParts parts;
    parts.prefix = std::string(kiv::text::trimRightBlanks(text.substr(0, start)));
    const std::string_view digits = text.substr(start);
    if (!digits.empty() && digits.size() <= 9)
        parts.number = kiv::text::parseInt(digits);
    return parts;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// 単価ｺﾋﾟｰ

void CKivView::OnTankaCopy() {
    if (!GetDocument())
        return;
    SavePosition9();
    StartBlockSelect(*this, ID_TANKA_COPY, [](CKivView& v) { v.TankaCopyRange(); }, kAskTankaCopy);
}

void CKivView::TankaCopyRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    CTankaCopyDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() != kiv::ui::IDOK) {
        ClearBlockSelect();
        hideCaret();
        RestorePosition9();
        LoadGyou();
        RedrawGyou();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    m_TankaCopyBikou2 = dlg.m_Bikou2;
    ClearBlockSelect();
    StoreGyou();
    // A row past the item's last is collected empty: its paste blanks the prices.
    const std::vector<std::string> rows = CollectBlockRows();
    g_RowClipboard.Fill(RowClipKind::TankaCopy, rows, nullptr, m_TankaCopyBikou2 != 0);
    RestorePosition9();
    LoadGyou();
    // Cancel keeps the rows collected but arms no paste.
    if (KivAsk(kAskTankaPaste))
        g_RowClipboard.Armed = true;
    hideCaret();
    RestorePosition9();
    // A move left pending by 行複写 must not delete rows with this snapshot.
    g_BlockMove = 0;
    SaveUndo();
    g_BlockUndoReady = 1;
    // Its paste goes on with this command: 元に戻す after it returns to before both.
    g_RowClipboard.UndoSerial = d->m_UndoSerial;
    LoadGyou();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 単価入替

void CKivView::OnTankaIrekae() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    if (!KivAsk(kAskIrekae))
        return;
    hideCaret();
    SavePosition8();
    const std::optional<std::span<const std::string>> master = CurrentMasterLines();
    if (!master) {
        KivMessage(kMsgNoMaster);
        SetCaretToField();
        showCaret();
        return;
    }
    kiv::ui::App::WaitCursorScope wait;
    if (d->IsFukugouStyle())
        KivMessage(kMsgFukugouMode);

    // The master's name keys, each naming its first row in file order, so that every estimate
    // row finds the same master row a scan in file order would find first.
    std::unordered_map<std::string, std::size_t> index;
    index.reserve(master->size());
    for (std::size_t i = 0; i < master->size(); ++i)
        index.emplace(NameKey((*master)[i]), i);

    StoreGyou();
    StoreKoumoku();
    for (int k = 1; k <= d->KoumokuCount(); ++k) {
        d->SetCurKoumoku(k);
        LoadKoumoku();
        for (int r = 1; r <= d->GyouCount(); ++r) {
            d->SetCurGyou(r);
            LoadGyou();
            // A computed row keeps its prices: the recalculation makes them, or the user typed
            // them (a hand-priced expense), and no master row stands for it.
            if (d->GetSetteiValues().isComputed(G::toInt(m_EditGyou, G::BunNo)))
                continue;
            const auto hit = index.find(NameKey(m_EditGyou));
            if (hit != index.end()) {
                ClearGyouBuffer2();
                const std::string& src = (*master)[hit->second];
                m_EditGyou2.replace(0, std::min(src.size(), m_EditGyou2.size()), src, 0, m_EditGyou2.size());
                for (int f : kExchangeFields) {
                    const auto& l = G::layout(f);
                    m_EditGyou.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width),
                                       m_EditGyou2, static_cast<std::size_t>(l.Offset),
                                       static_cast<std::size_t>(l.Width));
                }
            } else {
                for (int f : kClearedFields)
                    G::blank(m_EditGyou, f);
            }
            StoreGyou();
        }
        StoreKoumoku();
    }
    RestorePosition8();
    LoadKoumoku();
    RestorePosition8();
    LoadGyou();
    RunRecalcAllKoumoku(*this, 1);
    d->MarkNeedsRecalc();
    RestorePosition8();
    LoadKoumoku();
    RestorePosition8();
    LoadGyou();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 行を指定して単価変換

void CKivView::OnGyouTankaHenkan() {
    if (!GetDocument())
        return;
    hideCaret();
    SavePosition9();
    if (!StartBlockSelect(*this, ID_GYOU_TANKA_HENKAN, [](CKivView& v) { v.GyouTankaHenkanRange(); },
                          kAskGyouTankaHenkan))
        RestorePosition9();
    SetCaretToField();
    showCaret();
}

bool CKivView::GyouTankaHenkanGyou(const std::string& marker, std::string* refused) {
    std::string row = m_EditGyou;
    G::fitLength(row);
    const Decimal f = m_GyouTankaHenkanRate;
    const bool one = f == Decimal(1);
    const bool detail = G::toInt(row, G::FukuHyouji) == 1 || G::toInt(row, G::ZaiGoukei) == 1;
    auto priceField = [&](int k) { return k == 1 && !detail ? int(G::Tanka1) : zaiTankaField(k); };
    const int lines = detail ? 7 : 1;

    // Every converted price is worked out before the row is touched: a price too wide for its
    // field leaves the whole row as it was.
    std::array<std::optional<std::string>, 8> texts;
    if (!one) {
        for (int k = 1; k <= lines; ++k) {
            Decimal m = G::toDecimal(row, motoField(k));
            if (m.isZero())
                m = G::toDecimal(row, priceField(k));
            const Decimal x = m * f;
            if (x.isZero())
                continue;
            texts[static_cast<std::size_t>(k)] = PriceText(x);
            if (!texts[static_cast<std::size_t>(k)]) {
                if (refused)
                    *refused = cformat("%.1f", x);
                return false;
            }
        }
    }

    G::blank(row, G::Bikou2);
    G::putTextFitted(row, G::Bikou2, marker);
    if (!one)
        G::putNumber(row, G::Kakeritu, kiv::text::leftChars(cformat("%1.4f", f), 6));
    for (int k = 1; k <= 7; ++k) {
        const int p = priceField(k);
        if (k <= lines) {
            const int mf = motoField(k);
            if (!one && isZero(row, mf)) {
                G::blank(row, mf);
                G::putNumber(row, mf, std::string(kiv::text::trimBlanks(G::raw(row, p))));
            } else if (one && !isZero(row, mf)) {
                G::blank(row, p);
                G::putNumber(row, p, std::string(kiv::text::trimBlanks(G::raw(row, mf))));
                G::blank(row, mf);
                G::blank(row, G::Kakeritu);
            }
            if (!one && !isZero(row, mf) && texts[static_cast<std::size_t>(k)]) {
                G::blank(row, p);
                G::putNumber(row, p, *texts[static_cast<std::size_t>(k)]);
            }
        }
        if (!isZero(row, p)) {
            G::blank(row, zaiBikouField(k));
            G::putTextFitted(row, zaiBikouField(k), marker);
        }
    }
    m_EditGyou = row;
    CalcFukugouTanka();
    if (detail && !m_FukugouKekka.Tanka[0].isZero())
        if (const auto text = PriceText(m_FukugouKekka.Tanka[0])) {
            G::blank(m_EditGyou, G::Tanka1);
            G::putNumber(m_EditGyou, G::Tanka1, *text);
        }
    StoreGyou();
    return true;
}

void CKivView::GyouTankaHenkanRange() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition9();
    CGyouTankaHenkanDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    dlg.m_Kakeritu = 1.0;
    dlg.m_Text = kiv::text::sj(kDefaultHenkanText);
    bool run = false;
    if (dlg.doModal() == kiv::ui::IDOK) {
        g_BlockStartGyou = dlg.m_StartGyou;
        g_BlockEndGyou = dlg.m_EndGyou;
        m_GyouTankaHenkanRate = dlg.m_KakerituValue;
        g_GyouTankaHenkanText = dlg.m_Text;
        run = KivAsk(kAskGyouTankaHenkanRun);
    }
    ClearBlockSelect();
    StoreGyou();
    if (run) {
        g_BlockMove = 0;
        SaveUndo();
        g_BlockUndoReady = 1;
        kiv::ui::App::WaitCursorScope wait;
        g_GyouTankaHenkanText += cformat("%1.4f", m_GyouTankaHenkanRate);
        // The marker as a remarks field holds it: 30 bytes, cut on a character boundary.
        std::string marker = std::string(30, ' ');
        kiv::text::putLeftFitted(marker, 0, 30, g_GyouTankaHenkanText);
        marker = std::string(kiv::text::trimRightBlanks(marker));
        int refusedCount = 0;
        RowPlace firstRefused;
        std::string firstValue;
        {
            KivMessagePass pass;
            const int last = std::min(g_BlockEndGyou, d->GyouCount());
            for (int r = std::max(1, g_BlockStartGyou); r <= last; ++r) {
                d->SetCurGyou(r);
                LoadGyou();
                // A computed row's rate is its own (an expense's percentage, a labour factor):
                // the factor of the conversion must not replace it.
                if (d->GetSetteiValues().isComputed(G::toInt(m_EditGyou, G::BunNo)))
                    continue;
                std::string value;
                if (!GyouTankaHenkanGyou(marker, &value) && refusedCount++ == 0) {
                    firstRefused = {d->CurKoumoku(), r, false};
                    firstValue = value;
                }
            }
        }
        if (refusedCount > 0)
            KivMessage(KivPassSummary("変換後の単価が10桁に収まらないため、その行は変換しませんでした（" + firstValue + "）。",
                                      refusedCount, firstRefused));
    }
    RestorePosition9();
    LoadGyou();
    RecalcKoumoku();
    StoreKoumoku();
    d->MarkNeedsRecalc();
    hideCaret();
    RestorePosition9();
    LoadKoumoku();
    RestorePosition9();
    LoadGyou();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 内訳書に単価表NO記入

void CKivView::OnTankaNo() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    auto reloadCurrent = [&] {
        StoreGyou();
        RecalcKoumoku();
        StoreKoumoku();
        LoadKoumoku();
        RestorePosition1();
        LoadGyou();
    };
    auto end = [&] {
        RestorePosition1();
        LoadKoumoku();
        RestorePosition1();
        LoadGyou();
    };
    // Runs `visit` on every row of every item, in item and row order, through the row buffer.
    auto eachRow = [&](const std::function<void()>& visit) {
        for (int k = 1; k <= d->KoumokuCount(); ++k) {
            d->SetCurKoumoku(k);
            LoadKoumoku();
            for (int r = 1; r <= d->GyouCount(); ++r) {
                d->SetCurGyou(r);
                LoadGyou();
                visit();
            }
            StoreKoumoku();
        }
    };

    reloadCurrent();
    m_DaikaKeys.clear();
    int highest = 0;
    std::string prefix;
    {
        kiv::ui::App::WaitCursorScope wait;
        eachRow([&] {
            const std::string& row = m_EditGyou;
            if (G::isBlank(row, G::Bikou1))
                return;
            bool own = G::isBlank(row, G::BunGyouNo) || !G::isBlank(row, G::Zai1Tanka1);
            for (int k = 1; k <= 6 && !own; ++k)
                own = !G::isBlank(row, zaiBikouField(k));
            if (!own || !pricedByBreakdown(row))
                return;
            const TankaNoParts parts = ParseTankaNo(G::raw(row, G::Bikou1));
            highest = std::max(highest, parts.number);
            prefix = parts.prefix;
        });
    }
    end();

    CTankaNoDialog dlg(this);
    dlg.m_Prefix = prefix;
    if (dlg.doModal() != kiv::ui::IDOK || !KivAsk(kAskTankaNo)) {
        end();
        return;
    }
    reloadCurrent();
    kiv::ui::App::WaitCursorScope wait;
    int counter = highest;
    if (dlg.m_Renumber) {
        eachRow([&] {
            if (pricedByBreakdown(m_EditGyou) || !isZero(m_EditGyou, G::FukuHyouji)) {
                G::blank(m_EditGyou, G::Bikou1);
                StoreGyou();
            }
        });
        counter = 0;
    }
    m_DaikaKeys.clear();
    // The numbered rows' keys, each naming the first numbered row that has it.
    std::unordered_map<std::string, std::size_t> numbered;
    eachRow([&] {
        std::string& row = m_EditGyou;
        if (dlg.m_MoveBikou2) {
            // 備考2 leaves only where it was copied to: a remark with no place to go stays.
            bool copied = false;
            const std::string bikou2(G::raw(row, G::Bikou2));
            if (hasRoumuRate(row)) {
                if (singleLineDetail(row)) {
                    G::putTextFitted(row, G::Zai1Bikou, bikou2);
                    copied = true;
                }
            } else {
                if (G::isBlank(row, G::Bikou1) && isZero(row, G::ZaiGoukei) && isZero(row, G::FukuHyouji)) {
                    G::putTextFitted(row, G::Bikou1, bikou2);
                    copied = true;
                }
                if (G::isBlank(row, G::Zai1Bikou)) {
                    G::putTextFitted(row, G::Zai1Bikou, bikou2);
                    copied = true;
                }
            }
            if (copied)
                G::blank(row, G::Bikou2);
            StoreGyou();
        }
        if (!numbered.empty()) {
            const auto hit = numbered.find(DaikaKey(row));
            if (hit != numbered.end()) {
                const std::string& src = m_DaikaKeys[hit->second];
                const auto& l = G::layout(G::Bikou1);
                row.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width), src,
                            static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width));
                StoreGyou();
                return;
            }
        }
        if (!pricedByBreakdown(row))
            return;
        if (G::isBlank(row, G::Bikou1)) {
            ++counter;
            G::putTextFitted(row, G::Bikou1, dlg.m_Prefix + cformat("%d", counter));
        }
        StoreGyou();
        std::string text = row.substr(0, G::Length - 1);
        text.replace(0, 8, 8, ' ');
        numbered.emplace(DaikaKey(text), m_DaikaKeys.size());
        m_DaikaKeys.push_back(std::move(text));
    });
    end();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}
