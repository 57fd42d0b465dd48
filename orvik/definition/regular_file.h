#pragma once
#include <cstdint>
#include <string>

namespace orvik {

// Why a file cannot be read whole: it is missing, it is not a regular file (a
// folder, a FIFO or a device would mislead or block the reader), or it is
// larger than largestBytes. Empty when it can be read.
std::string RegularFileProblem(const std::string& path, std::uintmax_t largestBytes);

}  // namespace orvik
