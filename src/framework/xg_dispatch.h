#pragma once
// Command dispatch: menu commands are numbers. A command goes first to the window in front,
// then to the application; each is asked for its state just before a menu opens.

#include <QString>

namespace zephane {

struct CommandState {
    bool enabled = false;
    bool checked = false;
    QString text; // the item's text while it is shown; empty keeps the menu's own
};

class XGDispatch {
public:
    virtual ~XGDispatch() = default;
    // Fills in the state of a command this object knows; false leaves it to the next in line.
    virtual bool command_status(int command, CommandState& state) {
        (void)command;
        (void)state;
        return false;
    }
    // Runs a command; false when it is not handled here, so the next in line gets it.
    virtual bool do_command(int command) {
        (void)command;
        return false;
    }
};

} // namespace zephane
