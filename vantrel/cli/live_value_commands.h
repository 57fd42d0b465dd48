#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// Live values by the poll log's column names: "get [NAME]...", "set NAME=VALUE...".
int RunGet(CliContext& context, const std::vector<std::string>& arguments);
int RunSet(CliContext& context, const std::vector<std::string>& arguments);
// The realtime clock: "rtc read", "rtc set [--current T|now] [--startup T] [--shutdown T] [--delay N]".
int RunRtc(CliContext& context, const std::vector<std::string>& arguments);
// The names get and set know, with their units, for the usage text.
std::string LiveValueNamesText();

}  // namespace vantrel::cli
