#include "totals/TotalCommands.h"

#include <algorithm>
#include <charconv>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/TankaRewrite.h"
#include "platform/text/Number.h"
#include "platform/ui/Dialog.h"
#include "pricing/KivDialog.h"
#include "totals/TotalDoc.h"

using G = GyouRecord;
using kiv::text::Decimal;

std::vector<std::string> g_TotalRowClipboard(kTotalClipRows);
int g_TotalCopyStart = 0;
int g_TotalCopyEnd = 0;
int g_TotalCopyCount = 0;
int g_TotalRowPastePending = 0;
int g_TotalTankaPastePending = 0;
int g_TotalCopyBikou2 = 1;
int g_TotalHenkanBun = 0;
int g_TotalHenkanKoumoku = 0;
int g_TotalHenkanAll = 0;
double g_TotalHenkanFactor = 1.0;

std::string CTotalDoc::GetKoumokuLabel(int koumoku, int start, int length) const {
    if (koumoku < 1 || koumoku > static_cast<int>(m_KoumokuName.size()) || start < 0 || length <= 0)
        return {};
    const std::string& title = m_KoumokuName[static_cast<std::size_t>(koumoku - 1)];
    if (static_cast<std::size_t>(start) >= title.size())
        return {};
    return title.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

namespace totalcmd {

const char* const kMsgTooLarge = "入力された数値が大きすぎます。再入力してください。";
const char* const kMsgTooSmall = "入力された数値が小さすぎます。再入力してください。";
const char* const kAskTankaPaste = "コピーしたい場所にカーソルを移動して張り付けを押してください。";
const char* const kAskHenkan = "実行すると元には戻りません。よろしいですか？";
const char* const kAskKoumokuInsert = "項目の挿入を行います。復活できません。よろしいですか？";
const char* const kAskKoumokuDelete = "項目の削除を行います。復活できません。よろしいですか？";

namespace {

// The unit-price paste carries unit prices 1 and 2, and 備考2 when chosen.
constexpr int kTankaFields[] = {G::Tanka1, G::Tanka2};

// The work row of the current row, padded to a full row.
std::string& currentRow(CTotalDoc& d) {
    const int r = std::clamp(d.CurGyou(), 1, CTotalDoc::kWorkSlots);
    std::string& row = d.EditWorkGyou(r);
    G::padLength(row);
    return row;
}

// A stored row changed: the document is modified and its totals are stale.
void changed(CTotalDoc& d) {
    d.MarkNeedsRecalc();
    d.SetModifiedFlag();
}

// A new row of the current page numbered `gyou`: blank but for its key and the supply factor
// every new row gets.
std::string newRow(const CTotalDoc& d, int gyou) {
    std::string row = G::blankRow();
    G::writeKey(row, d.CurKoumoku(), gyou);
    G::fillBlankHokyuu(row);
    return row;
}

void renumber(CTotalDoc& d, int from, int to) {
    for (int r = from; r <= to; ++r) {
        std::string& row = d.EditWorkGyou(r);
        G::padLength(row);
        G::writeKey(row, d.CurKoumoku(), r);
    }
}

void showOnce(const std::vector<std::string>& messages) {
    std::vector<std::string> shown;
    for (const std::string& m : messages)
        if (std::find(shown.begin(), shown.end(), m) == shown.end()) {
            shown.push_back(m);
            KivMessage(m);
        }
}

// The factor as the user typed it, so that 1.1 multiplies as 1.1 and not as the binary fraction
// next to it.
Decimal factorOf(double factor) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, factor);
    return kiv::text::parseDecimal(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void topOfPage(CTotalDoc& d) {
    d.SetCurGyou(1);
    d.SetTopGyou(0);
    d.SetScreenGyou(1);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Rows

bool InsertGyou(CTotalDoc& d) {
    const int count = d.GyouCount();
    const int cur = std::clamp(d.CurGyou(), 1, std::max(1, count));
    // The store refuses, with the totals' limit message, a full page or a full pool.
    if (!d.AddGyou())
        return false;
    d.MoveWorkGyou(count + 1, cur);
    d.SetGyouCount(count + 1);
    d.EditWorkGyou(cur) = newRow(d, cur);
    renumber(d, cur + 1, d.GyouCount());
    d.SetCurGyou(cur);
    d.StoreKoumokuGyou();
    changed(d);
    return true;
}

void DeleteGyou(CTotalDoc& d) {
    const int count = d.GyouCount();
    const int cur = d.CurGyou();
    if (cur < 1 || cur > count)
        return;
    if (count < 2) {
        d.EditWorkGyou(1) = newRow(d, 1);
    } else {
        d.MoveWorkGyou(cur, count);
        renumber(d, cur, count - 1);
        // The last row goes blank, key included: the store frees its slot and saves it blank.
        d.EditWorkGyou(count) = G::blankRow();
        d.SetGyouCount(count - 1);
        d.SetCurGyou(std::min(cur, d.GyouCount()));
    }
    d.StoreKoumokuGyou();
    changed(d);
}

// ---------------------------------------------------------------------------------------------
// Cells

void CellCopy(CTotalDoc& d, int field, CellBuffers& b) {
    const auto& l = G::layout(field);
    gridedit::CopyCellText(currentRow(d), l.Offset, l.Width, b.Copy);
}

void CellCut(CTotalDoc& d, int field, CellBuffers& b) {
    const auto& l = G::layout(field);
    std::string& row = currentRow(d);
    gridedit::CopyCellText(row, l.Offset, l.Width, b.Copy);
    gridedit::CopyCellText(row, l.Offset, l.Width, b.Undo);
    b.UndoDoc = &d;
    b.UndoKoumoku = d.CurKoumoku();
    b.UndoGyou = d.CurGyou();
    b.UndoField = field;
    G::blank(row, field);
    changed(d);
}

void CellUndo(CTotalDoc& d, int field, const CellBuffers& b) {
    // Only the cell the text was cut from takes it back.
    if (b.UndoDoc != &d || b.UndoKoumoku != d.CurKoumoku() || b.UndoGyou != d.CurGyou() ||
        b.UndoField != field || b.Undo.find_first_not_of(' ') == std::string::npos)
        return;
    const auto& l = G::layout(field);
    gridedit::RestoreCellText(currentRow(d), l.Offset, l.Width, b.Undo);
    changed(d);
}

void Paste(CTotalDoc& d, int field, CellBuffers& b) {
    if (g_TotalTankaPastePending == 1) {
        g_TotalCopyCount = g_TotalCopyEnd - g_TotalCopyStart + 1;
        std::vector<std::string> messages;
        const int count = std::min(g_TotalCopyCount, kTotalClipRows);
        // Rows past the page's last are not made: the collected rows beyond it are dropped.
        for (int i = 0; i < count && d.CurGyou() + i <= d.GyouCount(); ++i) {
            std::string& row = d.EditWorkGyou(d.CurGyou() + i);
            G::padLength(row);
            std::string source = g_TotalRowClipboard[static_cast<std::size_t>(i)];
            G::padLength(source);
            auto copyField = [&](int f) {
                const auto& l = G::layout(f);
                row.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width), source,
                            static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width));
            };
            for (int f : kTankaFields)
                copyField(f);
            if (g_TotalCopyBikou2 == 1)
                copyField(G::Bikou2);
            d.CalcGyou(row, messages);
        }
        d.StoreKoumokuGyou();
        changed(d);
        showOnce(messages);
    } else if (gridedit::PasteCellText(currentRow(d), field, G::layout(field).IsText != 0, b.Copy)) {
        changed(d);
    }
    g_TotalRowPastePending = 0;
    g_TotalTankaPastePending = 0;
}

// ---------------------------------------------------------------------------------------------
// Unit prices

bool CollectTanka(CTotalDoc& d, int start, int end, int bikou2) {
    g_TotalTankaPastePending = 0;
    g_TotalCopyStart = start;
    g_TotalCopyEnd = end;
    g_TotalCopyBikou2 = bikou2;
    if (end > d.GyouCount() || end - start + 1 > kTotalClipRows) {
        KivMessage(kMsgTooLarge);
        return false;
    }
    if (start < 1 || end < start) {
        KivMessage(kMsgTooSmall);
        return false;
    }
    std::fill(g_TotalRowClipboard.begin(), g_TotalRowClipboard.end(), std::string());
    for (int r = start; r <= end; ++r) {
        std::string row = d.WorkGyouAt(r);
        G::padLength(row);
        g_TotalRowClipboard[static_cast<std::size_t>(r - start)] = std::move(row);
    }
    g_TotalTankaPastePending = 1;
    if (!KivAsk(kAskTankaPaste))
        g_TotalTankaPastePending = 0;
    return true;
}

int TankaHenkan(CTotalDoc& d, int bun, int koumoku, bool all, double factor) {
    if (!all && (koumoku < 1 || koumoku > d.KoumokuCount())) {
        KivMessage(koumoku < 1 ? kMsgTooSmall : kMsgTooLarge);
        return 0;
    }
    const Decimal f = factorOf(factor);
    const int curKoumoku = d.CurKoumoku();
    const int curGyou = d.CurGyou();
    d.StoreKoumokuGyou();
    int changedRows = 0, refused = 0;
    std::string firstRefused;
    std::vector<std::string> messages;
    const int from = all ? 1 : koumoku;
    const int to = all ? d.KoumokuCount() : koumoku;
    for (int k = from; k <= to; ++k) {
        d.SetCurKoumoku(k);
        d.LoadKoumokuGyou();
        for (int r = 1; r <= d.GyouCount(); ++r) {
            std::string row = d.WorkGyouAt(r);
            G::padLength(row);
            if (G::toInt(row, G::BunNo) != bun)
                continue;
            const Decimal p1 = G::toDecimal(row, G::Tanka1) * f;
            if (p1.isZero())
                continue;
            const Decimal p2 = G::toDecimal(row, G::Tanka2) * f;
            const std::optional<std::string> t1 = PriceText(p1);
            const std::optional<std::string> t2 = PriceText(p2);
            if (!t1 || !t2) {
                // Never cut: the row keeps both its prices.
                if (refused++ == 0)
                    firstRefused = "項目" + std::to_string(k) + "の" + std::to_string(r) + "行目（" +
                                   kiv::text::cformat("%.1f", t1 ? p2 : p1) + "）";
                continue;
            }
            if (kiv::text::parseDecimal(*t1).isZero())
                continue;
            G::putNumber(row, G::Tanka1, *t1);
            G::putNumber(row, G::Tanka2, *t2);
            d.CalcGyou(row, messages);
            d.EditWorkGyou(r) = row;
            ++changedRows;
        }
        d.StoreKoumokuGyou();
    }
    d.SetCurKoumoku(curKoumoku);
    d.LoadKoumokuGyou();
    d.SetCurGyou(std::clamp(curGyou, 1, d.GyouCount()));
    if (changedRows > 0)
        changed(d);
    showOnce(messages);
    if (refused > 0)
        KivMessage("単価が10桁に入りきらないため変換しなかった行が" + std::to_string(refused) + "行あります。最初は" +
                   firstRefused + "です。");
    return changedRows;
}

// ---------------------------------------------------------------------------------------------
// Category pages

bool GoToKoumoku(CTotalDoc& d, int c) {
    if (c > d.KoumokuCount() + 1) {
        KivMessage(kMsgTooLarge);
        return false;
    }
    if (c < 1) {
        KivMessage(kMsgTooSmall);
        return false;
    }
    const bool newPage = c == d.KoumokuCount() + 1;
    // A new page takes a category number and a pool row: both limits are tested first.
    if (newPage && !d.HasRoomForKoumoku())
        return false;
    d.StoreKoumokuGyou();
    d.SetCurKoumoku(c);
    if (newPage) {
        d.SetKoumokuCount(c);
        d.LoadKoumokuGyou();
        d.StoreKoumokuGyou();
        d.MarkTreeDirty();
        changed(d);
    } else {
        d.LoadKoumokuGyou();
    }
    topOfPage(d);
    return true;
}

bool InsertKoumokuHere(CTotalDoc& d) {
    d.StoreKoumokuGyou();
    const int c = d.CurKoumoku();
    // Rows of category 999 would move to 1000, a key no totals file may hold (the file would no
    // longer open): the category count does not show them, so they are looked for here.
    for (int j = 0; j < d.PoolGyouCount(); ++j)
        if (d.KoumokuOfSlot(j) == CTotalDoc::kKoumokuMax) {
            KivMessage(CTotalDoc::kMsgPoolFull);
            return false;
        }
    if (!d.InsertKoumoku())
        return false;
    d.RebuildTotalIndex();
    d.SetCurKoumoku(c);
    d.LoadKoumokuGyou();
    d.MarkTreeDirty();
    changed(d);
    d.RebuildKoumokuList();
    topOfPage(d);
    return true;
}

void DeleteKoumokuHere(CTotalDoc& d) {
    d.StoreKoumokuGyou();
    d.DeleteKoumoku();
    d.RebuildTotalIndex();
    d.SetCurKoumoku(std::clamp(d.CurKoumoku(), 1, std::max(1, d.KoumokuCount())));
    d.LoadKoumokuGyou();
    d.MarkTreeDirty();
    changed(d);
    d.RebuildKoumokuList();
    topOfPage(d);
}

// ---------------------------------------------------------------------------------------------
// Unit and breakdown

void WriteTanni(CTotalDoc& d, const std::string& text) {
    gridedit::WriteTanniText(currentRow(d), text);
    changed(d);
}

bool ShowSyousai(CTotalDoc& d, kiv::ui::Window* parent) {
    // The totals' exchange: no 付属品 rate and no labour remarks, and with 常時複合単価で表示する
    // on the composite prices are the row's whatever 材料を合計して表示 says.
    KivDetailSource source;
    source.withFuzoku = false;
    source.withRoumuBikou = false;
    source.fukuBeforeGoukei = true;
    kivdialog dlg(parent);
    LoadKivDetail(dlg, currentRow(d), d.GetRoumu(), source);
    dlg.m_Marume = d.FukugouMarume();
    dlg.m_pRoumuList = &d.GetRoumu();
    if (dlg.doModal() != kiv::ui::IDOK)
        return false;
    std::string row = currentRow(d);
    const std::vector<std::string> refused = WriteKivDetail(row, dlg, KivWriteBack::Dialog, source);
    for (const std::string& m : refused)
        KivMessage(m);
    if (row != currentRow(d)) {
        currentRow(d) = row;
        changed(d);
    }
    return true;
}

} // namespace totalcmd
