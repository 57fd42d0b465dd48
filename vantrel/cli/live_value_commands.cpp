#include "live_value_commands.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <ostream>

#include "cli_context.h"
#include "cli_options.h"
#include "console_session.h"
#include "link_commands.h"
#include "terminal_text.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/commands/value_text.h"
#include "vantrel/config/link_transactor.h"

namespace vantrel::cli {
namespace {

constexpr std::size_t kIdentificationLength = 16;

std::string FirmwareName(FirmwareType firmwareType) {
    switch (firmwareType) {
        case FirmwareType::Standard: return "Standard";
        case FirmwareType::UPS: return "UPS";
        case FirmwareType::UPS18: return "UPS18";
    }
    return std::to_string(static_cast<int>(firmwareType));
}

}  // namespace

std::optional<ConsoleLineRef> ResolveLiveValue(CliContext& context, const CommandConsoles& consoles,
                                               const std::string& name) {
    const auto ref = consoles.Find(name);
    if (!ref) {
        context.err << "vantrel-cli: unknown value '" << name << "' (see --help for the names)\n";
        return std::nullopt;
    }
    if (!CommandConsoles::Offers(*ref, context.options.firmware())) {
        context.err << "vantrel-cli: " << name << " is not offered by " << FirmwareName(context.options.firmware())
                    << " firmware\n";
        return std::nullopt;
    }
    return ref;
}

namespace {

void ReportLine(CliContext& context, const std::string& name, int result) {
    context.err << "vantrel-cli: " << name << ": result " << result << " (" << ResultMeaning(result) << ")\n";
}

std::string ValueText(const ConsoleSession& session, ConsoleLineRef ref) {
    if (session.consoles.Line(ref).store == StoreKind::Identification) {
        return EscapedForTerminal(session.identification, kIdentificationLength);
    }
    return session.consoles.LogText(ref);
}

// The value a script gives for a line, checked with the console's rule. An I2C
// hex line takes the forms its console reads; anything else gets the hex message.
FieldCheck CheckScriptValue(const ConsoleLine& line, const std::string& text) {
    FieldCheck check = CheckField(line.rule, text);
    if (line.rule.kind == FieldRule::Kind::LooseHex && !check.value) check.message = kHexEntryMessage;
    return check;
}

// "DD/MM/YYYY HH:MM:SS" in local time.
std::optional<int64_t> ParseLocalTime(const std::string& text) {
    LocalDateTime t;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%2d/%2d/%4d %2d:%2d:%2d%n", &t.day, &t.month, &t.year, &t.hour, &t.minute,
                    &t.second, &consumed) != 6 ||
        static_cast<std::size_t>(consumed) != text.size() || text.size() != 19) {
        return std::nullopt;
    }
    const int daysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth[t.month - 1] ||
        (t.month == 2 && t.day == 29 && !leap) || t.hour > 23 || t.minute > 59 || t.second > 59) {
        return std::nullopt;
    }
    return CalendarFromLocal(t);
}

std::string ShownTime(const RealtimeClockConsole::TimeRow& row) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %s:%s:%s", row.day, row.month, row.year, row.hour.c_str(),
                  row.minute.c_str(), row.second.c_str());
    return text;
}

bool NeedsClock(CliContext& context) {
    if (context.options.firmware() == FirmwareType::UPS18) return true;
    context.err << "vantrel-cli: the realtime clock is offered only by UPS18 firmware (--firmware 2)\n";
    return false;
}

int RtcRead(CliContext& context) {
    if (!context.Connect()) return kTransactNotSynchronised;
    ConsoleSession session(context);
    RealtimeClockConsole& clock = session.consoles.clock;
    clock.rtcEnable = 1;
    if (clock.ReadPass() != 0) return session.recorder.first != 0 ? session.recorder.first : 1;
    const BoardCommandTable& commands = session.commands;
    const struct {
        const char* label;
        std::string value;
        int firstEntry;  // the entries of the words the value came from
        int lastEntry;
    } rows[] = {
        {"Current Local Time", ShownTime(clock.rows[RealtimeClockConsole::kCurrentLocal]), 50, 51},
        {"Current UTC Time", ShownTime(clock.rows[RealtimeClockConsole::kCurrentUtc]), 50, 51},
        {"RTC Startup Time", ShownTime(clock.rows[RealtimeClockConsole::kStartup]), 52, 53},
        {"RTC Shutdown Time", ShownTime(clock.rows[RealtimeClockConsole::kShutdown]), 54, 55},
        {"RTC Shutdown Delay", std::to_string(clock.store.delay), BoardCommandTable::kEepromAddress,
         BoardCommandTable::kEepromData},
    };
    for (const auto& row : rows) {
        int result = 0;
        for (int entry = row.firstEntry; entry <= row.lastEntry && result == 0; ++entry) {
            const auto failed = session.recorder.failed.find(commands[entry]);
            if (failed != session.recorder.failed.end()) result = failed->second;
        }
        if (result != 0) {
            ReportLine(context, row.label, result);
        } else {
            context.out << row.label << ": " << row.value << "\n";
        }
    }
    return session.recorder.first;
}

