#pragma once
#include <ctime>
#include <functional>

#include "tests/commands/scripted_board.h"
#include "tests/support/temp_folder.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/monitor/polling.h"

namespace vantrel::testing_support {

// What polling runs with, over a scripted board: the consoles and their flags,
// the link's busy flag, the rate, the message boxes, a clock the test moves,
// and a folder for the log.
struct PollingRig {
    void BoardHas(ConsoleLineRef ref, int32_t word) {
        const LineCommand& command = consoles.Line(ref).command;
        board.registers[command.tableEntry != 0 ? commands[command.tableEntry] : command.fixed] = word;
    }
    PollingEnvironment Environment(SpreadsheetLauncher spreadsheet, std::function<void()> createConsoleWindows = {}) {
        return {consoles, busy, rate, active, messages, [this] { return now; }, std::move(spreadsheet),
                std::move(createConsoleWindows)};
    }

    ixen_testing::TempFolder folder;
    ScriptedBoard board;
    BoardCommandTable commands;
    int32_t busy = 0;
    RecordingMessages messages;
    int32_t active = 0;
    int32_t rate = 1;
    char identification[17] = "IXEN-0042";
    ConsoleEnableFlags flags;
    CommandConsoles consoles{{board, commands, busy, messages, active, identification}, flags};
    std::time_t now = 1'000'000;
};

}  // namespace vantrel::testing_support
