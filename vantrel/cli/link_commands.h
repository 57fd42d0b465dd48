#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// Single transactions with the board.
int RunProbe(CliContext& context, const std::vector<std::string>& arguments);
int RunRead(CliContext& context, const std::vector<std::string>& arguments);
int RunWrite(CliContext& context, const std::vector<std::string>& arguments);
int RunIdentification(CliContext& context, const std::vector<std::string>& arguments);

}  // namespace vantrel::cli
