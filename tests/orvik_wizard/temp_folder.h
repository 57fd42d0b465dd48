#pragma once
#include <string>

#include "tests/support/temp_folder.h"

namespace orvik::test {

using ixen_testing::TempFolder;

inline std::string ReadWholeFile(const std::string& path) { return ixen_testing::ReadBytes(path); }

}  // namespace orvik::test
