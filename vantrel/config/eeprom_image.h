#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// The board's 256-byte configuration EEPROM, indexed by byte offset.
using EepromImage = std::array<uint8_t, 256>;

// The erased state of an EEPROM byte; bytes that no field fills hold it.
inline constexpr uint8_t kErasedByte = 0xFF;

}  // namespace vantrel
