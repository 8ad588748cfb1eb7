#pragma once
// Objects that carry out commands by numeric id, with a table of handlers that each class fills
// in its constructor (the first entry for an id wins) and update handlers that enable, disable
// or check a menu item or toolbar button. Classes of the layer that understand commands of their
// own (the main frame's window commands, the application's recent files) override onCommand and
// fall back to them only when no table entry took the id.
#include <functional>
#include <vector>

namespace kiv::ui {

// The state of a menu item or toolbar button, as update handlers set it.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    void enable(bool on = true) { enabled = on; }
    void setCheck(bool on = true) { checked = on; }
};

class CommandTarget {
public:
    CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;
    virtual ~CommandTarget() = default;

    // Runs the handler of the id; false when this object has none.
    virtual bool onCommand(int id);
    // Runs the update handler of the id; false when this object has none.
    virtual bool onUpdateCommand(int id, CommandState& state);
    // Whether onCommand would take the id.
    virtual bool handlesCommand(int id) const;

protected:
    void onCommandId(int id, std::function<void()> handler);
    // A range of ids; the handler gets the id and returns whether it handled it.
    void onCommandRange(int first, int last, std::function<bool(int)> handler);
    void onUpdateCommandId(int id, std::function<void(CommandState&)> handler);

private:
    struct Entry {
        int first, last;
        std::function<bool(int)> handler;
    };
    struct UpdateEntry {
        int id;
        std::function<void(CommandState&)> handler;
    };
    std::vector<Entry> m_Commands;
    std::vector<UpdateEntry> m_Updates;
};

} // namespace kiv::ui
