#include "totals/SyuukeiDialog.h"

#include "platform/files/Files.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

const char* const CSyuukeiDialog::kBrowseMessage =
    "複合単価表示の場合は変換するまえに”しない”に設定し付属品、雑材、労務費を入力、戸数がある場合は数量を戸数分かけて処理してください。";

const DialogTemplate& CSyuukeiDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "積算ﾌｧｲﾙ選択", {227, 74},
                                  {ctl::defButton(IDOK, "OK", dlu(179, 7, 41, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(179, 24, 41, 14)),
                                   ctl::button(kBrowse, "参照", dlu(7, 7, 39, 13)),
                                   ctl::check(kSplit, "1行に複数材登録があるとき分割", dlu(21, 28, 134, 10)),
                                   ctl::label("選択した積算ﾌｧｲﾙを集計ﾌｧｲﾙに変換します", dlu(20, 45, 154, 8)),
                                   ctl::edit(kPath, dlu(19, 55, 195, 12), 0, kMaxPath)}};
    return t;
}

CSyuukeiDialog::CSyuukeiDialog(const std::string& mode, Window* parent)
    : Dialog(dialogLayout(), parent), m_Mode(mode) {
    onClicked(kBrowse, [this] { OnBrowse(); });
}

void CSyuukeiDialog::doDataExchange(DataExchange& dx) { dx.text(kPath, m_Path, kMaxPath); }

void CSyuukeiDialog::OnBrowse() {
    m_Path.clear();
    setItemText(kPath, m_Path);
    messageBox(kBrowseMessage, MB_OK, {}, this);
    const std::string ext = m_Mode == "2" ? "MES" : "KIV";
    FileDialogRequest request;
    request.open = true;
    request.defaultExt = ext;
    request.initialName = "*." + ext;
    request.filter = ext + "(*." + ext + ")|*." + ext + "|全て(*.*)|*.*|";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    request.owner = this;
    const std::optional<std::filesystem::path> chosen = fileDialog(request);
    if (!chosen)
        return;
    m_Path = kiv::files::toCp932(*chosen).value_or(chosen->string());
    setItemText(kPath, m_Path);
}
