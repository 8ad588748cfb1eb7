#include "pricing/BukakeFileDialog.h"

#include <filesystem>
#include <optional>

#include "estimate/KivDoc.h"
#include "estimate/ReferenceFile.h"
#include "platform/files/Files.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"
#include "pricing/BukakeFile.h"

using namespace kiv::ui;

const DialogTemplate& CBukakeFileDialog::dialogLayout() {
    // 参照 stays disabled until a kind is ticked: a file picked before would be stored nowhere.
    static const DialogTemplate t{kDialogId, "歩掛けﾌｧｲﾙ切り替え", {},
                                  {ctl::check(kKindBoxes[0], "機械設備歩掛ファイル", dlu(7, 7, 130, 10)),
                                   ctl::check(kKindBoxes[1], "電気設備盤歩掛ファイル", dlu(7, 20, 130, 10)),
                                   ctl::check(kKindBoxes[2], "電気設備制御盤歩掛ファイル", dlu(7, 33, 130, 10)),
                                   ctl::check(kKindBoxes[3], "電気設備照明器具歩掛ファイル", dlu(7, 46, 130, 10)),
                                   ctl::check(kKindBoxes[4], "電気設備配線器具歩掛ファイル", dlu(7, 59, 130, 10)),
                                   ctl::label("歩掛けﾌｧｲﾙを選択", dlu(7, 78, 80, 8)),
                                   ctl::button(kBrowse, "参照", dlu(90, 75, 40, 14), Disabled),
                                   ctl::edit(kPathBox, dlu(7, 94, 250, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(152, 114, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(207, 114, 50, 14))}};
    return t;
}

CBukakeFileDialog::CBukakeFileDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    for (std::size_t i = 0; i < kKindBoxes.size(); ++i)
        onClicked(kKindBoxes[i], [this, i] { OnSelectBukakeFile(i); });
    onClicked(kBrowse, [this] { OnBrowse(); });
}

void CBukakeFileDialog::doDataExchange(DataExchange& dx) {
    dx.text(kPathBox, m_Path, kMaxPath);
    for (std::size_t i = 0; i < kKindBoxes.size(); ++i)
        dx.check(kKindBoxes[i], m_Flags[i]);
}

void CBukakeFileDialog::showPath(const std::string& utf8Path) {
    // A name that CP932 cannot hold is shown as its bytes.
    m_Path = kiv::files::toCp932(std::filesystem::path(utf8Path)).value_or(utf8Path);
}

void CBukakeFileDialog::OnSelectBukakeFile(std::size_t box) {
    m_Flags.fill(0);
    m_Flags[box] = 1;
    showPath(bukakeTablePath(kKindOfBox[box], CKivDoc::ProgramDirectory()).string());
    updateData(false);
    enableItem(kBrowse, true);
}

void CBukakeFileDialog::OnBrowse() {
    FileDialogRequest request;
    request.open = true;
    request.defaultExt = "DAT";
    request.initialName = "*.DAT";
    request.filter = "DAT(*.DAT)|*.DAT|全て(*.*)|*.*|";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    request.owner = this;
    std::optional<std::filesystem::path> chosen = fileDialog(request);
    if (!chosen)
        return;
    showPath(chosen->string());
    setItemText(kPathBox, m_Path);
    for (std::size_t i = 0; i < kKindBoxes.size(); ++i) {
        if (m_Flags[i] != 1)
            continue;
        if (!rememberBukakeTablePath(kKindOfBox[i], *chosen))
            messageBox(profileNotWrittenMessage(*chosen), MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
}
