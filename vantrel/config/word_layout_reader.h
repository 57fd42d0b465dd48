#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "eeprom_image.h"

namespace vantrel {

// The EEPROM section of a microcontroller programming file: records at 0x4200
// to 0x43F0 whose even data bytes are the EEPROM bytes from (address - 0x4200) / 2.
// Other records are ignored; reading ends at a record of type 01 or at the end.
// Digits of either case are accepted; a record with a character that is not a
// hex digit in its count, address or type is ignored, as is a data byte whose
// digits are not hex digits.
void ReadWordLayoutText(std::string_view text, EepromImage& image);

// The failure text, or nothing on success: "File not Found" when the file
// cannot be opened; a file that is not a regular file or too large for a
// programming file is refused.
std::optional<std::string> ReadWordLayoutFile(const std::string& path, EepromImage& image);

}  // namespace vantrel
