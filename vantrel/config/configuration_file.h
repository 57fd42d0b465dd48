#pragma once
#include <optional>
#include <string>

#include "eeprom_image.h"

namespace vantrel {

// Reads a configuration file into image, which starts erased (0xFF): ".psd"
// (any case) by the profile reader, anything else by the word-layout reader.
// Returns the text to show on failure, or nothing on success.
std::optional<std::string> ReadConfigurationImage(const std::string& path, EepromImage& image);

}  // namespace vantrel
