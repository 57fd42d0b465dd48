#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// Firmware update: "FILE [--yes]". Exit 0 when the bootloader reports the end
// of programming, 1 for every failure, 130 when stopped by SIGINT.
int RunFlash(CliContext& context, const std::vector<std::string>& arguments);

}  // namespace vantrel::cli
