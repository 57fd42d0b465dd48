#include "command_router.h"

namespace vantrel {

bool CommandRouter::Available(MenuCommand command) const {
    const auto it = commands_.find(command);
    if (it == commands_.end() || !it->second.handler) return false;
    return !it->second.available || it->second.available();
}

bool CommandRouter::Execute(MenuCommand command) {
    if (!GuardHolds(GuardOf(command), inputs_())) return false;
    if (!Available(command)) return false;
    // A copy: a handler may replace itself.
    const Handler handler = commands_.at(command).handler;
    handler();
    return true;
}

}  // namespace vantrel