int RtcSet(CliContext& context, const std::vector<std::string>& arguments) {
    std::optional<int64_t> current;
    std::optional<int64_t> startup;
    std::optional<int64_t> shutdown;
    std::optional<uint16_t> delay;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (i + 1 >= arguments.size()) {
            context.err << "vantrel-cli: " << option << " needs a value\n";
            return kExitUsage;
        }
        const std::string& value = arguments[i + 1];
        if (option == "--delay") {
            const FieldCheck check = CheckField(FieldRule::Integer(0, 65535), value);
            if (check.Refused()) {
                context.err << "vantrel-cli: --delay " << value << ": " << check.message << "\n";
                return kExitUsage;
            }
            delay = static_cast<uint16_t>(*check.value);
            continue;
        }
        std::optional<int64_t>* target = option == "--current"    ? &current
                                         : option == "--startup"  ? &startup
                                         : option == "--shutdown" ? &shutdown
                                                                  : nullptr;
        if (target == nullptr) {
            context.err << "vantrel-cli: unknown rtc set option '" << option << "'\n";
            return kExitUsage;
        }
        *target = option == "--current" && value == "now" ? std::optional<int64_t>(std::time(nullptr))
                                                          : ParseLocalTime(value);
        if (!*target) {
            context.err << "vantrel-cli: " << option << " takes a local time DD/MM/YYYY HH:MM:SS, got '" << value
                        << "'\n";
            return kExitUsage;
        }
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    ConsoleSession session(context);
    RealtimeClockConsole& clock = session.consoles.clock;
    clock.rtcEnable = 1;
    if (clock.ReadPass() != 0 || session.recorder.first != 0) {
        context.err << "vantrel-cli: the board's clock values could not be read; nothing written\n";
        return session.recorder.first != 0 ? session.recorder.first : 1;
    }
    const int64_t zone = clock.zoneWest;
    if (current) clock.store.current = BoardCountFromCalendar(*current, zone);
    if (startup) clock.store.startup = BoardCountFromCalendar(*startup, zone);
    if (shutdown) clock.store.shutdown = BoardCountFromCalendar(*shutdown, zone);
    if (delay) clock.store.delay = *delay;
    clock.WriteStore();
    for (const auto& [command, result] : session.recorder.failed) {
        char name[8];
        std::snprintf(name, sizeof name, "0x%02X", command);
        ReportLine(context, std::string("command ") + name, result);
    }
    return session.recorder.first;
}

std::string UnitsOf(const ConsoleLine& line) {
    switch (line.store) {
        case StoreKind::Tenths: return "K";
        case StoreKind::Identification: return "16 characters";
        case StoreKind::Word:
        case StoreKind::Signed16: break;
    }
    if (line.format == FieldFormat::Hex || line.format == FieldFormat::HexAlt) return "hex word";
    const auto first = line.units.find_first_not_of(' ');
    return first == std::string::npos ? line.units : line.units.substr(first);
}

}  // namespace

