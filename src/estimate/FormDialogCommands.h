#pragma once
// The command ids of the print-form and address-book dialogs that the estimate view's 表紙, 設定
// and メニュー commands and the main frame's 相手先登録、印刷 open. The printing subsystem provides
// the dialogs through RecalcSeams::formDialogs (ConnectFormDialogs, when the application starts);
// RunFormDialog runs the one of a command, the same wherever the command comes from.
namespace formcmd {
constexpr int kHyousi = 32774;          // 表紙作成 (cover data)
constexpr int kAdress = 32779;          // 相手先登録、印刷 (address book)
constexpr int kHyousiForm = 32809;      // 表紙ﾌｫｰﾑ設定 (cover layout)
constexpr int kHedder = 32810;          // ﾍｯﾀｰ設定 (header and footer layout)
constexpr int kAdressFile = 32842;      // 相手先ﾌｧｲﾙ選択
constexpr int kHyousiChange = 32854;    // 表紙ﾌｫｰﾑ切替 (temporary cover-layout switch)
constexpr int kAdressPrintFile = 32856; // 宛先印刷設定ﾌｧｲﾙ選択
} // namespace formcmd
