#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// What a transaction result other than 0 means, for messages.
const char* ResultMeaning(int result);

// Single transactions with the board.
int RunProbe(CliContext& context, const std::vector<std::string>& arguments);
int RunRead(CliContext& context, const std::vector<std::string>& arguments);
int RunWrite(CliContext& context, const std::vector<std::string>& arguments);
int RunIdentification(CliContext& context, const std::vector<std::string>& arguments);

}  // namespace vantrel::cli
