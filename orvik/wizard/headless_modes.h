#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvik {

// The program's modes that need no display:
//   --help (or -h)               prints the usage (exit 0)
//   --eval EXPR [NAME=VALUE]...  prints the result (exit 0) or the failure (exit 1)
//   --check [FILE]               lists the problems of a definition, default
//                                profile.xml (exit 1 when there is any, else "OK")
// Usage errors exit 2. Returns nothing when args name no such mode.
std::optional<int> RunHeadlessMode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvik
