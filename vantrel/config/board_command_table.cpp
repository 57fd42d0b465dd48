#include "board_command_table.h"

namespace vantrel {

void BoardCommandTable::ResetToDefaults() {
    entries = {
        0x12,                                            // 1
        0x13, 0x12,                                      // 2, 3: board read and write addresses
        0x10, 0x11,                                      // 4, 5
        0x08, 0x09, 0x0A, 0x0B,                          // 6-9: SMBus
        0xFC, 0xFA,                                      // 10, 11: EEPROM offsets
        0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x3E, 0x3F,  // 12-19: SMBus
        0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87,  // 20-35: temperature sensors
        0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
        0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98,  // 36-44: other commands
        0xA0, 0xA1,                                      // 45, 46: EEPROM address and data
        0x99, 0x9A, 0x9B,                                // 47-49
        0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5,              // 50-55
        0x9C, 0x9D, 0x9E,                                // 56-58
        0xEE, 0xEC, 0xEA, 0xFE, 0xF8,                    // 59-63: EEPROM offsets
        0xA5, 0xA6, 0x9A, 0x9B, 0x95, 0x9A, 0x9C,        // 64-70
        0xE6, 0xE8,                                      // 71, 72: EEPROM offsets
    };
    for (std::size_t i = 0; i < consoleCommands.size(); ++i) consoleCommands[i] = static_cast<uint8_t>(0xB0 + i);
    memoryCommands = {0xA2, 0xA3};
}

}  // namespace vantrel
