#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "eeprom_image.h"

namespace vantrel {

// Reads a profile (Intel HEX, one byte per address, the low address byte being
// the EEPROM offset) into image. Bytes the file does not supply are left as
// they are. Returns the failure text, or nothing on success. path is only used
// in the texts.
std::optional<std::string> ReadProfileText(std::string_view text, const std::string& path, EepromImage& image);

// The same for a file; a file that cannot be opened fails with a text naming it.
std::optional<std::string> ReadProfileFile(const std::string& path, EepromImage& image);

}  // namespace vantrel
