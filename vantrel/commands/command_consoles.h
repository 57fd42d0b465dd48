#pragma once
#include <optional>
#include <string>
#include <vector>

#include "command_console.h"
#include "debug_command.h"
#include "realtime_clock_console.h"
#include "vantrel/config/console_enable_flags.h"

namespace vantrel {

// A line of one of the consoles.
struct ConsoleLineRef {
    ConsoleKind console;
    int line;

    bool operator==(const ConsoleLineRef&) const = default;
};

// The poll log's columns in file order.
const std::vector<ConsoleLineRef>& PollLogColumns();
// The lines that are no column of the poll log, in console order.
const std::vector<ConsoleLineRef>& LinesWithoutColumn();

// Every console of the program, for the whole run: their stores are what
// polling logs, whether or not a window was ever shown. The enable flags the
// settings file keeps are the record's (savedFlags).
class CommandConsoles {
public:
    CommandConsoles(ConsoleEnvironment environment, ConsoleEnableFlags& savedFlags);
    CommandConsoles(const CommandConsoles&) = delete;
    CommandConsoles& operator=(const CommandConsoles&) = delete;

    CommandConsole& Console(ConsoleKind kind);
    const CommandConsole& Console(ConsoleKind kind) const;
    const ConsoleLine& Line(ConsoleLineRef ref) const { return Console(ref.console).Line(ref.line); }

    // The line with this script name (a poll log column name, or Out_5V and the like).
    std::optional<ConsoleLineRef> Find(const std::string& name) const;
    // Whether the firmware type offers the line at all.
    static bool Offers(ConsoleLineRef ref, FirmwareType firmwareType);
    void ApplyFirmwareType(FirmwareType firmwareType);

    // The poll log: whether a column is written (the I2C columns follow the
    // flags the I2C console published) and its value text.
    bool LogColumnEnabled(ConsoleLineRef ref) const;
    std::string LogText(ConsoleLineRef ref) const { return Console(ref.console).LogText(ref.line); }

    CommandConsole smbus;
    CommandConsole temperature;
    CommandConsole other;
    CommandConsole i2c;
    RealtimeClockConsole clock;
    DebugCommand debug;

    // Update All's turn of the realtime clock and I2C consoles whose windows
    // exist: their own reads, or the clock's stored values and the I2C
    // console's write.
    void UpdateAllRead(bool clockExists, bool i2cExists);
    void UpdateAllWrite(bool clockExists, bool i2cExists);

private:
    ConsoleEnableFlags& savedFlags_;
};

}  // namespace vantrel
