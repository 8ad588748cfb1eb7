#include "resources/KivDialogResources.h"

namespace res {

using kiv::ui::ControlDef;
using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

namespace {

constexpr int kH = 11;    // box height
constexpr int kStep = 12; // line pitch
constexpr unsigned RO = kiv::ui::EditReadOnly;
constexpr unsigned NUM_RO = kiv::ui::EditReadOnly | kiv::ui::EditRight;

// Header: captions at y 4, boxes at y 13.
void header(std::vector<ControlDef>& c) {
    struct Box { const char* caption; int id, x, w, limit; unsigned style; };
    const Box boxes[] = {
        {"分類", IDC_BUNNO, 5, 24, 4, 0},           {"ＮＯ", IDC_BUNGYOUNO, 32, 24, 4, 0},
        {"名称", IDC_HINMEI, 59, 132, 30, 0},        {"規格", IDC_KIKAKU, 194, 132, 30, 0},
        {"単位", IDC_TANNI, 329, 24, 4, 0},          {"複合単価1", IDC_FUKUGOUTANKA1, 356, 48, 10, NUM_RO},
        {"複合単価2", IDC_FUKUGOUTANKA2, 407, 48, 10, NUM_RO},
        {"備考1", IDC_BIKOU1, 458, 120, 30, 0},      {"備考2", IDC_BIKOU2, 581, 120, 30, 0},
    };
    for (const Box& b : boxes) {
        c.push_back(ctl::label(b.caption, dlu(b.x, 4, b.w, 8)));
        c.push_back(ctl::edit(b.id, dlu(b.x, 13, b.w, kH), b.style, b.limit));
    }
}

void checksAndButtons(std::vector<ControlDef>& c) {
    c.push_back(ctl::check(IDC_FUKUHYOUJI, "常時複合単価で表示する", dlu(5, 29, 110, 10)));
    c.push_back(ctl::check(IDC_ZAIGOUKEI, "材料を合計して表示", dlu(120, 29, 90, 10)));
    const std::pair<int, const char*> buttons[] = {
        {IDC_GYOUINSERT, "行挿入"}, {IDC_GYOUDELETE, "行削除"}, {IDC_GYOUCOPY, "行複写"}, {IDC_GYOUPASTE, "行貼付"}};
    int x = 329;
    for (const auto& [id, caption] : buttons) {
        c.push_back(ctl::button(id, caption, dlu(x, 27, 44, 13)));
        x += 48;
    }
    c.push_back(ctl::defButton(kiv::ui::IDOK, "OK", dlu(581, 27, 56, 13)));
    c.push_back(ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(645, 27, 56, 13)));
}

// Material block: captions at y 44, lines from y 53.
void material(std::vector<ControlDef>& c) {
    struct Column { const char* caption; const std::array<int, 7>* ids; int x, w, limit; unsigned style; };
    const Column cols[] = {
        {"名称", &IDC_ZAIHINMEI, 5, 132, 30, 0},     {"規格", &IDC_ZAIKIKAKU, 140, 132, 30, 0},
        {"数量", &IDC_ZAISUU, 275, 26, 5, kiv::ui::EditRight},
        {"単位", &IDC_ZAITANNI, 304, 24, 4, 0},
        {"単価1", &IDC_ZAITANKA1, 331, 48, 10, kiv::ui::EditRight},
        {"金額1", &IDC_ZAIKINGAKU1, 382, 58, 13, NUM_RO},
        {"単価2", &IDC_ZAITANKA2, 443, 48, 10, kiv::ui::EditRight},
        {"金額2", &IDC_ZAIKINGAKU2, 494, 58, 13, NUM_RO},
        {"備考", &IDC_ZAIBIKOU, 555, 146, 30, 0},
    };
    for (const Column& col : cols)
        c.push_back(ctl::label(col.caption, dlu(col.x, 44, col.w, 8)));
    for (int k = 0; k < 7; ++k)
        for (const Column& col : cols)
            c.push_back(ctl::edit((*col.ids)[static_cast<std::size_t>(k)], dlu(col.x, 53 + kStep * k, col.w, kH),
                                  col.style, col.limit));
}

// Labour block: captions at y 140, lines from y 149, the note beside them.
void labour(std::vector<ControlDef>& c) {
    struct Column { const char* caption; const std::array<int, 3>* ids; int x, w, limit; unsigned style; };
    const Column cols[] = {
        {"NO", &IDC_ROUMUNO, 5, 16, 2, kiv::ui::EditRight},
        {"職種", &IDC_ROUMUSYOKUSYU, 24, 56, 12, RO},
        {"歩掛", &IDC_ROUMUBUKAKE, 83, 30, 6, kiv::ui::EditRight},
        {"単位", &IDC_ROUMUTANNI, 116, 22, 4, RO},
        {"労務単価1", &IDC_ROUMUTANKA1, 141, 58, 0, NUM_RO},
        {"金額1", &IDC_ROUMUKINGAKU1, 202, 58, 13, NUM_RO},
        {"労務単価2", &IDC_ROUMUTANKA2, 263, 58, 13, NUM_RO},
        {"金額2", &IDC_ROUMUKINGAKU2, 324, 58, 13, NUM_RO},
        {"", &IDC_ROUMUBIKOU, 385, 146, 0, 0},
    };
    for (const Column& col : cols)
        if (*col.caption)
            c.push_back(ctl::label(col.caption, dlu(col.x, 140, col.w, 8)));
    for (int j = 0; j < 3; ++j)
        for (const Column& col : cols) {
            const int limit = col.ids == &IDC_ROUMUTANKA1 ? ROUMUTANKA1_LIMIT[static_cast<std::size_t>(j)] : col.limit;
            c.push_back(ctl::edit((*col.ids)[static_cast<std::size_t>(j)], dlu(col.x, 149 + kStep * j, col.w, kH),
                                  col.style, limit));
        }
    c.push_back(ctl::label("挿入、削除等の機能は名称を", dlu(540, 152, 160, 8)));
    c.push_back(ctl::label("クリックした行を処理します。", dlu(540, 162, 160, 8)));
}

// One lump-sum line at x0 on row y: caption, 掛率, 数量, 単位, 金額1, 金額2.
void issiki(std::vector<ControlDef>& c, const char* caption, const IssikiIds& ids, int x0, int y) {
    c.push_back(ctl::label(caption, dlu(x0, y + 2, 44, 8)));
    c.push_back(ctl::edit(ids.ritu, dlu(x0 + 47, y, 26, kH), kiv::ui::EditRight, ids.rituLimit));
    c.push_back(ctl::edit(ids.suu, dlu(x0 + 76, y, 20, kH), NUM_RO, 4));
    c.push_back(ctl::edit(ids.tanni, dlu(x0 + 99, y, 20, kH), RO, 4));
    c.push_back(ctl::edit(ids.kingaku1, dlu(x0 + 122, y, 58, kH), NUM_RO, 13));
    c.push_back(ctl::edit(ids.kingaku2, dlu(x0 + 183, y, 58, kH), NUM_RO, 13));
}

void total(std::vector<ControlDef>& c, const char* caption, int id1, int id2, int x0, int y) {
    c.push_back(ctl::label(caption, dlu(x0, y + 2, 44, 8)));
    c.push_back(ctl::edit(id1, dlu(x0 + 122, y, 58, kH), NUM_RO, 13));
    c.push_back(ctl::edit(id2, dlu(x0 + 183, y, 58, kH), NUM_RO, 13));
}

// Totals and lump-sum block: captions at y 189, rows from y 198.
void lumpSums(std::vector<ControlDef>& c) {
    for (int x0 : {5, 260}) {
        c.push_back(ctl::label("掛率", dlu(x0 + 47, 189, 26, 8)));
        c.push_back(ctl::label("数量", dlu(x0 + 76, 189, 20, 8)));
        c.push_back(ctl::label("単位", dlu(x0 + 99, 189, 20, 8)));
        c.push_back(ctl::label("金額1", dlu(x0 + 122, 189, 58, 8)));
        c.push_back(ctl::label("金額2", dlu(x0 + 183, 189, 58, 8)));
    }
    const int y0 = 198;
    total(c, "材料費計", IDC_ZAIKEI1, IDC_ZAIKEI2, 5, y0);
    issiki(c, "継ぎ手", IDC_TUGITE, 5, y0 + kStep);
    issiki(c, "接合材", IDC_SETUGOU, 5, y0 + 2 * kStep);
    issiki(c, "支持材", IDC_SIJI, 5, y0 + 3 * kStep);
    issiki(c, "付属品", IDC_FUZOKU, 5, y0 + 4 * kStep);
    issiki(c, "雑材", IDC_ZATUZAI, 5, y0 + 5 * kStep);
    issiki(c, "運搬費", IDC_UNPAN, 5, y0 + 6 * kStep);
    total(c, "労務費計", IDC_ROUMUKEI1, IDC_ROUMUKEI2, 260, y0);
    issiki(c, "はつり", IDC_HATURI, 260, y0 + kStep);
    issiki(c, "その他１", IDC_SONOTA1, 260, y0 + 2 * kStep);
    c.push_back(ctl::label("(労)xその他(ﾊﾂﾘ含む)", dlu(505, y0 + 2 * kStep + 2, 100, 8)));
    issiki(c, "その他２", IDC_SONOTA2, 260, y0 + 3 * kStep);
    c.push_back(ctl::label("(材+労+雑)xその他", dlu(505, y0 + 3 * kStep + 2, 100, 8)));
    total(c, "材工計", IDC_ZAIKOUKEI1, IDC_ZAIKOUKEI2, 260, y0 + 4 * kStep);
    c.push_back(ctl::button(IDC_COPYTOZAI1, "1行目にｺﾋﾟｰ", dlu(630, y0 + 4 * kStep, 70, 13)));
    c.push_back(ctl::button(IDC_ROUMUHYOUJI, "労務単価表示", dlu(630, y0 + 6 * kStep, 70, 13)));
}

} // namespace

const kiv::ui::DialogTemplate& kivDialogTemplate() {
    static const kiv::ui::DialogTemplate t = [] {
        kiv::ui::DialogTemplate d{IDD_KIVDIALOG, "詳細", {706, 298}, {}};
        header(d.controls);
        checksAndButtons(d.controls);
        material(d.controls);
        labour(d.controls);
        lumpSums(d.controls);
        return d;
    }();
    return t;
}

} // namespace res
