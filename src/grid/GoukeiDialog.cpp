#include "grid/GoukeiDialog.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;
using kiv::text::sj;

namespace {

// A rate is blank or a number: digits with at most one point, an optional leading sign,
// blanks around it.
bool isRateText(const std::string& text) {
    const std::string_view t = kiv::text::trimBlanks(text);
    if (t.empty())
        return true;
    std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            digits = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

const char* const kRituMessage = "率は6文字以内の数値で入力してください。";

} // namespace

const DialogTemplate& CGoukeiDialog::dialogLayout() {
    static const DialogTemplate t{
        kDialogId, "合計・経費・消費税を入力", {},
        {ctl::label("細目計", dlu(8, 10, 50, 8)),
         ctl::combo(kSaikeiLabel, dlu(60, 8, 80, 80)),
         ctl::button(kSaikei, "細計決定", dlu(150, 7, 55, 14)),
         ctl::label("小計", dlu(8, 28, 50, 8)),
         ctl::combo(kSyoukeiLabel, dlu(60, 26, 80, 80)),
         ctl::defButton(IDOK, "小計決定", dlu(150, 25, 55, 14)),
         ctl::label("中計", dlu(8, 46, 50, 8)),
         ctl::combo(kTyuukeiLabel, dlu(60, 44, 80, 80)),
         ctl::button(kTyuukei, "中計決定", dlu(150, 43, 55, 14)),
         ctl::label("総合計", dlu(8, 64, 50, 8)),
         ctl::combo(kSoukeiLabel, dlu(60, 62, 80, 80)),
         ctl::button(kSoukei, "総計決定", dlu(150, 61, 55, 14)),
         ctl::label("表紙に表示", dlu(210, 64, 50, 8)),
         ctl::label("項目内計", dlu(8, 82, 50, 8)),
         ctl::combo(kNaikeiLabel, dlu(60, 80, 80, 80)),
         ctl::button(kNaikei, "内計決定", dlu(150, 79, 55, 14)),
         ctl::label("経費", dlu(8, 106, 30, 8)),
         ctl::edit(kKeihi1Name, dlu(40, 104, 100, 12), 0, kLabelWidth),
         ctl::label("率", dlu(145, 106, 12, 8)),
         ctl::edit(kKeihi1Ritu, dlu(158, 104, 40, 12), EditRight, kRituWidth),
         ctl::button(kKeihi1, "決定", dlu(205, 103, 55, 14)),
         ctl::label("消費税", dlu(8, 124, 30, 8)),
         ctl::edit(kKeihi2Name, dlu(40, 122, 100, 12), 0, kLabelWidth),
         ctl::label("率", dlu(145, 124, 12, 8)),
         ctl::edit(kKeihi2Ritu, dlu(158, 122, 40, 12), EditRight, kRituWidth),
         ctl::button(kKeihi2, "決定", dlu(205, 121, 55, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(205, 145, 55, 14))}};
    return t;
}

CGoukeiDialog::CGoukeiDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kTyuukei, [this] { Decide(Tyuukei); });
    onClicked(kSoukei, [this] { Decide(Soukei); });
    onClicked(kNaikei, [this] { Decide(Naikei); });
    onClicked(kKeihi1, [this] { Decide(Keihi1); });
    onClicked(kKeihi2, [this] { Decide(Keihi2); });
    onClicked(kSaikei, [this] { Decide(Saikei); });
}

void CGoukeiDialog::onShowDialog() {
    const std::string syoukei = sj("　小　計　");
    const std::string kei = sj("　　計　　");
    const std::string goukei = sj("　合　計　");
    const std::string sougoukei = sj("　総合計　");
    m_SaikeiLabel = syoukei;
    m_SyoukeiLabel = kei;
    m_TyuukeiLabel = kei;
    m_SoukeiLabel = goukei;
    m_NaikeiLabel = syoukei;
    updateData(false);
    for (const std::string& s : {syoukei, kei, goukei, sougoukei})
        addString(kSaikeiLabel, s);
    for (int id : {kSyoukeiLabel, kTyuukeiLabel, kSoukeiLabel, kNaikeiLabel})
        for (const std::string& s : {syoukei, goukei, sougoukei, kei})
            addString(id, s);
}

void CGoukeiDialog::doDataExchange(DataExchange& dx) {
    dx.cbString(kNaikeiLabel, m_NaikeiLabel, kLabelWidth);
    dx.cbString(kSaikeiLabel, m_SaikeiLabel, kLabelWidth);
    dx.cbString(kSoukeiLabel, m_SoukeiLabel, kLabelWidth);
    dx.cbString(kSyoukeiLabel, m_SyoukeiLabel, kLabelWidth);
    dx.cbString(kTyuukeiLabel, m_TyuukeiLabel, kLabelWidth);
    dx.text(kKeihi1Name, m_Keihi1Name, kLabelWidth);
    dx.number(kKeihi1Ritu, m_Keihi1Ritu, kRituWidth);
    dx.text(kKeihi2Name, m_Keihi2Name, kLabelWidth);
    dx.number(kKeihi2Ritu, m_Keihi2Ritu, kRituWidth);
}

void CGoukeiDialog::onOK() { Decide(Syoukei); }

void CGoukeiDialog::Decide(int result) {
    if (!updateData(true))
        return;
    // A rate is blank or a number; anything else is refused and the dialog stays open.
    for (auto [id, text] : {std::pair{kKeihi1Ritu, &m_Keihi1Ritu}, std::pair{kKeihi2Ritu, &m_Keihi2Ritu}})
        if (!isRateText(*text)) {
            messageBox(kRituMessage, MB_OK | MB_ICONEXCLAMATION, {}, this);
            gotoControl(id);
            return;
        }
    m_Result = result;
    endDialog(IDOK);
}
