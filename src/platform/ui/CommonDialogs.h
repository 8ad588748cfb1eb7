#pragma once
// The common dialogs: file open and save, the font dialog and the modeless find dialog.
#include "platform/ui/Backend.h"
#include "platform/ui/Dialog.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::ui {

// A filter string "desc|pattern|desc|pattern|" (patterns separated by ';').
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};
std::vector<FileFilter> parseFileFilter(std::string_view filter);
// Whether a file name matches a pattern of * and ?, without regard to case.
bool matchesPattern(std::string_view name, std::string_view pattern);
// The pattern with every letter as a class of both cases ("*.KIV" -> "*.[kK][iI][vV]").
std::string caseInsensitivePattern(std::string_view pattern);

// Asks for a file. On saving the default extension is appended to a name without one and an
// existing file needs the user's yes (OFN_OVERWRITEPROMPT); with OFN_FILEMUSTEXIST an open
// dialog insists on an existing file. nullopt on Cancel.
std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& req);

// The font dialog; the result's height is negative (the character height in pixels, as a
// logical font has it), so a 12-point choice gives -16.
std::optional<Font> fontDialog(const Font& initial, Window* owner = nullptr);

// What the find dialog reports to the main frame.
struct FindReplaceEvent {
    enum Kind { FindNext, DialogTerm } kind = FindNext;
    std::string findWhat;   // CP932
    bool matchCase = false;
    bool searchDown = true;
};

// The modeless find dialog; the main frame keeps it and receives its events.
class FindDialog : public Dialog {
public:
    static constexpr int kFindWhat = 1152, kMatchCase = 1041, kUp = 1056, kDown = 1057;
    FindDialog();
    std::string m_FindWhat;
    int m_MatchCase = 0;
    int m_Direction = 1;   // 0 up, 1 down
    void doDataExchange(DataExchange& dx) override;
    void onCancel() override;

private:
    void findNext();
};

} // namespace kiv::ui
