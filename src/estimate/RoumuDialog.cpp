#include "estimate/RoumuDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/RecalcSeams.h"
#include "estimate/ReferenceFile.h"
#include "estimate/RoumuFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/files/Files.h"

using namespace kiv::ui;

namespace {

const char* const kNoEstimateMessage = "職種を入力するには内訳作成ウィンドウを表示したまま行ってください。";
const char* const kNothingSelectedMessage = "その位置には変更するものがありません。";
const char* const kNothingToPickMessage = "その位置は選択変更するものがありません。";
const char* const kNoMasterMessage =
    "マスターファイルが表示されていないため複合労務単価を変換できません。マスターファイルを呼び出してから登録処理してください。";
const char* const kRestartMessage =
    "変更を有効にするにはマスターファイル、編集中ファイルを上書き保存してプログラムを再起動してください。";

} // namespace

const DialogTemplate& CRoumuDialog::dialogLayout() {
    // The captions over the list stand over the columns of its lines: NO at character 0, 職種 at
    // 3, the unit prices at 16 and 27 (a half-width character is about 4.3 dialog units wide).
    static const DialogTemplate t{
        kDialogId, "複合単価労務費設定", {},
        {ctl::label("NO", dlu(7, 7, 18, 8)),
         ctl::label("職種", dlu(30, 7, 60, 8)),
         ctl::label("労務単価１", dlu(100, 7, 55, 8)),
         ctl::label("労務単価２", dlu(160, 7, 55, 8)),
         ctl::edit(kNo, dlu(7, 17, 18, 12), EditNumber, 2),
         ctl::edit(kSyokusyu, dlu(30, 17, 65, 12), 0, 12),
         ctl::edit(kRoumuTanka1, dlu(100, 17, 55, 12), EditNumber, 10),
         ctl::edit(kRoumuTanka2, dlu(160, 17, 55, 12), EditNumber, 10),
         ctl::label("NO", dlu(10, 38, 12, 8)),
         ctl::label("職種", dlu(23, 38, 50, 8)),
         ctl::label("労務単価１", dlu(80, 38, 45, 8)),
         ctl::label("労務単価２", dlu(127, 38, 45, 8)),
         ctl::list(kList, dlu(7, 48, 208, 120)),
         ctl::defButton(IDOK, "登録", dlu(225, 7, 55, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(225, 25, 55, 14)),
         ctl::button(kCorrect, "訂正", dlu(225, 55, 55, 14)),
         ctl::button(kAdd, "追加", dlu(225, 73, 55, 14)),
         ctl::button(kInsert, "挿入", dlu(225, 91, 55, 14)),
         ctl::button(kDelete, "削除", dlu(225, 109, 55, 14)),
         ctl::button(kSyousaiOkuru, "詳細に送る", dlu(225, 154, 55, 14))}};
    return t;
}

CRoumuDialog::CRoumuDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onNotify(kList, Notify::SelChange, [this] { OnSelchangeList(); });
    onNotify(kList, Notify::DblClk, [this] { OnDblclkList(); });
    onClicked(kCorrect, [this] { OnCorrect(); });
    onClicked(kAdd, [this] { OnAdd(); });
    onClicked(kInsert, [this] { OnInsert(); });
    onClicked(kDelete, [this] { OnDelete(); });
    onClicked(kSyousaiOkuru, [this] { OnSyousaiOkuru(); });
}

void CRoumuDialog::doDataExchange(DataExchange& dx) {
    dx.number(kNo, m_No, static_cast<int>(RoumuRecord::NoWidth));
    dx.text(kSyokusyu, m_Syokusyu, static_cast<int>(RoumuRecord::SyokusyuWidth));
    dx.number(kRoumuTanka1, m_RoumuTanka1, static_cast<int>(RoumuRecord::TankaWidth));
    dx.number(kRoumuTanka2, m_RoumuTanka2, static_cast<int>(RoumuRecord::TankaWidth));
}

void CRoumuDialog::onShowDialog() {
    if (!m_EstimateGiven)
        m_pDoc = g_pKivDoc;
    if (m_pDoc)
        m_Work = m_pDoc->m_Roumu;
    else if (const RoumuList* master = CurrentMasterRoumu())
        m_Work = *master;
    for (const RoumuRecord& line : m_Work.lines())
        addString(kList, line.text());
    gotoControl(kNo);
}

std::optional<std::size_t> CRoumuDialog::selection() const {
    int sel = getCurSel(kList);
    return sel >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(sel)) : std::nullopt;
}

