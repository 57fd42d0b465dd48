#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "vantrel/cli/cli_run.h"
#include "vantrel/sim_bridge/simulated_board.h"

namespace vantrel::testing_support {

// One vantrel-cli run in process, with the simulated board of --simulate: its
// exit status, standard output and error.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err, &SimulatedBoard::Matching);
    return {status, out.str(), err.str()};
}

}  // namespace vantrel::testing_support
