#pragma once
#include <functional>
#include <map>

#include "command_guard.h"
#include "menu_command.h"

namespace vantrel {

// Runs a menu command's handler when its guard holds; otherwise drops it silently.
class CommandRouter {
public:
    using Handler = std::function<void()>;
    using InputsSource = std::function<GuardInputs()>;

    explicit CommandRouter(InputsSource inputs) : inputs_(std::move(inputs)) {}

    void SetHandler(MenuCommand command, Handler handler) { handlers_[command] = std::move(handler); }
    bool HasHandler(MenuCommand command) const { return handlers_.count(command) != 0; }
    // True when the handler ran.
    bool Execute(MenuCommand command);

private:
    InputsSource inputs_;
    std::map<MenuCommand, Handler> handlers_;
};

}  // namespace vantrel
