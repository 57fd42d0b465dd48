#include "command_table.h"

#include "config_commands.h"
#include "flash_command.h"
#include "link_commands.h"
#include "live_value_commands.h"
#include "poll_command.h"

namespace vantrel::cli {
namespace {

// A new command is a file of its own and one line here.
constexpr CliCommand kCommands[] = {
    {"probe", "", "write 0x0022 to command 0xA0, read it back; says whether the board answered", 0, 0, RunProbe},
    {"read", "CMD", "read the word of command CMD, printed as 0xYYYY", 1, 1, RunRead},
    {"write", "CMD WORD", "write WORD to command CMD", 2, 2, RunWrite},
    {"id", "", "read the board identification (command 0x3F, 16 characters)", 0, 0, RunIdentification},
    {"profile", "ACTION FILE..",
     "new|check|show FILE, convert IN OUT, diff A B (exit 1: they differ), set FILE OFFSET=VALUE...", 2, 1024,
     RunProfile},
    {"eeprom", "read|write FILE",
     "the board's EEPROM to or from a profile; [--retries N], write [--verify] [--reset]; "
     "exit 2 also when items were not confirmed, 1 when --verify finds a difference",
     2, 6, RunEeprom},
    {"reset", "", "processor reset: a new EEPROM content takes effect", 0, 0, RunReset},
    {"flash", "FILE [--yes]", "firmware update: FILE to the board's bootloader (--yes: no Enter)", 1, 2, RunFlash},
    {"get", "[NAME]..", "print live values by name (none given: every one the firmware offers)", 0, 256, RunGet},
    {"set", "NAME=VALUE..", "write live values in the order given, each checked first", 1, 256, RunSet},
    {"rtc", "read|set ..", "realtime clock: read; set [--current T|now] [--startup T] [--shutdown T] [--delay N]",
     1, 9, RunRtc},
    {"poll", "[OPTIONS]",
     "poll live values every N seconds into the log and standard output: [--rate N] (1..60, default 1), "
     "[--count K] records (default: until SIGINT/SIGTERM), [--columns NAME,..] as get names them (default: the "
     "flags of ./Vantrel.ini), [--log FILE|-] (default data.txt), [--xlsx FILE] workbook with the chart; "
     "exit 1 when a read fails",
     0, 10, RunPoll},
};

}  // namespace

std::span<const CliCommand> CommandTable() { return kCommands; }

const CliCommand* FindCommand(std::string_view name) {
    for (const auto& command : kCommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

std::string UsageText() {
    std::string text =
        "usage: vantrel-cli [--com N=DEVICE]... [--port SEL] [--protocol P] [--firmware F]\n"
        "                   [--selector S] [--trace] [--simulate] COMMAND [ARGS]\n"
        "  --com N=DEVICE  device of COM N (default /dev/ttyS(N-1))\n"
        "  --port SEL      1..8 COM1..COM8, 10..13 PC/104 at 300h/310h/320h/360h (default 1)\n"
        "  --protocol P    0 bus timer and checksum, 1 bus timer, 2 neither (default 0)\n"
        "  --firmware F    0 Standard, 1 UPS, 2 UPS18 (default 2)\n"
        "  --selector S    1: board addresses 0x14/0x15 instead of 0x12/0x13 (default 0)\n"
        "  --trace         print the link trace on standard error afterwards\n"
        "  --simulate      talk to a simulated board instead of the port\n"
        "numbers are decimal or 0x-hexadecimal; the exit status is the transaction result\n"
        "(0 success, 1 not synchronised, 2 wrong acknowledgement or a failed function (0xFE),\n"
        "3 checksum), 64 for usage errors\n"
        "commands:\n";
    for (const auto& command : kCommands) {
        std::string head = "  " + std::string(command.name);
        if (!command.arguments.empty()) head += " " + std::string(command.arguments);
        if (head.size() < 18) head.resize(18, ' ');
        text += head + " " + std::string(command.summary) + "\n";
    }
    return text + LiveValueNamesText();
}

}  // namespace vantrel::cli
