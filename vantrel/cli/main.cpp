#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli_run.h"
#include "vantrel/sim_bridge/simulated_board.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vantrel::cli::RunCli(args, std::cout, std::cerr, &vantrel::SimulatedBoard::Matching,
                                [](const std::shared_ptr<void>& board) {
                                    std::static_pointer_cast<vantrel::SimulatedBoard>(board)->EnterBootloader();
                                });
}
