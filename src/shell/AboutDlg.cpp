#include "shell/AboutDlg.h"

#include "resources/ShellDialogs.h"

CAboutDlg::CAboutDlg(kiv::ui::Window* owner) : Dialog(res::aboutDialogTemplate(), owner) {}
