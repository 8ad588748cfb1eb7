#include "estimate/EnzanDialog.h"

#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

namespace {

// The boxes in the order they stand on the dialog: the left column from 大項目 to 消費税, the
// right column from 継手材計算 to 労務費4(普通工), then the uncaptioned spare box.
constexpr std::array<EnzanCode, kEnzanCodeCount> kLayoutOrder = {
    EnzanCode::Daikoumoku, EnzanCode::Tyuukoumoku, EnzanCode::Syoukoumoku, EnzanCode::Saimoku,
    EnzanCode::Keihi1, EnzanCode::Keihi2, EnzanCode::Keihi3, EnzanCode::Unpanhi,
    EnzanCode::HyousiKei, EnzanCode::Tyuukei, EnzanCode::Syoukei, EnzanCode::Saikei,
    EnzanCode::KoumokunaiKei, EnzanCode::Syouhizei,
    EnzanCode::Tugite, EnzanCode::Setugouzai, EnzanCode::Sijizai, EnzanCode::Fuzokuhin1Hi,
    EnzanCode::Fuzokuhin1, EnzanCode::Fuzokuhin2Hi, EnzanCode::Fuzokuhin2, EnzanCode::Sleeve,
    EnzanCode::Zatuzai, EnzanCode::Roumuhi1, EnzanCode::Roumuhi2, EnzanCode::Roumuhi3,
    EnzanCode::Roumuhi4, EnzanCode::Spare,
};
constexpr int kRowsPerColumn = 14;

} // namespace

const DialogTemplate& CEnzanDialog::dialogLayout() {
    static const DialogTemplate t = [] {
        DialogTemplate d{kDialogId, "演算分類の設定", {}, {}};
        for (int i = 0; i < kEnzanCodeCount; ++i) {
            const EnzanCodeInfo& info = enzanCodeInfo(kLayoutOrder[static_cast<std::size_t>(i)]);
            int x = i < kRowsPerColumn ? 7 : 121;
            int y = 7 + (i % kRowsPerColumn) * 16;
            if (*info.caption)
                d.controls.push_back(ctl::label(info.caption, dlu(x, y + 2, 70, 8)));
            d.controls.push_back(ctl::edit(info.boxId, dlu(x + 72, y, 30, 12), info.digitsOnly ? EditNumber : EditRight,
                                           static_cast<int>(kEnzanCodeWidth)));
        }
        d.controls.push_back(ctl::defButton(IDOK, "OK", dlu(236, 7, 50, 14)));
        d.controls.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(236, 25, 50, 14)));
        return d;
    }();
    return t;
}

CEnzanDialog::CEnzanDialog(Window* parent) : SetteiEditDialog(dialogLayout(), parent) {
    for (int k = 0; k < kEnzanCodeCount; ++k)
        onNotify(enzanCodeInfo(static_cast<EnzanCode>(k)).boxId, Notify::KillFocus, [this, k] { OnKillfocusCode(k); });
}

void CEnzanDialog::doDataExchange(DataExchange& dx) {
    for (int k = 0; k < kEnzanCodeCount; ++k)
        dx.number(enzanCodeInfo(static_cast<EnzanCode>(k)).boxId, m_Code[static_cast<std::size_t>(k)],
                static_cast<int>(kEnzanCodeWidth));
}

void CEnzanDialog::onShowDialog() {
    SetteiEditDialog::onShowDialog();
    gotoControl(enzanCodeInfo(EnzanCode::Daikoumoku).boxId);
}

void CEnzanDialog::showSettei(const SetteiRecord& record) {
    for (int k = 0; k < kEnzanCodeCount; ++k)
        m_Code[static_cast<std::size_t>(k)] = record.code(static_cast<EnzanCode>(k));
    updateData(false);
}

void CEnzanDialog::storeSettei(SetteiRecord& record) {
    // The boxes hold at most four bytes each (their limit is checked when they are taken in),
    // so every code fits and setCodes pads the short ones.
    record.setCodes(m_Code);
}

void CEnzanDialog::OnKillfocusCode(int k) {
    int box = enzanCodeInfo(static_cast<EnzanCode>(k)).boxId;
    std::string text = itemText(box);
    if (text.size() >= kEnzanCodeWidth)
        return;
    PaddedCode padded = padEnzanCode(text);
    m_Code[static_cast<std::size_t>(k)] = padded.code;
    setItemText(box, padded.code);
    messageBox(padded.message, MB_OK, {}, this);
}
