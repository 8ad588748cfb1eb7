#pragma once
// An estimate view whose recalculation hooks are connected, over an estimate the test builds:
// every operation-category slot has its own code (9001 + slot), the labour list names 18 配管工
// 19000 and 32 機械工 18000, style 0, composite rounding 1, no digit rounding. Rows are given as
// field lists; the test runs the view's own recalculation entries and reads the stored rows.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "estimate/RecalcSeams.h"
#include "grid/KivViewFixture.h"
#include "platform/text/Number.h"
#include "recalc/KivRecalc.h"

namespace kivtest {

using Fields = std::vector<std::pair<int, std::string>>;
using G = GyouRecord;

inline int code(EnzanCode k) { return 9001 + static_cast<int>(k); }
inline std::string codeText(EnzanCode k) { return std::to_string(code(k)); }

// Row `gyou` of item `item` holding `fields` (category given as a kind with kindRow).
inline std::string rowOf(int item, int gyou, const Fields& fields = {}) {
    std::string row = makeRow(gyou, fields);
    GyouRecord::writeKey(row, item, gyou);
    return row;
}

// A row of a computed kind, with more fields.
inline Fields kindRow(EnzanCode k, Fields more = {}) {
    more.emplace_back(GyouRecord::BunNo, codeText(k));
    return more;
}

// A plain row: take-off quantity 1 and unit price 1, more fields after.
inline Fields priced(const std::string& suu, const std::string& tanka, Fields more = {}) {
    more.emplace_back(GyouRecord::HiroidasiSuu1, suu);
    more.emplace_back(GyouRecord::Tanka1, tanka);
    return more;
}

class RecalcFixture : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        recalcSeams() = RecalcSeams();
        KivRecalc::Connect();
    }
    void TearDown() override {
        recalcSeams() = RecalcSeams();
        KivViewFixture::TearDown();
    }

    // The estimate holds items made of the given rows (item k = element k-1); the settings and
    // labour list are the fixture's, with the given style, composite rounding and digit rounding.
    // Messages recorded before are forgotten.
    void estimate(const std::vector<std::vector<Fields>>& items, int style = 0, int marume = 1, int keta = 0) {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < items.size(); ++i)
            for (std::size_t g = 0; g < items[i].size(); ++g)
                rows.push_back(rowOf(static_cast<int>(i) + 1, static_cast<int>(g) + 1, items[i][g]));
        open(rows);
        ClearKivPrompts();
        settings(style, marume, keta);
        labour({{18, "配管工", "19000"}, {32, "機械工", "18000"}});
    }
    void settings(int style, int marume, int keta) {
        for (int k = 0; k < kEnzanCodeCount; ++k)
            doc->m_SetteiValues.codes[static_cast<std::size_t>(k)] = 9001 + k;
        doc->m_SetteiValues.SekisanYousiki = style;
        doc->m_SetteiValues.FukugouMarume = marume;
        doc->m_SetteiValues.KetaMarume = keta;
    }
    struct Labour {
        int no;
        std::string trade, tanka1;
        std::string tanka2 = {};
    };
    void labour(const std::vector<Labour>& lines) {
        std::vector<RoumuRecord> list(40);
        for (const Labour& l : lines) {
            auto r = RoumuRecord::build(std::to_string(l.no), kiv::text::sj(l.trade.c_str()), l.tanka1, l.tanka2);
            ASSERT_TRUE(r);
            list[static_cast<std::size_t>(l.no - 1)] = *r;
        }
        doc->m_Roumu = RoumuList(list);
    }

    // Item k becomes current with its rows in the work area.
    void toItem(int k) {
        doc->m_CurKoumoku[0] = k;
        doc->LoadKoumokuGyou();
        view->LoadGyou();
    }
    void recalcItem() { view->RecalcKoumoku(); }
    // Every item from the last to the first, as one pass.
    void recalcAll(int times = 1) { KivRecalc(*view).RecalcAllKoumoku(times); }
    // Row `gyou` alone, as a committed row.
    void recalcRow(int gyou) {
        doc->m_CurGyou[0] = gyou;
        view->LoadGyou();
        view->RecalcGyou();
    }

    // Field `field` of work row `gyou` of the current item, as stored, and without blanks.
    std::string raw(int gyou, int field) const {
        return std::string(G::raw(doc->WorkGyouAt(gyou), field));
    }
    std::string at(int gyou, int field) const { return std::string(kiv::text::trimBlanks(raw(gyou, field))); }
    // The same for a row of another item, read from the pool.
    std::string poolAt(int item, int gyou, int field) const {
        for (int j = 0; j < doc->PoolGyouCount(); ++j)
            if (doc->KoumokuOfSlot(j) == item &&
                G::toInt(doc->PoolGyou(j), G::GyouNo) == gyou)
                return std::string(kiv::text::trimBlanks(G::raw(doc->PoolGyou(j), field)));
        ADD_FAILURE() << "no row " << item << "/" << gyou;
        return {};
    }

    std::vector<std::string> messages() const { return KivRecordedMessages(); }
    // How many recorded messages hold `utf8`.
    int messagesWith(const std::string& utf8) const {
        int n = 0;
        for (const std::string& m : KivRecordedMessages())
            n += m.find(utf8) != std::string::npos;
        return n;
    }
};

} // namespace kivtest
