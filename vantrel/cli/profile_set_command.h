#pragma once
#include <string>
#include <vector>

namespace vantrel::cli {

class CliContext;

// "profile set FILE OFFSET=VALUE...": each field named by the offset "profile
// show" prints takes a value checked as its editor row checks it. Every pair is
// checked before the file is read; the first bad one ends the command with its
// message and exit 64, the file untouched.
int RunProfileSet(CliContext& context, const std::string& path, const std::vector<std::string>& pairs);

}  // namespace vantrel::cli
