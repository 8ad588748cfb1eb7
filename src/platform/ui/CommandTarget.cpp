#include "platform/ui/CommandTarget.h"

namespace kiv::ui {

bool CommandTarget::onCommand(int id) {
    for (const Entry& e : m_Commands)
        if (id >= e.first && id <= e.last)
            return e.handler(id);
    return false;
}

bool CommandTarget::onUpdateCommand(int id, CommandState& state) {
    for (const UpdateEntry& e : m_Updates)
        if (e.id == id) {
            e.handler(state);
            return true;
        }
    return false;
}

bool CommandTarget::handlesCommand(int id) const {
    for (const Entry& e : m_Commands)
        if (id >= e.first && id <= e.last)
            return true;
    return false;
}

void CommandTarget::onCommandId(int id, std::function<void()> handler) {
    m_Commands.push_back({id, id, [h = std::move(handler)](int) {
                              h();
                              return true;
                          }});
}

void CommandTarget::onCommandRange(int first, int last, std::function<bool(int)> handler) {
    m_Commands.push_back({first, last, std::move(handler)});
}

void CommandTarget::onUpdateCommandId(int id, std::function<void(CommandState&)> handler) {
    m_Updates.push_back({id, std::move(handler)});
}

} // namespace kiv::ui
