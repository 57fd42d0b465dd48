#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "cli_context.h"

namespace vantrel::cli {

// The whole of vantrel-cli for the arguments after the program name; returns
// the exit status. simulator: what --simulate starts (refused without one).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const SimulatorStart& simulator = {}, const SimulatorBootloader& simulatorBootloader = {});

// The trace text as the main window holds it, with "\n" line ends.
std::string TraceForTerminal(const std::string& traceText);

}  // namespace vantrel::cli
