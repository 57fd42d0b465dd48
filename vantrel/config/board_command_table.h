#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrel {

// The command bytes (and a few EEPROM offsets) the link and the consoles send,
// held in the record instead of as literals. Entries are numbered from 1.
struct BoardCommandTable {
    static constexpr std::size_t kEntryCount = 72;

    enum Entry : int {
        kReadAddress = 2,
        kWriteAddress = 3,
        kRemainingCapacityOffset = 10,  // 0xFC
        kMaxBatteryCapacityOffset = 11, // 0xFA
        kProcessorReset = 13,           // 0x12, charger mode
        kEepromAddress = 45,            // 0xA0
        kEepromData = 46,               // 0xA1
        kRealtimeClockOffset = 59,      // 0xEE
        kAlarmStartupDelayOffset = 60,  // 0xEC
        kAlarmShutdownDelayOffset = 61, // 0xEA
        kTimeToRechargeOffset = 62,     // 0xFE
        kSdStartupDelayOffset = 63,     // 0xF8
        kStatusShutDownOffset = 71,     // 0xE6
        kStatusStartUpOffset = 72,      // 0xE8
    };

    std::array<uint8_t, kEntryCount> entries{};
    std::array<uint8_t, 11> consoleCommands{};  // 0xB0 to 0xBA
    std::array<uint8_t, 2> memoryCommands{};    // 0xA2, 0xA3

    BoardCommandTable() { ResetToDefaults(); }
    void ResetToDefaults();

    uint8_t operator[](int entry) const { return entries[static_cast<std::size_t>(entry - 1)]; }
    uint8_t& operator[](int entry) { return entries[static_cast<std::size_t>(entry - 1)]; }
};

}  // namespace vantrel
