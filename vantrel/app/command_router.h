#pragma once
#include <functional>
#include <map>

#include "command_guard.h"
#include "menu_command.h"

namespace vantrel {

// Runs a menu command's handler when its guard holds and the part of the
// program behind it is there; otherwise drops it silently.
class CommandRouter {
public:
    using Handler = std::function<void()>;
    // Whether the command's part of the program is there, asked at each call:
    // parts fill their hooks after the menu is bound.
    using Availability = std::function<bool()>;
    using InputsSource = std::function<GuardInputs()>;

    explicit CommandRouter(InputsSource inputs) : inputs_(std::move(inputs)) {}

    // Without an availability the command is always there.
    void SetHandler(MenuCommand command, Handler handler, Availability available = {}) {
        commands_[command] = Bound{std::move(handler), std::move(available)};
    }
    bool HasHandler(MenuCommand command) const { return commands_.count(command) != 0; }
    // The command has a handler and its part is there (whatever its guard says).
    bool Available(MenuCommand command) const;
    // True when the handler ran: the guard held and the command is available.
    bool Execute(MenuCommand command);

private:
    struct Bound {
        Handler handler;
        Availability available;
    };
    InputsSource inputs_;
    std::map<MenuCommand, Bound> commands_;
};

}  // namespace vantrel
