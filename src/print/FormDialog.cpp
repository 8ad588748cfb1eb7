#include "print/FormDialog.h"

#include <vector>

#include "estimate/FixedRecordFile.h"
#include "estimate/KivDoc.h"

using namespace kiv::ui;

namespace {

// One row of the editor: a caption, its text edits (none for 備考 and 枠) and the X, Y and size
// edits, in record order.
struct FormRow {
    const char* caption;
    std::vector<int> texts;
    std::array<int, 3> pos;
};

const std::vector<FormRow>& formRows() {
    static const std::vector<FormRow> rows{
        {"見出し", {1153}, {1166, 1167, 1168}},
        {"名称", {1132}, {1169, 1170, 1171}},
        {"相手", {1133}, {1172, 1173, 1174}},
        {"金額", {1134}, {1175, 1176, 1177}},
        {"担当者", {1207}, {1199, 1200, 1201}},
        {"名称1", {1154}, {1178, 1179, 1017}},
        {"名称2", {1155}, {1180, 1181, 1182}},
        {"名称3", {1156}, {1183, 1184, 1185}},
        {"名称4", {1157}, {1186, 1187, 1188}},
        {"名称5", {1158}, {1189, 1190, 1030}},
        {"名称6", {1159}, {1031, 1032, 1033}},
        {"条件1", {1160}, {1191, 1192, 1193}},
        {"条件2", {1161}, {1194, 1195, 1196}},
        {"条件3", {1162}, {1197, 1198, 1042}},
        {"条件4", {1163}, {1043, 1044, 1045}},
        {"条件5", {1164}, {1046, 1047, 1048}},
        {"備考1", {1165}, {1049, 1050, 1051}},
        {"備考2", {1025}, {1052, 1053, 1054}},
        {"年月日", {1214, 1211, 1212, 1213}, {1067, 1056, 1057}},
        {"見積番号", {1215}, {1058, 1059, 1060}},
        {"備考", {}, {1061, 1062, 1063}},
        {"枠", {}, {1064, 1065, 1066}},
    };
    return rows;
}

// An edit wide enough for `bytes` half-width characters.
int editWidth(std::size_t bytes) { return static_cast<int>(bytes) * 4 + 8; }

void columnCaptions(std::vector<ControlDef>& c, int x, int y) {
    c.push_back(ctl::label("X座標", dlu(x, y, 22, 8)));
    c.push_back(ctl::label("Y座標", dlu(x + 22, y, 22, 8)));
    c.push_back(ctl::label("ﾌｫﾝﾄ", dlu(x + 44, y, 22, 8)));
}

DialogTemplate makeLayout() {
    DialogTemplate t{CFormDialog::kDialogId, "表紙フォーム作成", {329, 317}, {}};
    auto& c = t.controls;
    const auto widths = HyousiFormRecord::fieldWidths();
    constexpr int kTextX = 40;
    constexpr int kPosX = 206;      // the small edits of most rows
    constexpr int kBikouPosX = 252; // those of 備考1 and 備考2, right of their long texts
    columnCaptions(c, kPosX, 4);
    std::size_t field = 0;
    int y = 14;
    for (const FormRow& row : formRows()) {
        const int firstText = row.texts.empty() ? 0 : row.texts[0];
        const bool bikouN = firstText == 1165 || firstText == 1025; // 備考1, 備考2
        if (firstText == 1165) {
            y += 2;
            columnCaptions(c, kBikouPosX, y);
            y += 10;
        }
        c.push_back(ctl::label(row.caption, dlu(5, y + 2, 34, 8)));
        int x = kTextX;
        for (int id : row.texts) {
            const int w = editWidth(widths[field++]);
            c.push_back(ctl::edit(id, dlu(x, y, w, 12)));
            x += w + 2;
        }
        int px = bikouN ? kBikouPosX : kPosX;
        for (int id : row.pos) {
            c.push_back(ctl::edit(id, dlu(px, y, 20, 12)));
            px += 22;
            ++field;
        }
        y += 13;
    }
    c.push_back(ctl::defButton(IDOK, "OK", dlu(275, 4, 48, 14)));
    c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(275, 20, 48, 14)));
    return t;
}

} // namespace

const DialogTemplate& CFormDialog::dialogLayout() {
    static const DialogTemplate t = makeLayout();
    return t;
}

const std::array<int, kHyousiFormFieldCount>& CFormDialog::fieldIds() {
    static const std::array<int, kHyousiFormFieldCount> ids = [] {
        std::array<int, kHyousiFormFieldCount> a{};
        std::size_t i = 0;
        for (const FormRow& row : formRows()) {
            for (int id : row.texts)
                a[i++] = id;
            for (int id : row.pos)
                a[i++] = id;
        }
        return a;
    }();
    return ids;
}

CFormDialog::CFormDialog(Window* parent)
    : LayoutFormDialog(dialogLayout(), fieldIds(), HyousiFormRecord::fieldWidths(), kMidasiText, parent) {}

std::string CFormDialog::recordBytes(const CKivDoc& doc) const { return doc.GetHyousiForm().toString(); }

void CFormDialog::storeFields(CKivDoc& doc) { doc.StoreHyousiFormFields(m_Fields); }

void CFormDialog::parse(CKivDoc& doc) { doc.ParseHyousi(); }

bool CFormDialog::writeFile(const CKivDoc& doc, std::string& error) {
    return writeRecordFile(doc.HyousiPath(), doc.GetHyousiForm(), &error);
}
