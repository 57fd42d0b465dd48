#pragma once
#include "tests/support/temp_folder.h"

namespace vantrel::testing_support {
using ixen_testing::CurrentDirectoryGuard;
using ixen_testing::ReadBytes;
using ixen_testing::TempFolder;
using ixen_testing::WriteBytes;
}  // namespace vantrel::testing_support
