#include "pricing/BukakeDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/ReferenceFile.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"
#include "pricing/BukakeFile.h"
#include "pricing/BukakeRate.h"
#include "pricing/BukakeRecord.h"
#include "platform/files/Files.h"

using namespace kiv::ui;
using kiv::text::Decimal;

namespace {

const char* const kNothingSelectedMessage = "その位置には変更するものがありません。";
const char* const kNote = "※歩掛けしか転送しませんので、それ以外の必要内容は入力してください";

std::string kind48Message() { return "歩掛合計が48以上のため歩掛修正を計算できません。"; }

} // namespace

std::string CBukakeDialog::s_LastBukakeNo;

const DialogTemplate& CBukakeDialog::dialogLayout() {
    // The captions over the list stand over the columns of its lines (a half-width character of
    // the dialog font is four dialog units wide): NO at character 0, 名称 at 5, 規格 at 36, 歩掛 at 67.
    static const DialogTemplate t{
        kDialogId, "歩掛計算", {}, {
            ctl::label("NO", dlu(7, 7, 24, 8)),
            ctl::label("名称", dlu(35, 7, 120, 8)),
            ctl::label("規格", dlu(160, 7, 120, 8)),
            ctl::label("歩掛", dlu(285, 7, 34, 8)),
            ctl::label("数量", dlu(323, 7, 34, 8)),
            ctl::edit(kNo, dlu(7, 17, 24, 14), EditMultiline | EditWantReturn),
            ctl::edit(kName, dlu(35, 17, 120, 14), EditMultiline | EditWantReturn),
            ctl::edit(kKikaku, dlu(160, 17, 120, 14), EditMultiline | EditWantReturn),
            ctl::edit(kBukake, dlu(285, 17, 34, 14), EditRight),
            ctl::edit(kSuuryou, dlu(323, 17, 34, 14), EditRight),
            ctl::label(kNote, dlu(7, 35, 350, 8)),
            ctl::label("歩掛x数量", dlu(7, 50, 60, 8)),
            ctl::label("歩掛合計", dlu(80, 50, 60, 8)),
            ctl::label("歩掛修正", dlu(153, 50, 60, 8)),
            ctl::edit(kBukakeSuu, dlu(7, 60, 60, 12), EditReadOnly | EditRight),
            ctl::edit(kGoukei, dlu(80, 60, 60, 12), EditReadOnly | EditRight),
            ctl::edit(kSyuusei, dlu(153, 60, 60, 12), EditReadOnly | EditRight),
            ctl::label("NO", dlu(9, 80, 16, 8)),
            ctl::label("名称", dlu(29, 80, 60, 8)),
            ctl::label("規格", dlu(153, 80, 60, 8)),
            ctl::label("歩掛", dlu(277, 80, 30, 8)),
            ctl::list(kList, dlu(7, 90, 350, 150)),
            ctl::defButton(IDOK, "保存", dlu(368, 7, 60, 14)),
            ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(368, 25, 60, 14)),
            ctl::button(kGyouAdd, "追加", dlu(368, 90, 60, 14)),
            ctl::button(kGyouModify, "訂正", dlu(368, 108, 60, 14)),
            ctl::button(kGyouInsert, "行挿入", dlu(368, 126, 60, 14)),
            ctl::button(kGyouDelete, "削除", dlu(368, 144, 60, 14)),
            ctl::button(kBukakeAdd, "歩掛追加", dlu(220, 58, 60, 14)),
            ctl::button(kBukakeClear, "取り消し", dlu(285, 58, 60, 14)),
            ctl::button(kUtiwakeSend, "内訳に送る", dlu(368, 226, 60, 14))}};
    return t;
}

CBukakeDialog::CBukakeDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kGyouAdd, [this] { OnBukakeGyouAdd(); });
    onClicked(kGyouModify, [this] { OnBukakeGyouModify(); });
    onClicked(kGyouInsert, [this] { OnBukakeGyouInsert(); });
    onClicked(kGyouDelete, [this] { OnBukakeGyouDelete(); });
    onClicked(kBukakeAdd, [this] { OnBukakeAdd(); });
    onClicked(kBukakeClear, [this] { OnBukakeClear(); });
    onClicked(kUtiwakeSend, [this] { OnUtiwakeSend(); });
    onNotify(kList, Notify::DblClk, [this] { OnDblclkBukakeList(); });
    onNotify(kBukake, Notify::Change, [this] { OnChangeBukake(); });
    onNotify(kSuuryou, Notify::Change, [this] { OnChangeBukake(); });
    onNotify(kNo, Notify::Change, [this] { OnChangeNo(); });
    onNotify(kName, Notify::Change, [this] { updateData(true); });
    onNotify(kKikaku, Notify::Change, [this] { updateData(true); });
}

