#include "print/HedderDialog.h"

#include "estimate/FixedRecordFile.h"
#include "estimate/KivDoc.h"

using namespace kiv::ui;

const std::array<int, kHedderFieldCount>& CHedderDialog::fieldIds() {
    static const std::array<int, kHedderFieldCount> ids{1142, 1208, 1209, 1210, 1143, 1211, 1212, 1213,
                                                        1144, 1214, 1215, 1216, 1145, 1217, 1218, 1219,
                                                        1146, 1220, 1221, 1222, 1147, 1223, 1224, 1225};
    return ids;
}

namespace {

DialogTemplate makeLayout() {
    DialogTemplate t{CHedderDialog::kDialogId, "ﾍｯﾀｰ､ﾌｯﾀｰ設定", {320, 174}, {}};
    auto& c = t.controls;
    const auto& ids = CHedderDialog::fieldIds();
    const auto widths = HedderRecord::fieldWidths();
    const char* const rowCaptions[] = {"左", "中央", "右", "左", "ページ位置", "右"};
    for (int box = 0; box < 2; ++box) {
        const int top = 20 + box * 74;
        c.push_back(ctl::group(box == 0 ? "ﾍｯﾀｰ" : "ﾌｯﾀｰ", dlu(5, top, 250, 68)));
        c.push_back(ctl::label("x座標", dlu(182, top + 9, 22, 8)));
        c.push_back(ctl::label("y座標", dlu(204, top + 9, 22, 8)));
        c.push_back(ctl::label("ﾌｫﾝﾄ", dlu(226, top + 9, 22, 8)));
        for (int r = 0; r < 3; ++r) {
            const std::size_t group = static_cast<std::size_t>(box * 3 + r);
            const std::size_t field = group * 4;
            const int y = top + 19 + r * 15;
            c.push_back(ctl::label(rowCaptions[group], dlu(10, y + 2, 40, 8)));
            const int w = static_cast<int>(widths[field]) * 4 + 8;
            const unsigned style = ids[field] == CHedderDialog::kPageNoText ? Hidden : 0u;
            c.push_back(ctl::edit(ids[field], dlu(50, y, w, 12), style));
            for (int k = 1; k <= 3; ++k)
                c.push_back(ctl::edit(ids[field + static_cast<std::size_t>(k)], dlu(160 + 22 * k, y, 20, 12)));
        }
    }
    c.push_back(ctl::defButton(IDOK, "OK", dlu(262, 7, 50, 14)));
    c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(262, 24, 50, 14)));
    return t;
}

} // namespace

const DialogTemplate& CHedderDialog::dialogLayout() {
    static const DialogTemplate t = makeLayout();
    return t;
}

CHedderDialog::CHedderDialog(Window* parent)
    : LayoutFormDialog(dialogLayout(), fieldIds(), HedderRecord::fieldWidths(), kHedderLeftText, parent) {}

std::string CHedderDialog::recordBytes(const CKivDoc& doc) const { return doc.GetHedder().toString(); }

void CHedderDialog::storeFields(CKivDoc& doc) { doc.StoreHedderFields(m_Fields); }

void CHedderDialog::parse(CKivDoc& doc) { doc.ParseHedder(); }

bool CHedderDialog::writeFile(const CKivDoc& doc, std::string& error) {
    return writeRecordFile(doc.HedderPath(), doc.GetHedder(), &error);
}