int RunGet(CliContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::pair<std::string, ConsoleLineRef>> wanted;
    {
        const ConsoleSession names(context);
        if (arguments.empty()) {
            for (const auto* list : {&PollLogColumns(), &LinesWithoutColumn()}) {
                for (const ConsoleLineRef& ref : *list) {
                    const ConsoleLine& line = names.consoles.Line(ref);
                    if (line.readable && CommandConsoles::Offers(ref, context.options.firmware())) {
                        wanted.emplace_back(line.name, ref);
                    }
                }
            }
        }
        for (const std::string& name : arguments) {
            const auto ref = ResolveLiveValue(context, names.consoles, name);
            if (!ref) return kExitUsage;
            if (!names.consoles.Line(*ref).readable) {
                context.err << "vantrel-cli: " << name << " is written only; its console never reads it\n";
                return kExitUsage;
            }
            wanted.emplace_back(name, *ref);
        }
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    ConsoleSession session(context);
    int status = 0;
    for (const auto& [name, ref] : wanted) {
        const int result = session.consoles.Console(ref.console).ReadLine(ref.line);
        if (result != 0) {
            ReportLine(context, name, result);
            if (status == 0) status = result;
            if (result == kTransactNotSynchronised) break;
            continue;
        }
        context.out << name << ": " << ValueText(session, ref) << "\n";
    }
    return status;
}

int RunSet(CliContext& context, const std::vector<std::string>& arguments) {
    struct Assignment {
        std::string name;
        ConsoleLineRef ref;
        double value;
    };
    std::vector<Assignment> assignments;
    bool refused = false;
    {
        const ConsoleSession names(context);
        for (const std::string& argument : arguments) {
            const auto equals = argument.find('=');
            if (equals == std::string::npos) {
                context.err << "vantrel-cli: expected NAME=VALUE, got '" << argument << "'\n";
                return kExitUsage;
            }
            const std::string name = argument.substr(0, equals);
            const std::string text = argument.substr(equals + 1);
            const auto ref = ResolveLiveValue(context, names.consoles, name);
            if (!ref) return kExitUsage;
            const ConsoleLine& line = names.consoles.Line(*ref);
            if (!line.writable || line.store == StoreKind::Tenths) {
                context.err << "vantrel-cli: " << name << " is read-only\n";
                return kExitUsage;
            }
            const FieldCheck check = CheckScriptValue(line, text);
            if (check.Refused()) {
                context.err << "vantrel-cli: " << argument << ": " << check.message << "\n";
                refused = true;
                continue;
            }
            assignments.push_back({name, *ref, StoredValueOf(line.store, *check.value)});
        }
    }
    if (refused) return kExitUsage;
    if (!context.Connect()) return kTransactNotSynchronised;
    ConsoleSession session(context);
    int status = 0;
    for (const Assignment& assignment : assignments) {
        CommandConsole& console = session.consoles.Console(assignment.ref.console);
        console.SetValue(assignment.ref.line, assignment.value);
        const int result = console.WriteLine(assignment.ref.line);
        if (result != 0) {
            ReportLine(context, assignment.name, result);
            if (status == 0) status = result;
            if (result == kTransactNotSynchronised) break;
        }
    }
    return status;
}

int RunRtc(CliContext& context, const std::vector<std::string>& arguments) {
    const std::string& action = arguments[0];
    if (action == "read" && arguments.size() == 1) return NeedsClock(context) ? RtcRead(context) : kExitUsage;
    if (action == "set") return NeedsClock(context) ? RtcSet(context, arguments) : kExitUsage;
    context.err << "vantrel-cli: rtc takes 'read' or 'set [--current T|now] [--startup T] [--shutdown T] [--delay N]'\n";
    return kExitUsage;
}

std::string LiveValueNamesText() {
    int32_t busy = 0;
    int32_t polling = 0;
    SilentPrompter silent;
    BoardCommandTable commands;
    ConsoleEnableFlags flags;
    // Nobody talks to this board: the consoles are only asked for their lines.
    class NoBoard : public IBoardTransactor {
    public:
        int Transact(uint8_t, uint8_t, int32_t*) override { return 1; }
        uint8_t WriteAddress() const override { return 0x12; }
        uint8_t ReadAddress() const override { return 0x13; }
    } board;
    const CommandConsoles consoles({board, commands, busy, silent, polling, nullptr}, flags);
    std::string text = "live values (get NAME..., set NAME=VALUE...; T is DD/MM/YYYY HH:MM:SS local time):\n";
    for (const auto* list : {&PollLogColumns(), &LinesWithoutColumn()}) {
        for (const ConsoleLineRef& ref : *list) {
            const ConsoleLine& line = consoles.Line(ref);
            std::string access = line.readable ? (line.writable ? "read/write" : "read") : "write";
            if (!CommandConsoles::Offers(ref, FirmwareType::Standard)) access += ", UPS18 only";
            if (!CommandConsoles::Offers(ref, FirmwareType::UPS18)) access += ", not UPS18";
            char row[160];
            std::snprintf(row, sizeof row, "  %-20s %-20s %s\n", line.name.c_str(), UnitsOf(line).c_str(),
                          access.c_str());
            text += row;
        }
    }
    return text;
}

}  // namespace vantrel::cli