void CRoumuDialog::clearBoxes() {
    m_No.clear();
    m_Syokusyu.clear();
    m_RoumuTanka1.clear();
    m_RoumuTanka2.clear();
    updateData(false);
}

void CRoumuDialog::OnSelchangeList() {
    std::optional<std::size_t> sel = selection();
    if (!sel || *sel >= m_Work.count()) {
        messageBox(kNothingSelectedMessage, MB_OK, {}, this);
    } else {
        RoumuFields f = m_Work.lines()[*sel].fields();
        m_No = f.No;
        m_Syokusyu = f.Syokusyu;
        m_RoumuTanka1 = f.RoumuTanka1;
        m_RoumuTanka2 = f.RoumuTanka2;
        updateData(false);
    }
    gotoControl(kNo);
}

void CRoumuDialog::OnDblclkList() {
    std::optional<std::size_t> sel = selection();
    if (sel && *sel < m_Work.count()) {
        m_ListText = m_Work.lines()[*sel].text();
        return;
    }
    messageBox(kNothingToPickMessage, MB_OK, {}, this);
    gotoControl(kNo);
}

bool CRoumuDialog::refuseWithoutEstimate() {
    if (m_pDoc)
        return false;
    messageBox(kNoEstimateMessage, MB_OK, {}, this);
    return true;
}

std::optional<RoumuRecord> CRoumuDialog::BuildRoumuRecord() {
    if (!updateData(true))
        return std::nullopt;
    std::string error;
    std::optional<RoumuRecord> line = RoumuRecord::build(m_No, m_Syokusyu, m_RoumuTanka1, m_RoumuTanka2, &error);
    if (!line)
        messageBox(error, MB_OK | MB_ICONEXCLAMATION, {}, this);
    return line;
}

void CRoumuDialog::showEdited(const RoumuEdit& edit) {
    resetContent(kList);
    for (const RoumuRecord& line : m_Work.lines())
        addString(kList, line.text());
    setCurSel(kList, edit.selection ? static_cast<int>(*edit.selection) : -1);
    clearBoxes();
    gotoControl(kNo);
}

void CRoumuDialog::OnCorrect() {
    if (refuseWithoutEstimate())
        return;
    if (auto line = BuildRoumuRecord())
        showEdited(m_Work.correct(selection(), *line));
}

void CRoumuDialog::OnAdd() {
    if (refuseWithoutEstimate())
        return;
    auto line = BuildRoumuRecord();
    if (!line)
        return;
    RoumuEdit e = m_Work.add(*line);
    if (!e.message.empty()) {
        // The list is full: the boxes keep what was typed.
        messageBox(e.message, MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    showEdited(e);
}

void CRoumuDialog::OnInsert() {
    if (refuseWithoutEstimate())
        return;
    auto line = BuildRoumuRecord();
    if (!line)
        return;
    RoumuEdit e = m_Work.insert(selection(), *line);
    if (!e.message.empty()) {
        messageBox(e.message, MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    showEdited(e);
}

void CRoumuDialog::OnDelete() {
    if (refuseWithoutEstimate())
        return;
    showEdited(m_Work.remove(selection()));
}

void CRoumuDialog::endWithOk() {
    if (!updateData(true))
        return;
    m_RegistrationNo = roumuRegistrationNumber(selection(), m_No);
    endDialog(IDOK);
}

void CRoumuDialog::OnSyousaiOkuru() { endWithOk(); }

void CRoumuDialog::onOK() {
    if (!m_pDoc || (!m_EstimateGiven && g_pKivDoc != m_pDoc)) {
        // Nothing to register into: the list is neither kept nor written.
        messageBox(kNoEstimateMessage, MB_OK, {}, this);
        endWithOk();
        return;
    }
    // The file is replaced whole and safely; a failed write leaves it and the estimate as they were.
    std::string error;
    if (!writeRoumuFile(m_pDoc->m_RoumuPath, m_Work, &error)) {
        messageBox(kiv::files::cannotCreateMessage(error), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    m_pDoc->m_Roumu = m_Work;
    // The estimate whose list was replaced is recalculated, whichever view was created last.
    RunCheckKeisanMode(*m_pDoc);
    if (CurrentMasterRoumu())
        RunRecalcAllGyou();
    else
        messageBox(kNoMasterMessage, MB_OK, {}, this);
    messageBox(kRestartMessage, MB_OK, {}, this);
    endWithOk();
}
