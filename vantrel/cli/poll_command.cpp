#include "poll_command.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <thread>

#include "cli_context.h"
#include "cli_options.h"
#include "console_session.h"
#include "vantrel/config/settings_file.h"
#include "vantrel/monitor/polling.h"
#include "vantrel/monitor/workbook/workbook_application.h"
#include "vantrel/monitor/workbook/xlsx_export.h"

namespace vantrel::cli {
namespace {

constexpr const char* kNoLog = "-";
constexpr auto kTick = std::chrono::seconds(1);
// How often a wait for the next tick looks whether it was told to stop.
constexpr auto kStopCheck = std::chrono::milliseconds(50);

// Set by the signal handler, which may run on any thread of the process.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

extern "C" void RequestStop(int) { stopRequested = true; }

// SIGINT and SIGTERM end polling after the poll in progress while this lives.
class StopSignals {
public:
    StopSignals() {
        stopRequested = false;
        struct sigaction action {};
        action.sa_handler = RequestStop;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~StopSignals() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

struct PollOptions {
    std::string rate = "1";
    std::optional<long> count;
    std::optional<std::vector<std::string>> columns;
    std::string log = Polling::kDefaultLogName;
    std::optional<std::string> xlsx;
};

std::vector<std::string> SplitNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = list.find(',', start);
        const std::size_t end = comma == std::string::npos ? list.size() : comma;
        names.push_back(list.substr(start, end - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

// False (with the reason on standard error) for a usage error.
bool ParsePollOptions(CliContext& context, const std::vector<std::string>& arguments, PollOptions& options) {
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (option != "--rate" && option != "--count" && option != "--columns" && option != "--log" &&
            option != "--xlsx") {
            context.err << "vantrel-cli: unknown poll option '" << option << "'\n";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            context.err << "vantrel-cli: " << option << " needs a value\n";
            return false;
        }
        const std::string& value = arguments[i + 1];
        unsigned number = 0;
        if (option == "--rate") {
            if (!ParseNumber(value, Polling::kMaximumRate, number) || number < Polling::kMinimumRate) {
                context.err << "vantrel-cli: --rate takes 1..60, got '" << value << "'\n";
                return false;
            }
            options.rate = std::to_string(number);
        } else if (option == "--count") {
            if (!ParseNumber(value, 0x7FFFFFFF, number) || number == 0) {
                context.err << "vantrel-cli: --count takes a number of records from 1, got '" << value << "'\n";
                return false;
            }
            options.count = static_cast<long>(number);
        } else if (option == "--columns") {
            options.columns = SplitNames(value);
        } else if (option == "--log") {
            options.log = value;
        } else {
            options.xlsx = value;
        }
    }
    if (options.log != kNoLog && options.log.size() > static_cast<std::size_t>(Polling::kMaximumNameLength)) {
        context.err << "vantrel-cli: --log takes a name of at most 80 characters\n";
        return false;
    }
    return true;
}

// The enable flags of the columns named, or nothing with the reason.
std::optional<ConsoleEnableFlags> FlagsOfColumns(CliContext& context, const std::vector<std::string>& names) {
    ConsoleSession session(context);
    for (const std::string& name : names) {
        const auto ref = ResolveLiveValue(context, session.consoles, name);
        if (!ref) return std::nullopt;
        const ConsoleLine& line = session.consoles.Line(*ref);
        if (line.logColumn.empty()) {
            context.err << "vantrel-cli: " << name << " is no column of the poll log\n";
            return std::nullopt;
        }
        if (ref->console == ConsoleKind::I2c) {
            session.flags.i2c[static_cast<std::size_t>(ref->line)] = 1;
        } else {
            session.consoles.Console(ref->console).SetFlag(ref->line, true);
        }
    }
    return session.flags;
}

// The I2C alarm columns repeat the I2C console's last read: read them once, as
// a press of its Read would, so that the log holds the board's values.
void ReadI2cColumns(ConsoleSession& session) {
    for (std::size_t line = 0; line < session.flags.i2c.size(); ++line) {
        if (session.flags.i2c[line] != 0) {
            (void)session.consoles.i2c.ReadLine(static_cast<int>(line));
        }
    }
}

}  // namespace

int RunPoll(CliContext& context, const std::vector<std::string>& arguments) {
    PollOptions options;
    if (!ParsePollOptions(context, arguments, options)) return kExitUsage;
    // The names are checked before anything is sent.
    std::optional<ConsoleEnableFlags> columns;
    if (options.columns) {
        columns = FlagsOfColumns(context, *options.columns);
        if (!columns) return kExitUsage;
    }
    // The workbook is saved when polling ends, maybe hours later: a folder it
    // cannot go to is better said now, before anything is sent.
    if (options.xlsx) {
        const std::filesystem::path folder = std::filesystem::absolute(*options.xlsx).parent_path();
        if (::access(folder.c_str(), W_OK) != 0) {
            context.err << "vantrel-cli: cannot save the workbook in " << folder.string() << ": "
                        << std::strerror(errno) << "\n";
            return 1;
        }
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    ConsoleSession session(context);
    if (columns) {
        session.flags = *columns;
    } else {
        SavedSettings saved;
        if (LoadSettingsFile(kSettingsFileName, saved)) session.flags = saved.enableFlags;
    }
    ReadI2cColumns(session);

    std::shared_ptr<workbook::Workbook> book;
    SpreadsheetLauncher launcher;
    if (options.xlsx) {
        book = std::make_shared<workbook::Workbook>();
        launcher = [book] { return std::make_shared<workbook::WorkbookApplication>(book); };
    }
    int32_t rate = 1;
    Polling polling({session.consoles, session.busy, rate, session.polling, context.prompter,
                     [] { return std::time(nullptr); }, launcher, {}});
    polling.rateField = options.rate;
    polling.nameField = options.log == kNoLog ? Polling::kDefaultLogName : options.log;
    polling.logBox = options.log != kNoLog;
    polling.graphBox = options.xlsx.has_value();
    long records = 0;
    polling.onRecord = [&](const std::string& record) {
        context.out << record.substr(0, record.find('\r')) << std::endl;
        ++records;
    };

    const StopSignals signals;
    int status = 0;
    const bool started = polling.Start();
    if (started) {
        auto nextTick = std::chrono::steady_clock::now() + kTick;
        while (polling.Active() && !stopRequested && (!options.count || records < *options.count)) {
            while (!stopRequested && std::chrono::steady_clock::now() < nextTick) {
                std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                    kStopCheck, nextTick - std::chrono::steady_clock::now()));
            }
            if (stopRequested) break;
            nextTick += kTick;
            polling.Tick();
        }
        // Still active: ended by the count or a signal. Otherwise a read pass or the log failed.
        if (polling.Active()) {
            polling.Stop();
        } else {
            status = 1;
        }
    } else {
        status = 1;
    }
    if (book && started) {
        if (const auto error = workbook::SaveWorkbookXlsx(*book, *options.xlsx)) {
            context.err << "vantrel-cli: " << *error << "\n";
            if (status == 0) status = 1;
        }
    }
    return status;
}

}  // namespace vantrel::cli
