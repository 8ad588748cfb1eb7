#pragma once
// The shell's dialog templates: the estimating-mode choice (107) and the About box (100).
#include "platform/ui/Dialog.h"

namespace res {

constexpr int IDD_SELECT = 107;
constexpr int IDC_DENKI = 1020;   // 電気設備で積算
constexpr int IDC_KIKAI = 1008;   // 機械設備で積算
constexpr int IDD_ABOUTBOX = 100;

const kiv::ui::DialogTemplate& selectDialogTemplate();
const kiv::ui::DialogTemplate& aboutDialogTemplate();

} // namespace res
