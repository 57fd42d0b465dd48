#pragma once
#include <string>

#include "console_environment.h"

namespace vantrel {

// The Debug Command console: one arbitrary command byte with one word. The
// result is not examined and CommBusy is neither tested nor set: it is the
// engineer's tool for talking to the board around everything else.
class DebugCommand {
public:
    explicit DebugCommand(ConsoleEnvironment environment) : env_(environment) {}

    void SetView(IConsoleView* view) { view_ = view != nullptr ? view : &noView_; }

    // Read shows the answer word in the data field; Write sends the data word.
    void Read();
    void Write();

    std::string commandText = "0x00";
    std::string wordText = "0x0000";
    std::string description = "Static";
    int pauseMs = 50;  // after the transaction, with the bar full

private:
    void Run(bool write);

    ConsoleEnvironment env_;
    IConsoleView noView_;
    IConsoleView* view_ = &noView_;
};

}  // namespace vantrel
