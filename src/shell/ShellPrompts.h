#pragma once
// The shell's dialogs reached from several places: the file dialog, the mode choice and the
// About box.
#include "platform/ui/Backend.h"

#include <filesystem>
#include <optional>
#include <string>

std::optional<std::filesystem::path> ShellFileDialog(const kiv::ui::FileDialogRequest& req);
// Runs the mode choice with `value` preset ("1", "2" or ""); IDOK or IDCANCEL, value as chosen.
int RunSelectDialog(std::string& value);
void RunAboutDialog();
