#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// "poll [--rate N] [--count K] [--columns NAME[,NAME]...] [--log FILE|-] [--xlsx FILE]":
// polling without the window, on a one-second tick, until K records, SIGINT or
// SIGTERM (exit 0), or a failing read pass (exit 1).
int RunPoll(CliContext& context, const std::vector<std::string>& arguments);

}  // namespace vantrel::cli
