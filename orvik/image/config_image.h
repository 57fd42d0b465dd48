#pragma once
#include <cstdint>
#include <vector>

#include "orvik/eval/values.h"

namespace orvik {

// The configuration image the memory map stands for: each location's number,
// truncated to 32 bits, least significant byte first at its address, in
// ascending address order (a later location overwrites an overlapped byte).
// Uncovered bytes are 0; the image ends after the highest location.
std::vector<uint8_t> BuildImage(const TMemMap& memory);

// Sets each location's value to the unsigned number its bytes hold in the
// image, as reading a saved profile back gives it.
void ReadBackFromImage(TMemMap& memory, const std::vector<uint8_t>& image);

}  // namespace orvik
