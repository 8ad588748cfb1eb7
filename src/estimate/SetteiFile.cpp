#include "estimate/SetteiFile.h"

std::filesystem::path locateSetteiFile(std::string_view mode, const std::filesystem::path& programDir) {
    auto which = setteiReferenceFile(mode);
    if (!which)
        return {};
    return locateReferenceFile(*which, programDir);
}

SetteiSwitch switchSetteiFile(std::string_view mode, const std::filesystem::path& chosen,
                              const ConfirmCreate& confirmCreate) {
    SetteiSwitch r;
    auto which = setteiReferenceFile(mode);
    if (!which)
        return r;
    std::string message;
    if (!acceptChosenFile(chosen, confirmCreate, message)) {
        if (!message.empty())
            r.messages.push_back(message);
        return r;
    }
    SetteiLoad load = readSetteiFile(chosen);
    if (load.state != FileState::Readable) {
        r.messages.push_back(unreadableFileMessage(chosen));
        return r;
    }
    r.switched = true;
    r.record = load.record;
    if (!rememberReferenceFile(*which, chosen))
        r.messages.push_back(profileNotWrittenMessage(chosen));
    return r;
}
