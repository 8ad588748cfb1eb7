#pragma once
// The message boxes and the save dialog of the estimate code: plain OK messages (limits, refused
// operations), OK/Cancel questions and the "save as" file choice. Each goes through one hook that
// the application connects to its message box or file dialog; until it does (and in tests), the
// texts and requests are recorded in order and the answers are taken from queues that the test
// fills, so a run without a window can be checked.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using KivMessageHook = std::function<void(const std::string& utf8Text)>;

// Installs the hook; an empty hook returns to recording.
void SetKivMessageHook(KivMessageHook hook);
// Shows a UTF-8 text through the hook, or records it.
void KivMessage(const std::string& utf8Text);

// A number that grows with every message, note and question given, shown at once or collected
// by a pass: work that leaves it as it was said nothing. KivCountMessage is the step of the
// collecting pass (KivMessagePass.h); the others count themselves.
std::uint64_t KivMessageSerial();
void KivCountMessage();

// The texts recorded while no hook is installed.
const std::vector<std::string>& KivRecordedMessages();
void ClearKivRecordedMessages();

// --- OK/Cancel questions
// Which button Return presses: OK, or ｷｬﾝｾﾙ where OK would lose data.
enum class KivAskDefault { Ok, Cancel };
using KivAskHook = std::function<bool(const std::string& utf8Question, KivAskDefault defaultButton)>;
void SetKivAskHook(KivAskHook hook);
// True for OK. Without a hook the question is recorded and answered from the queue; a question
// that finds the queue empty is answered Cancel, the safe answer, and kept as unanswered.
bool KivAsk(const std::string& utf8Question, KivAskDefault defaultButton = KivAskDefault::Ok);
void QueueKivAnswer(bool ok);
const std::vector<std::string>& KivRecordedQuestions();
int KivUnexpectedQuestions();

// --- The save dialog
struct KivSaveFileRequest {
    std::string defaultExtension; // without the dot: "KIV"
    std::string proposedName;     // the path offered, empty for an untitled estimate
    std::string filter;           // "KIV(*.KIV)|*.KIV|全て(*.*)|*.*|"
    bool operator==(const KivSaveFileRequest&) const = default;
};
// The chosen path (UTF-8 file-system path), or nullopt for Cancel. The dialog itself asks before
// an existing file is overwritten.
using KivSaveFileHook = std::function<std::optional<std::string>(const KivSaveFileRequest&)>;
void SetKivSaveFileHook(KivSaveFileHook hook);
std::optional<std::string> KivChooseSaveFile(const KivSaveFileRequest& request);
// Without a hook: requests are recorded and answered from the queue; a request that finds the
// queue empty is answered Cancel and kept as unanswered.
void QueueKivSaveFileAnswer(std::optional<std::string> path);
const std::vector<KivSaveFileRequest>& KivRecordedSaveFileRequests();

// What a run without hooks left over: the questions and save requests (by proposed name) that
// found no queued answer, and the queued answers nothing took. Tests check both are empty.
struct KivPromptLeftovers {
    std::vector<std::string> unanswered;
    std::size_t unusedAnswers = 0;
    bool empty() const { return unanswered.empty() && unusedAnswers == 0; }
};
KivPromptLeftovers KivLeftoverPrompts();

// Forgets every recorded text, question and request and every queued answer.
void ClearKivPrompts();
