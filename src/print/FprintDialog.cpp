#include "print/FprintDialog.h"

using namespace kiv::ui;
using namespace adressprint;

namespace {

// Controls of the fields in record order: the seven texts, then X, Y, size and 縦書 per group.
constexpr int kControls[kFieldCount] = {
    1284, 1283, 1308, 1307, 1282, 1289, 1290,
    1270, 1271, 1272, 1260, // recipient name 1
    1267, 1268, 1269, 1259, // recipient address 1
    1296, 1297, 1298, 1292, // recipient name 2
    1293, 1294, 1295, 1291, // recipient address 2
    1264, 1265, 1266, 1258, // recipient postcode
    1279, 1280, 1281, 1263, // company 1
    1276, 1277, 1278, 1262, // sender address 1
    1301, 1302, 1303, 1300, // company 2
    1304, 1305, 1306, 1299, // sender address 2
    1273, 1274, 1275, 1261, // sender postcode
    1286, 1287, 1288, 1285, // comment
};

bool isFlag(std::size_t field) { return field >= kTextCount && (field - kTextCount) % 4 == Vertical; }

struct Row {
    const char* label;
    int group;
    int text; // the text beside the row, -1 for none
};

// One block: a heading, the column headings and its rows from the top.
void addBlock(std::vector<ControlDef>& c, const char* heading, int top, std::initializer_list<Row> rows) {
    const int height = 22 + static_cast<int>(rows.size()) * 16;
    c.push_back(ctl::group(heading, dlu(7, top, 400, height)));
    c.push_back(ctl::label("X座標", dlu(60, top + 10, 30, 8)));
    c.push_back(ctl::label("Y座標", dlu(95, top + 10, 30, 8)));
    c.push_back(ctl::label("ﾌｫﾝﾄ", dlu(130, top + 10, 30, 8)));
    c.push_back(ctl::label("縦書", dlu(165, top + 10, 20, 8)));
    int y = top + 20;
    for (const Row& r : rows) {
        c.push_back(ctl::label(r.label, dlu(14, y + 2, 44, 8)));
        for (int part = adressprint::X; part <= adressprint::Size; ++part)
            c.push_back(ctl::edit(kControls[groupField(r.group, part)], dlu(60 + 35 * part, y, 30, 12), 0, 4));
        c.push_back(ctl::check(kControls[groupField(r.group, Vertical)], "", dlu(168, y + 2, 12, 10)));
        if (r.text >= 0) {
            const int width = static_cast<int>(fieldColumn(static_cast<std::size_t>(r.text)).width);
            c.push_back(ctl::edit(kControls[r.text], dlu(190, y, std::min(210, 12 + width * 5), 12), 0, width));
        }
        y += 16;
    }
}

} // namespace

int CFprintDialog::controlOf(std::size_t field) { return kControls[field]; }

const DialogTemplate& CFprintDialog::dialogLayout() {
    static const DialogTemplate t = [] {
        DialogTemplate d{kDialogId, "宛先印刷フォーム設定", {414, 300}, {}};
        auto& c = d.controls;
        addBlock(c, "宛先設定", 7,
                 {{"郵便番号", Postcode, -1},
                  {"住所1", Address, -1},
                  {"宛先1", Name, Honorific},
                  {"住所2", Address2, -1},
                  {"宛先2", Name2, -1},
                  {"コメント", CommentLine, Comment}});
        addBlock(c, "自社名設定", 133,
                 {{"郵便番号", SenderPostcodeLine, SenderPostcode},
                  {"住所1", SenderAddressLine, SenderAddress},
                  {"社名1", CompanyLine, Company},
                  {"住所2", SenderAddress2Line, SenderAddress2},
                  {"社名2", Company2Line, Company2}});
        c.push_back(ctl::label("※住所2、宛先2、社名2は１行で足らない場合に使用します", dlu(7, 245, 300, 8)));
        c.push_back(ctl::label("宛先、自社名封筒印刷フォームを設定します", dlu(7, 258, 300, 8)));
        c.push_back(ctl::defButton(IDOK, "OK", dlu(300, 278, 50, 14)));
        c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(357, 278, 50, 14)));
        return d;
    }();
    return t;
}

CFprintDialog::CFprintDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CFprintDialog::doDataExchange(DataExchange& dx) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (isFlag(i))
            dx.check(kControls[i], m_Vertical[(i - kTextCount) / 4]);
        else if (i >= kTextCount)   // X, Y and size
            dx.number(kControls[i], m_Field[i], static_cast<int>(fieldColumn(i).width));
        else
            dx.text(kControls[i], m_Field[i], static_cast<int>(fieldColumn(i).width));
    }
}

void CFprintDialog::onShowDialog() {
    m_SetteiText = m_PrintSettei.substr(0, m_PrintSettei.find('\0'));
    m_SetteiLength = static_cast<int>(kRecordSize);
    LoadForm();
    gotoControl(kFirstFocus);
}

void CFprintDialog::LoadForm() {
    const Fields f = loadFields(m_SetteiText);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (isFlag(i))
            m_Vertical[(i - kTextCount) / 4] = f[i] == "1" ? 1 : 0;
        else
            m_Field[i] = f[i];
    }
    updateData(false);
}

bool CFprintDialog::SaveForm() {
    if (!updateData(true))
        return false;
    Fields f = m_Field;
    for (std::size_t g = 0; g < kGroupCount; ++g)
        f[groupField(static_cast<int>(g), Vertical)].assign(1, m_Vertical[g] ? '1' : '0');
    m_PrintSettei = formatRecord(f);
    return true;
}

void CFprintDialog::onOK() {
    if (SaveForm())
        endDialog(IDOK);
}
