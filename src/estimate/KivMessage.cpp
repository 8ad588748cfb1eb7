#include "estimate/KivMessage.h"

#include <deque>
#include <utility>

namespace {

struct Prompts {
    KivMessageHook messageHook;
    KivAskHook askHook;
    KivSaveFileHook saveFileHook;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    int unexpected = 0;
    std::uint64_t serial = 0;
    std::vector<std::string> unanswered;
    std::vector<KivSaveFileRequest> saveRequests;
    std::deque<std::optional<std::string>> saveAnswers;
};

Prompts& prompts() {
    static Prompts p;
    return p;
}

} // namespace

void SetKivMessageHook(KivMessageHook h) { prompts().messageHook = std::move(h); }

std::uint64_t KivMessageSerial() { return prompts().serial; }

void KivCountMessage() { ++prompts().serial; }

void KivMessage(const std::string& utf8Text) {
    KivCountMessage();
    if (prompts().messageHook)
        prompts().messageHook(utf8Text);
    else
        prompts().messages.push_back(utf8Text);
}

const std::vector<std::string>& KivRecordedMessages() { return prompts().messages; }

void ClearKivRecordedMessages() { prompts().messages.clear(); }

void SetKivAskHook(KivAskHook h) { prompts().askHook = std::move(h); }

bool KivAsk(const std::string& utf8Question, KivAskDefault defaultButton) {
    Prompts& p = prompts();
    ++p.serial;
    if (p.askHook)
        return p.askHook(utf8Question, defaultButton);
    p.questions.push_back(utf8Question);
    if (p.answers.empty()) {
        ++p.unexpected;
        p.unanswered.push_back(utf8Question);
        return false;
    }
    bool ok = p.answers.front();
    p.answers.pop_front();
    return ok;
}

void QueueKivAnswer(bool ok) { prompts().answers.push_back(ok); }

const std::vector<std::string>& KivRecordedQuestions() { return prompts().questions; }

int KivUnexpectedQuestions() { return prompts().unexpected; }

void SetKivSaveFileHook(KivSaveFileHook h) { prompts().saveFileHook = std::move(h); }

std::optional<std::string> KivChooseSaveFile(const KivSaveFileRequest& request) {
    Prompts& p = prompts();
    if (p.saveFileHook)
        return p.saveFileHook(request);
    p.saveRequests.push_back(request);
    if (p.saveAnswers.empty()) {
        p.unanswered.push_back("save as \"" + request.proposedName + "\"");
        return std::nullopt;
    }
    auto answer = std::move(p.saveAnswers.front());
    p.saveAnswers.pop_front();
    return answer;
}

void QueueKivSaveFileAnswer(std::optional<std::string> path) { prompts().saveAnswers.push_back(std::move(path)); }

const std::vector<KivSaveFileRequest>& KivRecordedSaveFileRequests() { return prompts().saveRequests; }

KivPromptLeftovers KivLeftoverPrompts() {
    const Prompts& p = prompts();
    return {p.unanswered, p.answers.size() + p.saveAnswers.size()};
}

void ClearKivPrompts() {
    Prompts& p = prompts();
    p.messages.clear();
    p.questions.clear();
    p.answers.clear();
    p.unexpected = 0;
    p.unanswered.clear();
    p.saveRequests.clear();
    p.saveAnswers.clear();
}
