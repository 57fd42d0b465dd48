#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "orvik/eval/values.h"

namespace orvik {

// The profile text of an image: the extended linear address record for 0x00F0,
// 16-byte data records from address 0x4200 up, the end-of-file record; upper-case
// digits, every line ended by CR LF.
std::string FormatProfile(const std::vector<uint8_t>& image);

// Builds the image of the memory map and writes its profile. Nothing is shown
// when the file cannot be written; the result only tells whether it was.
bool WriteProfile(const std::string& path, const TMemMap& memory);

inline constexpr uint32_t kProfileBaseAddress = 0x4200;
inline constexpr std::size_t kBytesPerRecord = 16;

}  // namespace orvik
