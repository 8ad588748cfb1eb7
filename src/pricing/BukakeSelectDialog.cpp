#include "pricing/BukakeSelectDialog.h"

#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"
#include "pricing/BukakeRate.h"
#include "pricing/BukakeDialog.h"

using namespace kiv::ui;

namespace {

const char* const kNotSentMessage = "歩掛けが正常に送れませんでした。再入力して歩掛追加ボタンを押して"
                                    "歩掛修正に歩掛けを表示して送ってください。";

} // namespace

const DialogTemplate& CBukakeSelectDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "歩掛け呼出", {},
                                  {ctl::check(kKindBoxes[0], "機械設備歩掛", dlu(7, 7, 110, 10)),
                                   ctl::check(kKindBoxes[1], "電気設備盤歩掛", dlu(7, 21, 110, 10)),
                                   ctl::check(kKindBoxes[2], "電気設備制御盤歩掛", dlu(7, 35, 110, 10)),
                                   ctl::check(kKindBoxes[3], "電気設備照明器具歩掛", dlu(7, 49, 110, 10)),
                                   ctl::check(kKindBoxes[4], "電気設備配線器具歩掛", dlu(7, 63, 110, 10)),
                                   ctl::defButton(IDOK, "OK", dlu(125, 7, 50, 14)),
                                   ctl::button(IDCANCEL, "キャンセル", dlu(125, 25, 50, 14))}};
    return t;
}

CBukakeSelectDialog::CBukakeSelectDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    for (std::size_t i = 0; i < kKindBoxes.size(); ++i)
        onClicked(kKindBoxes[i], [this, i] { OnSelectBukake(i); });
}

void CBukakeSelectDialog::doDataExchange(DataExchange& dx) {
    for (std::size_t i = 0; i < kKindBoxes.size(); ++i)
        dx.check(kKindBoxes[i], m_Flags[i]);
}

void CBukakeSelectDialog::OnSelectBukake(std::size_t box) {
    m_Flags.fill(0);
    m_Flags[box] = 1;
    updateData(false);
    CBukakeDialog calc(this);
    calc.m_Kind = kKindOfBox[box];
    m_CalcResult = calc.doModal();
    if (m_CalcResult != IDOK && m_CalcResult != IDCANCEL && calc.m_BukakeSyuusei == 0)
        messageBox(kNotSentMessage, MB_OK | MB_ICONEXCLAMATION, {}, this);
    m_Bukake = calc.m_BukakeSyuusei;
    endDialog(kSend);
}

std::string CBukakeSelectDialog::SentRateText() const {
    return kiv::text::leftChars(kiv::text::cformat("%6.3f", bukakeShown(m_Bukake)), 6);
}
