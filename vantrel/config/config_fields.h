#pragma once
#include <array>
#include <cstdint>

#include "cycle_record.h"
#include "slot_record.h"

namespace vantrel {

// The part of the configuration record that mirrors the board's EEPROM: the
// cycles, setpoints, slots and extra words with their address tables and
// direction flags. Plain members; editors and transfers use them directly.
struct ConfigFields {
    static constexpr int kCycleCount = 4;
    static constexpr int kSlotCount = 17;        // the last one has no EEPROM place
    static constexpr int kEepromSlotCount = 16;
    static constexpr int kSetpointItemCount = 14;

    // The extra words 0xFA and 0xFC are also console values (32-bit).
    int32_t maxBatteryCapacity = 0;           // 0xFA, 10 mW h
    int32_t remainingCapacitySetpoint = 0;    // 0xFC, 10 mW

    std::array<CycleRecord, kCycleCount> cycles{};

    // Setpoints, in the order the record keeps them.
    int32_t chargerFlags = 0;                 // 0x80
    int32_t extendedChargeFlags = 0;          // 0x9E, UPS18 only
    double shutDownDelayOrMinVoltage = 0;     // 0x82: s (Standard) / mV (UPS, UPS18)
    double startUpDelayOrMinCapacity = 0;     // 0x84: s (Standard) / 10 mW (UPS, UPS18)
    double maxInputPower = 0;                 // 0x86, 10 mW
    uint8_t commTimeout = 0;                  // 0x88, ticks
    uint8_t chargeCycleCount = 1;             // 0x89, 1..4
    double minChargingTemperature = 0;        // 0x8A, 0.1 K
    double maxChargingTemperature = 0;        // 0x8C, 0.1 K
    double minStartupVoltage = 0;             // 0x8E, mV
    int32_t primaryTempDevice = 0;            // 0x90, 0 = thermistor
    int32_t secondaryTempDevice = 0;          // 0x91, 0 = thermistor
    double i2cPollRate = 0;                   // 0x92, s
    int32_t I2CDevEnDef = 0;                  // 0x94, bit n polls sensor n

    std::array<SlotRecord, kSlotCount> slots{};

    // Offsets 0x80, 0x9E, 0x82, 0x84, 0x86, 0x88, 0x89, 0x8A, 0x8C, 0x8E, 0x90, 0x91, 0x92, 0x94.
    std::array<uint8_t, kSetpointItemCount> setpointAddresses{};
    std::array<uint8_t, kSetpointItemCount> setpointDirections{};  // same order

    int32_t remainingCapacityDirection = 0;   // 0xFC
    int32_t maxBatteryCapacityDirection = 0;  // 0xFA
    int32_t timeToRechargeDirection = 0;      // 0xFE

    // Extra words at the top of the map; they share bytes with slots 11 to 15.
    int32_t sdStartupDelay = 0;               // 0xF8, s
    uint16_t alarmStartupDelay = 0;           // 0xEC, s
    uint16_t alarmShutdownDelay = 0;          // 0xEA, s
    uint16_t timeToRecharge = 0;              // 0xFE, min
    uint16_t statusShutDownCounter = 0;       // 0xE6, s
    uint16_t statusStartUpCounter = 0;        // 0xE8, s

    // Every field 0 except the cycle count (1), every direction flag 0, the
    // address tables filled from the EEPROM map.
    void ResetFields();
};

}  // namespace vantrel
