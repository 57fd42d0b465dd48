#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "console_enable_flags.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

// The settings file's name, in the folder the program starts in.
inline constexpr const char* kSettingsFileName = "Vantrel.ini";

// What the settings file carries from one run to the next.
struct SavedSettings {
    static constexpr std::size_t kDirectoryLength = 256;

    uint16_t PortSelection = 1;
    uint16_t LinkProtocol = 0;
    vantrel::FirmwareType FirmwareType = vantrel::FirmwareType::UPS18;
    std::string workingDirectory;  // at most 256 characters
    ConsoleEnableFlags enableFlags;

    bool operator==(const SavedSettings&) const = default;
};

// 302 little-endian 32-bit integers (1208 bytes) in text-mode form.
std::string EncodeSettings(const SavedSettings& settings);
// Sets what the bytes reach; an early end keeps the values given for the rest.
void DecodeSettings(std::string_view bytes, SavedSettings& settings);

// False when the file cannot be opened or is not a regular file; settings then stay as given.
bool LoadSettingsFile(const std::string& path, SavedSettings& settings);
// False when the file cannot be written; an old file then stays as it was.
bool SaveSettingsFile(const std::string& path, const SavedSettings& settings);

}  // namespace vantrel
