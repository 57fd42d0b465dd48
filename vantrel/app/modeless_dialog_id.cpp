#include "modeless_dialog_id.h"

#include "vantrel/config/open_dialog_flags.h"

namespace vantrel {

int32_t* OpenFlagOf(OpenDialogFlags& flags, ModelessDialog dialog) {
    using D = ModelessDialog;
    switch (dialog) {
    case D::Cycle1: return &flags.cycle[0];
    case D::Cycle2: return &flags.cycle[1];
    case D::Cycle3: return &flags.cycle[2];
    case D::Cycle4: return &flags.cycle[3];
    case D::TemperatureSensorControl: return &flags.temperatureSensorControl;
    case D::UpsSettings: return &flags.upsSettings;
    case D::EepromSetpoints: return &flags.eepromSetpoints;
    case D::UpdateAll: return &flags.updateAll;
    case D::SmbusConsole: return &flags.smbusConsole;
    case D::TemperatureConsole: return &flags.temperatureConsole;
    case D::I2cConsole: return &flags.i2cConsole;
    case D::OtherConsole: return &flags.otherConsole;
    case D::PollingControl: return &flags.pollingControl;
    case D::RealtimeClock: return &flags.realtimeClock;
    case D::DebugCommand: return &flags.debugCommand;
    case D::AdvancedSetup: return &flags.advancedSetup;
    }
    return nullptr;
}

std::optional<ModelessDialog> ModelessDialogOf(MenuCommand command) {
    using C = MenuCommand;
    using D = ModelessDialog;
    switch (command) {
    case C::CommandSmbus: return D::SmbusConsole;
    case C::CommandTemperature: return D::TemperatureConsole;
    case C::CommandI2c: return D::I2cConsole;
    case C::CommandOther: return D::OtherConsole;
    case C::CommandPolling: return D::PollingControl;
    case C::CommandRealtimeClock: return D::RealtimeClock;
    case C::EepromCycle1: return D::Cycle1;
    case C::EepromCycle2: return D::Cycle2;
    case C::EepromCycle3: return D::Cycle3;
    case C::EepromCycle4: return D::Cycle4;
    case C::EepromTemperature: return D::TemperatureSensorControl;
    case C::EepromUpsCounters: return D::UpsSettings;
    case C::EepromSetpoints: return D::EepromSetpoints;
    case C::EepromUpdateAll: return D::UpdateAll;
    case C::ToolsDebugCommand: return D::DebugCommand;
    case C::InitDebugSetup: return D::AdvancedSetup;
    default: return std::nullopt;
    }
}

}  // namespace vantrel
