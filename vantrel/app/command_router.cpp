#include "command_router.h"

namespace vantrel {

bool CommandRouter::Execute(MenuCommand command) {
    if (!GuardHolds(GuardOf(command), inputs_())) return false;
    auto it = handlers_.find(command);
    if (it == handlers_.end() || !it->second) return false;
    // A copy: a handler may replace itself.
    Handler handler = it->second;
    handler();
    return true;
}

}  // namespace vantrel
