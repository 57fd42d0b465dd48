#pragma once
#include <iosfwd>
#include <memory>
#include <string>

#include "cli_options.h"
#include "cli_prompter.h"
#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "vantrel/link/board_link.h"

namespace vantrel::cli {

// Everything a command works with: the options, the link and, with
// --simulate, the board behind it.
class CliContext {
public:
    CliContext(CliOptions options, std::ostream& out, std::ostream& err);
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    // Applies the options to the link, starts the simulator when asked and opens
    // the serial port. Commands that talk to the board call it after checking
    // their arguments. False when the simulator cannot start (nothing was sent);
    // a port that does not open is only reported, as its transactions fail anyway.
    bool Connect();
    bool Connected() const { return connected_; }

    // Standard error notes about the link after a command: port access, lost device.
    void ReportLinkProblems();

    const CliOptions options;
    std::ostream& out;
    std::ostream& err;
    CliPrompter prompter;  // texts on err, questions answered No
    std::unique_ptr<ixsim::PtyBoard> ptyBoard;      // --simulate on COM1..COM8
    std::shared_ptr<ixsim::Pc104Board> pc104Board;  // --simulate on a PC/104 selection
    CBoardLink link;                                // after the boards: closed before they stop

private:
    bool connected_ = false;
};

}  // namespace vantrel::cli
