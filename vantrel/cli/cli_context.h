#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "cli_options.h"
#include "cli_prompter.h"
#include "vantrel/link/board_link.h"

namespace vantrel::cli {

// Starts the board of --simulate behind the link, answering as the link's
// settings stand, and returns what keeps it running; throws std::exception when
// it cannot. The vantrel-cli program passes the simulator bridge's, so that
// this library carries no simulator.
using SimulatorStart = std::function<std::shared_ptr<void>(CBoardLink& link)>;
// Puts the board SimulatorStart returned into its bootloader, as the jumper and
// power-up do to a real board (for flash).
using SimulatorBootloader = std::function<void(const std::shared_ptr<void>& board)>;

// Everything a command works with: the options, the link and, with
// --simulate, the board behind it.
class CliContext {
public:
    CliContext(CliOptions options, std::ostream& out, std::ostream& err, SimulatorStart simulator = {},
               SimulatorBootloader simulatorBootloader = {});
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    // Applies the options to the link, starts the simulator when asked and opens
    // the serial port. Commands that talk to the board call it after checking
    // their arguments. False when the simulator cannot start or is missing (nothing was sent);
    // a port that does not open is only reported, as its transactions fail anyway.
    bool Connect();
    bool Connected() const { return connected_; }

    // With --simulate, after Connect: the simulated board enters its bootloader.
    void EnterSimulatedBootloader();

    // Standard error notes about the link after a command: port access, lost device.
    void ReportLinkProblems();

    const CliOptions options;
    std::ostream& out;
    std::ostream& err;
    CliPrompter prompter;  // texts on err, questions answered No
    std::shared_ptr<void> simulatedBoard;  // --simulate
    CBoardLink link;                       // after the board: closed before it stops

private:
    SimulatorStart simulator_;
    SimulatorBootloader simulatorBootloader_;
    bool connected_ = false;
};

}  // namespace vantrel::cli