void CBukakeDialog::doDataExchange(DataExchange& dx) {
    dx.text(kNo, m_BukakeNo, static_cast<int>(BukakeRecord::NoWidth));
    dx.text(kName, m_BukakeName, static_cast<int>(BukakeRecord::NameWidth));
    dx.text(kKikaku, m_BukakeKikaku, static_cast<int>(BukakeRecord::KikakuWidth));
    dx.text(kGoukei, m_BukakeGoukei, 0.0, 1000.0);
    dx.lbString(kList, m_ListText);
    dx.number(kBukake, m_BukakeText, static_cast<int>(BukakeRecord::BukakeWidth));
    // While 数量 is being typed its text stays as typed ("0." would otherwise become "0").
    if (dx.saving() || !m_KeepTypedSuuryou)
        dx.text(kSuuryou, m_Suuryou, 0.0, 100.0);
    dx.text(kBukakeSuu, m_BukakeSuu, 0.0, 1000.0);
    dx.text(kSyuusei, m_BukakeSyuusei, 0.0, 999.0);
}

std::string& CBukakeDialog::PathMember() {
    switch (m_Kind) {
    case 1: return m_BanPath;
    case 2: return m_SeigyoPath;
    case 3: return m_HaisenPath;
    case 4: return m_SyoumeiPath;
    default: return m_BukakePath;
    }
}

std::filesystem::path CBukakeDialog::TablePath() const {
    return std::filesystem::path(const_cast<CBukakeDialog*>(this)->PathMember());
}

// ---------------------------------------------------------------------------------------------
// Loading and saving

void CBukakeDialog::onShowDialog() {
    m_BukakeMax = 0;
    updateData(true);
    LoadTable();
    gotoControl(kNo);
}

