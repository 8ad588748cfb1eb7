// The category title lists of the master: the tree's titles with their 備考 headings and the
// labels of the category range dialog.
#include <algorithm>
#include <string_view>

#include "estimate/GyouRecord.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/ui/App.h"

namespace {

// The first slot of every category (its line 1 on screen), by category number; -1 for none.
std::vector<int> firstSlots(const MstDoc& d) {
    std::vector<int> first(static_cast<std::size_t>(d.KoumokuCount()) + 1, -1);
    for (int j = 0; j < d.PoolGyouCount(); ++j) {
        const int c = d.KoumokuOfSlot(j);
        if (c >= 1 && c <= d.KoumokuCount() && first[static_cast<std::size_t>(c)] < 0)
            first[static_cast<std::size_t>(c)] = j;
    }
    return first;
}

// Field `field` of a row as CMstView::FieldText gives it: in place for a whole row, else made in
// `padded`.
std::string_view fieldOf(const std::string& row, int field, std::string& padded) {
    if (row.size() < static_cast<std::size_t>(CMstView::m_GyouLen)) {
        padded = CMstView::FieldText(row, field);
        return padded;
    }
    const auto i = static_cast<std::size_t>(field - 1);
    return std::string_view(row).substr(static_cast<std::size_t>(g_MstFieldTable.Offset[i]),
                                        static_cast<std::size_t>(g_MstFieldTable.Width[i]));
}

// 分類, 記号, 品名 and 規格 of a category's line 1, built in one string: the tree's list takes
// one per category.
std::string titleOf(const std::string& row) {
    static constexpr int kFields[] = {GyouRecord::KoumokuNo, GyouRecord::Kigou, GyouRecord::Hinmei,
                                      GyouRecord::Kikaku};
    std::size_t length = 0;
    for (int f : kFields)
        length += static_cast<std::size_t>(g_MstFieldTable.Width[static_cast<std::size_t>(f - 1)]);
    std::string title;
    title.reserve(length);
    std::string padded;
    for (int f : kFields)
        title += fieldOf(row, f, padded);
    return title;
}

} // namespace

std::string CMstView::FieldText(const std::string& row, int field) {
    const auto i = static_cast<std::size_t>(field - 1);
    const auto offset = static_cast<std::size_t>(g_MstFieldTable.Offset[i]);
    const auto width = static_cast<std::size_t>(g_MstFieldTable.Width[i]);
    // A whole line gives the field straight from itself; a short one reads as padded with blanks.
    if (row.size() >= static_cast<std::size_t>(m_GyouLen))
        return row.substr(offset, width);
    return (row + std::string(m_GyouLen - row.size(), ' ')).substr(offset, width);
}

void CMstView::RebuildBunList() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    kiv::ui::App::WaitCursorScope wait;
    const int kept = d->CurKoumoku();
    if (d->CurGyou() <= d->GyouCount())
        StoreGyou();
    d->StoreKoumokuGyou();
    // A category number without a line (a gap) gets its line 1, as loading it would give it.
    std::vector<int> first = firstSlots(*d);
    bool filled = false;
    for (int c = 1; c <= d->KoumokuCount(); ++c)
        if (first[static_cast<std::size_t>(c)] < 0) {
            d->SetCurKoumoku(c);
            d->LoadKoumokuGyou();
            d->StoreKoumokuGyou();
            filled = true;
        }
    if (filled)
        first = firstSlots(*d);

    int headings = 0;
    const auto needed = static_cast<std::size_t>(2 * d->KoumokuCount());
    std::vector<std::string> names(std::max<std::size_t>(needed, MstDoc::kTitleListSize), " ");
    std::size_t entry = 0;
    for (int c = 1; c <= d->KoumokuCount(); ++c) {
        const int slot = first[static_cast<std::size_t>(c)];
        const std::string& row = slot >= 0 ? d->PoolGyou(slot) : m_EditGyou;
        std::string padded;
        const std::string_view bikou = fieldOf(row, GyouRecord::Bikou1, padded);
        if (bikou.find_first_not_of(' ') != std::string_view::npos) {
            names[entry++] = bikou;
            ++headings;
        }
        names[entry++] = titleOf(row);
    }
    d->SetKoumokuNames(std::move(names), headings);
    d->SetCurKoumoku(kept);
    d->LoadKoumokuGyou();
    d->MakeCurrent();
}

void CMstView::RebuildKoumokuListNoCalc() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    kiv::ui::App::WaitCursorScope wait;
    const SetteiValues& s = d->GetSetteiValues();
    std::vector<int> first(static_cast<std::size_t>(d->KoumokuCount()) + 1, -1);
    std::vector<int> amounts(static_cast<std::size_t>(d->KoumokuCount()) + 1, -1);
    for (int j = 0; j < d->PoolGyouCount(); ++j) {
        const int c = d->KoumokuOfSlot(j);
        if (c < 1 || c > d->KoumokuCount())
            continue;
        const auto k = static_cast<std::size_t>(c);
        if (first[k] < 0)
            first[k] = j;
        const int bun = GyouRecord::toInt(d->PoolGyou(j), m_BunField);
        if (s.matches(EnzanCode::Tyuukei, bun) || s.matches(EnzanCode::HyousiKei, bun) ||
            s.matches(EnzanCode::Unpanhi, bun))
            amounts[k] = j;
    }
    std::vector<std::string> labels(std::max<std::size_t>(static_cast<std::size_t>(d->KoumokuCount()),
                                                           MstDoc::kTitleListSize),
                                    " ");
    const std::string blankRow(m_GyouLen, ' ');
    for (int c = 1; c <= d->KoumokuCount(); ++c) {
        const auto k = static_cast<std::size_t>(c);
        const std::string& line1 = first[k] >= 0 ? d->PoolGyou(first[k]) : blankRow;
        const int a = amounts[k] >= 0 ? amounts[k] : first[k];
        const std::string& amountRow = a >= 0 ? d->PoolGyou(a) : blankRow;
        labels[k - 1] = titleOf(line1) + FieldText(amountRow, GyouRecord::Kingaku1) +
                        FieldText(amountRow, GyouRecord::Kingaku2);
    }
    d->SetBunSelectList(std::move(labels));
}
