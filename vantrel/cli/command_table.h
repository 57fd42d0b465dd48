#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class CliContext;

// One command of vantrel-cli. run gets the arguments after the command name and
// returns the exit status: a transaction result, or kExitUsage for bad arguments.
struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // for the usage text, e.g. "CMD WORD"
    std::string_view summary;
    std::size_t minArguments;
    std::size_t maxArguments;
    int (*run)(CliContext& context, const std::vector<std::string>& arguments);
};

std::span<const CliCommand> CommandTable();
const CliCommand* FindCommand(std::string_view name);
std::string UsageText();

}  // namespace vantrel::cli
