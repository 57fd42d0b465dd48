#pragma once
#include <cstdint>

#include "menu_command.h"

namespace vantrel {

// What must hold before a menu command runs; a failing guard drops the command.
enum class CommandGuard {
    None,
    Never,                  // greyed items
    Connected,
    ConnectedAndWritable,
    ConnectedUps,           // FirmwareType 1
    ConnectedUps18,         // FirmwareType 2
};

struct GuardInputs {
    int32_t connected = 0;
    int32_t writesPermitted = 1;
    int firmwareType = 2;
};

CommandGuard GuardOf(MenuCommand command);
bool GuardHolds(CommandGuard guard, const GuardInputs& inputs);

}  // namespace vantrel
