#pragma once
#include <cstddef>
#include <cstdint>

#include "link_settings.h"

namespace vantrel {

// SMBus packet error code: CRC-8, polynomial 0x07, initial value 0, not reflected.
uint8_t Crc8Checksum(const uint8_t* bytes, std::size_t count);

// Negated 8-bit sum: the bytes plus the result add up to 0 modulo 256.
uint8_t SumChecksum(const uint8_t* bytes, std::size_t count);

// The frame checksum of a firmware type: CRC-8 for UPS18, the sum for the others.
uint8_t FrameChecksum(FirmwareType firmwareType, const uint8_t* bytes, std::size_t count);

}  // namespace vantrel
