#pragma once
#include <cstdint>

#include "menu_command.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

// What must hold before a menu command runs; a failing guard drops the command.
enum class CommandGuard {
    None,
    Never,                  // greyed items
    Connected,
    ConnectedAndWritable,
    ConnectedUps,
    ConnectedUps18,
};

struct GuardInputs {
    int32_t connected = 0;
    int32_t writesPermitted = 1;
    FirmwareType firmwareType = FirmwareType::UPS18;
};

CommandGuard GuardOf(MenuCommand command);
bool GuardHolds(CommandGuard guard, const GuardInputs& inputs);

}  // namespace vantrel
