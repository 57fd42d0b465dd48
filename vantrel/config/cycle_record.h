#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// One charge cycle block of the EEPROM: sixteen words, field i at block offset 2*i.
// Doubles hold engineering values; see the EEPROM map for units and kinds.
struct CycleRecord {
    static constexpr int kFieldCount = 16;

    std::array<uint8_t, kFieldCount> addresses{};  // EEPROM offset of each field

    int32_t terminationFlags = 0;      // 0: charge termination enable flags
    int32_t maxCapacity = 0;           // 1: battery maximum capacity allowed, 10 mW
    double futureUse = 0;              // 2: never transferred
    double maxChargingVoltage = 0;     // 3: mV
    double maxTimeSincePeak = 0;       // 4: min
    double negativeDeltaV = 0;         // 5: mV
    double maxCycleTime = 0;           // 6: min
    double minChargeCurrent = 0;       // 7: mA
    double maxChargeCurrent = 0;       // 8: mA
    double minTimeBeforeTermination = 0;  // 9: min
    double temperatureCompensation = 0;   // 10: mV/K
    double chargingVoltageSetpoint = 0;   // 11: mV
    double chargingCurrentSetpoint = 0;   // 12: mA
    double maxTemperatureRate = 0;     // 13: 0.1 K/min (tenths)
    double trickleCurrent = 0;         // 14: mA
    double maxTrickleTime = 0;         // 15: min

    std::array<uint8_t, kFieldCount> directions{};  // 0 read, non-zero write; flag i for field i
};

}  // namespace vantrel
