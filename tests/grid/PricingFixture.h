#pragma once
// An estimate view whose estimate carries a small labour-price list and a composite rounding
// mode, for pricing rows and opening the detail dialog on them.
#include "grid/KivViewFixture.h"

#include "estimate/RoumuList.h"
#include "platform/text/Number.h"
#include "platform/headless/DialogDriver.h"
#include "pricing/KivDialog.h"
#include "resources/KivDialogResources.h"

namespace kivtest {

using Driver = kiv::ui::headless::DialogDriver;
using F = GyouRecord;

class PricingFixture : public KivViewFixture {
protected:
    // Line 18 配管工 20000 (no price 2), line 5 any trade at 100, line 7 without prices; every other
    // line up to 18 blank.
    static RoumuList labourList() {
        std::vector<RoumuRecord> lines(18);
        lines[4] = *RoumuRecord::build(" 5", sj("電工"), "100", "");
        lines[6] = *RoumuRecord::build(" 7", sj("普通作業員"), "", "");
        lines[17] = *RoumuRecord::build("18", sj("配管工"), "20000", "");
        return RoumuList(lines);
    }

    // Item 1 holds the rows; the cursor on row `gyou`; the estimate's rounding mode `mode`.
    void openPriced(const std::vector<std::string>& rows, int mode, int gyou = 1) {
        open(rows);
        doc->m_Roumu = labourList();
        doc->m_SetteiValues.FukugouMarume = mode;
        placeCursor(gyou, gyou, 5);
    }

    // The row as the document's work area holds it.
    std::string docRow(int gyou) {
        std::string row = doc->WorkGyouAt(gyou);
        F::padLength(row);
        return row;
    }
    // A field of that row as raw bytes / as its trimmed text.
    std::string raw(int gyou, int field) { return std::string(F::raw(docRow(gyou), field)); }
    std::string text(int gyou, int field) {
        return std::string(kiv::text::trimBlanks(F::raw(docRow(gyou), field)));
    }
    // A number right-aligned in the width of a field.
    static std::string right(int field, const std::string& s) {
        const auto w = static_cast<std::size_t>(F::layout(field).Width);
        return std::string(w - s.size(), ' ') + s;
    }

    // Prices row 1 alone with the given fields (補給 "  1.0" unless given) and mode.
    std::string priced(const std::vector<std::pair<int, std::string>>& fields, int mode) {
        openPriced({makeRow(1, fields)}, mode);
        view->CalcFukugouTanka();
        return text(1, F::FukugouTanka1);
    }
};

} // namespace kivtest
