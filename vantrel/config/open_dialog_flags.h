#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// 1 while a modeless dialog of the menu is open.
struct OpenDialogFlags {
    std::array<int32_t, 4> cycle{};  // "Cycle 1" to "Cycle 4"
    int32_t temperatureSensorControl = 0;
    int32_t upsSettings = 0;
    int32_t eepromSetpoints = 0;
    int32_t updateAll = 0;
    int32_t smbusConsole = 0;
    int32_t temperatureConsole = 0;
    int32_t i2cConsole = 0;
    int32_t otherConsole = 0;
    int32_t pollingControl = 0;
    int32_t realtimeClock = 0;
    int32_t debugCommand = 0;
    int32_t advancedSetup = 0;
};

}  // namespace vantrel
