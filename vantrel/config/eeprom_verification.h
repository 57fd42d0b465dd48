#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "eeprom_image.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

// What a write of the whole configuration (Update All's items and, with UPS18
// firmware, each cycle's field 1) must leave on the board.

// The EEPROM bytes such a write moves.
std::array<bool, 256> WholeTransferBytes(FirmwareType firmwareType);

// The image the board must hold after such a write of `written`: the bytes the
// write moves as written, every other byte as it was before.
EepromImage ExpectedAfterWrite(const EepromImage& before, const EepromImage& written, FirmwareType firmwareType);

// The even offsets of the EEPROM words in which two images differ.
std::vector<uint8_t> DifferingWords(const EepromImage& a, const EepromImage& b);

}  // namespace vantrel
