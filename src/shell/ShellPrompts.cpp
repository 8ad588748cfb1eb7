#include "shell/ShellPrompts.h"

#include "platform/ui/App.h"
#include "platform/ui/Keys.h"

std::optional<std::filesystem::path> ShellFileDialog(const kiv::ui::FileDialogRequest& req) {
    kiv::ui::App::BusyScope busy;
    return kiv::ui::backend().fileDialog(req);
}

int RunSelectDialog(std::string& value) {
    (void)value;
    return kiv::ui::IDCANCEL;   // TEMPORARY until the dialog layer arrives
}

void RunAboutDialog() {}
