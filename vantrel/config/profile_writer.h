#pragma once
#include <string>

#include "eeprom_image.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

class LinkTrace;

// The profile layout: ":0200000400F00A", sixteen data records of sixteen bytes
// at 0x4200 to 0x42F0 in lower-case digits, ":00000001FF"; CR LF line ends.
inline constexpr const char* kProfileFirstLine = ":0200000400F00A";
inline constexpr const char* kProfileEndLine = ":00000001FF";
inline constexpr int kProfileRecordCount = 16;

// Data record n (0..15), without its line end.
std::string ProfileRecordLine(const EepromImage& image, int n);
// The whole file.
std::string ProfileText(const EepromImage& image);

// The message for a failed save: "Path not found", "Sharing violation", ...
// for a file that cannot be created, followed by the system's reason in
// parentheses; the reason alone for the other errors (a full disk, a folder).
std::string WriteErrorText(int error);

// Writes image as a profile at path; returns 0, or 1 after showing the error
// text. The old file is replaced only once the new one is complete.
// Each record puts the path and "Writing PSD file" into the trace lines.
int WriteProfile(const std::string& path, const EepromImage& image, LinkTrace& trace, IPrompter& prompter);

}  // namespace vantrel
