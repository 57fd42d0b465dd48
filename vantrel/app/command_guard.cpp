#include "command_guard.h"

namespace vantrel {

CommandGuard GuardOf(MenuCommand command) {
    using C = MenuCommand;
    switch (command) {
    case C::InitAdmin:
    case C::CommandMemory:
        return CommandGuard::Never;
    case C::InitFwUpdate:
        return CommandGuard::ConnectedAndWritable;
    case C::CommandSmbus:
    case C::CommandTemperature:
    case C::CommandOther:
    case C::CommandPolling:
    case C::EepromCycle1:
    case C::EepromCycle2:
    case C::EepromCycle3:
    case C::EepromCycle4:
    case C::EepromTemperature:
    case C::EepromSetpoints:
    case C::EepromUpdateAll:
    case C::EepromPowerOnReset:
        return CommandGuard::Connected;
    case C::CommandI2c:
    case C::CommandRealtimeClock:
    case C::ToolsClearScreen:
        return CommandGuard::ConnectedUps18;
    case C::EepromUpsCounters:
        return CommandGuard::ConnectedUps;
    default:
        return CommandGuard::None;
    }
}

bool GuardHolds(CommandGuard guard, const GuardInputs& in) {
    const bool connected = in.connected == 1;
    switch (guard) {
    case CommandGuard::None:
        return true;
    case CommandGuard::Never:
        return false;
    case CommandGuard::Connected:
        return connected;
    case CommandGuard::ConnectedAndWritable:
        return connected && in.writesPermitted != 0;
    case CommandGuard::ConnectedUps:
        return connected && in.firmwareType == FirmwareType::UPS;
    case CommandGuard::ConnectedUps18:
        return connected && in.firmwareType == FirmwareType::UPS18;
    }
    return false;
}

}  // namespace vantrel
