#pragma once
// The print-form and address-book dialogs that the estimate view's 表紙, 設定 and メニュー
// commands and the main frame's 相手先登録、印刷 open. The printing subsystem provides them through
// RecalcSeams::formDialogs, one hook per command id; until a hook is there the command says that
// the function is not available yet, with the same text wherever the command comes from.
namespace kiv::ui {
class Window;
}

namespace formcmd {
constexpr int kHyousi = 32774;          // 表紙作成 (cover data)
constexpr int kAdress = 32779;          // 相手先登録、印刷 (address book)
constexpr int kHyousiForm = 32809;      // 表紙ﾌｫｰﾑ設定 (cover layout)
constexpr int kHedder = 32810;          // ﾍｯﾀｰ設定 (header and footer layout)
constexpr int kAdressFile = 32842;      // 相手先ﾌｧｲﾙ選択
constexpr int kHyousiChange = 32854;    // 表紙ﾌｫｰﾑ切替 (temporary cover-layout switch)
constexpr int kAdressPrintFile = 32856; // 宛先印刷設定ﾌｧｲﾙ選択
} // namespace formcmd

// Runs the dialog of command `id` through its hook; without one, shows the command's "not
// available yet" message owned by `owner`. True when a dialog ran.
bool OpenFormDialog(int id, kiv::ui::Window* owner);
// The message a command without its dialog shows (UTF-8).
const char* FormDialogMissingMessage(int id);
