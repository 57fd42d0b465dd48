#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// Profile files: "new FILE", "check FILE", "convert IN OUT", "show FILE", "diff A B".
int RunProfile(CliContext& context, const std::vector<std::string>& arguments);
// The board's EEPROM: "read FILE", "write FILE [--verify] [--reset]".
int RunEeprom(CliContext& context, const std::vector<std::string>& arguments);
// The processor reset that makes a new EEPROM content take effect.
int RunReset(CliContext& context, const std::vector<std::string>& arguments);

}  // namespace vantrel::cli
