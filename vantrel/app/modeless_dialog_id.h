#pragma once
#include <cstdint>
#include <optional>

#include "menu_command.h"

namespace vantrel {

struct OpenDialogFlags;

// The modeless dialogs the menu opens.
enum class ModelessDialog {
    Cycle1,
    Cycle2,
    Cycle3,
    Cycle4,
    TemperatureSensorControl,
    UpsSettings,
    EepromSetpoints,
    UpdateAll,
    SmbusConsole,
    TemperatureConsole,
    I2cConsole,
    OtherConsole,
    PollingControl,
    RealtimeClock,
    DebugCommand,
    AdvancedSetup,
};
inline constexpr int kModelessDialogCount = static_cast<int>(ModelessDialog::AdvancedSetup) + 1;

int32_t* OpenFlagOf(OpenDialogFlags& flags, ModelessDialog dialog);
// The dialog a menu command opens, if it opens one of them.
std::optional<ModelessDialog> ModelessDialogOf(MenuCommand command);

}  // namespace vantrel