void CBukakeDialog::LoadTable() {
    m_SaveRefused = false;
    if (m_Kind < 1 || m_Kind > kBukakeKindCount) {
        m_SaveRefused = true;   // no table of its own: nothing to write
        return;
    }
    const std::filesystem::path path = bukakeTablePath(m_Kind, CKivDoc::ProgramDirectory());
    PathMember() = path.string();
    // The table is only read here. An existing file that cannot be read is reported, never
    // offered for creation, and protected from 保存 for this run; a missing one is created (empty,
    // never over anything) only after the user agrees.
    if (probeFile(path) == FileState::Unreadable) {
        m_SaveRefused = true;
        messageBox(unreadableFileMessage(path), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    std::string message;
    ConfirmCreate ask = [this](const std::string& question) {
        return messageBox(question, MB_OKCANCEL | MB_ICONQUESTION, {}, this) == IDOK;
    };
    if (!acceptChosenFile(path, ask, message)) {
        if (!message.empty())
            messageBox(message, MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    BukakeLoad load = readBukakeFile(path);
    if (load.state != FileState::Readable) {
        m_SaveRefused = true;
        messageBox(unreadableFileMessage(path), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    setHorizontalExtent(kList, kListExtent);
    for (const std::string& line : load.lines)
        addString(kList, line);
}

void CBukakeDialog::onOK() {
    const std::filesystem::path path = TablePath();
    if (m_SaveRefused) {
        messageBox(path.string() + "ファイルを読み込めなかったため、上書きしません。", MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    const Control* list = control(kList);
    // The file is replaced whole and safely: a failed write leaves it, the list and the dialog as
    // they were.
    std::string error;
    if (!list || !writeBukakeFile(path, list->items, &error)) {
        messageBox(kiv::files::cannotCreateMessage(error), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    Dialog::onOK();
}

// ---------------------------------------------------------------------------------------------
// Line commands

void CBukakeDialog::FormatLine() {
    updateData(true);
    m_Line = BukakeRecord::format(m_BukakeNo, m_BukakeName, m_BukakeKikaku, m_BukakeText);
}

void CBukakeDialog::ClearEdits() {
    m_BukakeNo.clear();
    m_BukakeName.clear();
    m_BukakeKikaku.clear();
    m_BukakeText.clear();
    updateData(false);
    gotoControl(kNo);
}

void CBukakeDialog::OnBukakeGyouAdd() {
    FormatLine();
    addString(kList, m_Line);
    m_ListText = m_Line;
    ClearEdits();
    setCurSel(kList, -1);
}

void CBukakeDialog::OnBukakeGyouInsert() {
    FormatLine();
    insertString(kList, getCurSel(kList), m_Line);
    m_ListText = m_Line;
    ClearEdits();   // showing the members selects the first line that begins with it
}

void CBukakeDialog::OnBukakeGyouModify() {
    FormatLine();
    const int sel = getCurSel(kList);
    if (sel >= 0) {
        insertString(kList, sel, m_Line);
        deleteString(kList, sel + 1);
    }
    ClearEdits();
    setCurSel(kList, -1);
}

void CBukakeDialog::OnBukakeGyouDelete() {
    const int sel = getCurSel(kList);
    if (sel >= 0)
        deleteString(kList, sel);
    m_BukakeMax = 0;
    gotoControl(kNo);
}

void CBukakeDialog::OnDblclkBukakeList() {
    const int sel = getCurSel(kList);
    if (sel < 0) {
        messageBox(kNothingSelectedMessage, MB_OK, {}, this);
        gotoControl(kNo);
        return;
    }
    m_ListText = getLbText(kList, sel);
    BukakeFields f = BukakeRecord::fields(m_ListText);
    m_BukakeNo = f.No;
    m_BukakeName = f.Name;
    m_BukakeKikaku = f.Kikaku;
    m_BukakeText = f.Bukake;
    updateData(false);
    gotoControl(kNo);
    updateData(true);
    m_Bukake = kiv::text::parseDecimal(m_BukakeText).toDouble();
    m_Suuryou = 1.0;
    m_BukakeSuu = m_Bukake;
    updateData(false);
}

// ---------------------------------------------------------------------------------------------
// Typing

void CBukakeDialog::OnChangeBukake() {
    // A quantity half typed (empty, a lone point) is left until it is a number: the product
    // follows each keystroke without a message in between.
    if (!isNumberText(itemText(kSuuryou), true))
        return;
    updateData(true);
    m_Bukake = kiv::text::parseDecimal(m_BukakeText).toDouble();
    m_BukakeSuu = (bukakeShown(m_Bukake) * bukakeShown(m_Suuryou)).toDouble();
    m_KeepTypedSuuryou = true;
    updateData(false);
    m_KeepTypedSuuryou = false;
}

void CBukakeDialog::OnChangeNo() {
    updateData(true);
    // The same NO as at the last change (in any run of the dialog) moves on to 名称.
    const bool same = m_BukakeNo == s_LastBukakeNo;
    s_LastBukakeNo = m_BukakeNo;
    if (same)
        nextControl();
}

// ---------------------------------------------------------------------------------------------
// Adding up

void CBukakeDialog::OnBukakeAdd() {
    updateData(true);
    if (m_Bukake > m_BukakeMax)
        m_BukakeMax = m_Bukake;
    const Decimal goukei = bukakeShown(m_BukakeGoukei) + bukakeShown(m_BukakeSuu);
    m_BukakeGoukei = goukei.toDouble();
    updateData(false);
    std::optional<Decimal> syuusei = bukakeSyuusei(m_Kind, bukakeShown(m_BukakeGoukei), bukakeShown(m_BukakeMax));
    m_BukakeSyuusei = syuusei ? syuusei->toDouble() : 0.0;
    updateData(false);
    if (!syuusei)
        messageBox(kind48Message(), MB_OK | MB_ICONEXCLAMATION, {}, this);
}

void CBukakeDialog::OnBukakeClear() {
    m_BukakeMax = 0;
    m_BukakeGoukei = 0;
    m_BukakeSyuusei = 0;
    updateData(false);
}

void CBukakeDialog::OnUtiwakeSend() { endDialog(kSend); }
