#include "estimate/KivMessage.h"

#include <utility>

namespace {

KivMessageHook& hook() {
    static KivMessageHook h;
    return h;
}

std::vector<std::string>& recorded() {
    static std::vector<std::string> r;
    return r;
}

} // namespace

void SetKivMessageHook(KivMessageHook h) { hook() = std::move(h); }

void KivMessage(const std::string& utf8Text) {
    if (hook())
        hook()(utf8Text);
    else
        recorded().push_back(utf8Text);
}

const std::vector<std::string>& KivRecordedMessages() { return recorded(); }

void ClearKivRecordedMessages() { recorded().clear(); }
