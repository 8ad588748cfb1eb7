#include "print/AdressFiles.h"

#include "platform/files/Files.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

AdressFileOpen openAdressFile(ReferenceFile which, std::size_t limit, Window* owner) {
    AdressFileOpen r;
    r.path = locateReferenceFile(which, kiv::files::programDirectory());
    if (probeFile(r.path) == FileState::Unreadable) {
        r.unreadable = true;
        messageBox(unreadableFileMessage(r.path), MB_OK | MB_ICONEXCLAMATION, {}, owner);
        return r;
    }
    std::string message;
    const ConfirmCreate ask = [owner](const std::string& question) {
        return messageBox(question, MB_OKCANCEL, {}, owner) == IDOK;
    };
    if (!acceptChosenFile(r.path, ask, message)) {
        if (!message.empty())
            messageBox(message, MB_OK, {}, owner);
        return r;
    }
    std::optional<std::string> data = limit == 0 ? kiv::files::readFile(r.path) : readFileStart(r.path, limit);
    if (!data) {
        r.unreadable = true;
        messageBox(unreadableFileMessage(r.path), MB_OK | MB_ICONEXCLAMATION, {}, owner);
        return r;
    }
    r.read = true;
    r.data = std::move(*data);
    return r;
}
