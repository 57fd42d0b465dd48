#include "flash_command.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <string>

#include <unistd.h>

#include "cli_context.h"
#include "cli_options.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/firmware/firmware_progress.h"
#include "vantrel/firmware/firmware_texts.h"
#include "vantrel/firmware/firmware_worker.h"
#include "vantrel/firmware/notice_queue.h"
#include "vantrel/firmware/program_file.h"

namespace vantrel::cli {
namespace {

constexpr int kExitFailed = 1;
constexpr int kExitInterrupted = 130;  // 128 + SIGINT, as shells report it
constexpr auto kSignalLook = std::chrono::milliseconds(100);
constexpr int kPercentPerLine = 10;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) { interrupted = 1; }

// SIGINT stops the update as the Stop button does, for as long as this lives.
class InterruptAsStop {
public:
    InterruptAsStop() {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptAsStop() { sigaction(SIGINT, &previous_, nullptr); }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    struct sigaction previous_ {};
};

// The percentage and the bytes sent: in place on a terminal, else a line every 10 %.
class ProgressPrinter {
public:
    ProgressPrinter(std::ostream& err, uint64_t total)
        : err_(err), total_(total), inPlace_(&err == &std::cerr && isatty(STDERR_FILENO) == 1) {}

    void Show(uint64_t accepted) {
        const FirmwareProgress progress = FirmwareProgress::After(accepted, total_);
        const std::string line = progress.PercentText() + "  " + progress.BytesText() + " bytes sent";
        if (inPlace_) {
            err_ << "\r" << line << std::flush;
            shownInPlace_ = true;
            return;
        }
        const int tenth = static_cast<int>(progress.percentage) / kPercentPerLine;
        if (tenth > lastTenth_) {
            lastTenth_ = tenth;
            err_ << line << "\n";
        }
    }
    // Ends an in-place line before the closing messages.
    void Done() {
        if (shownInPlace_) err_ << "\n";
        shownInPlace_ = false;
    }

private:
    std::ostream& err_;
    uint64_t total_;
    bool inPlace_;
    bool shownInPlace_ = false;
    int lastTenth_ = 0;
};

}  // namespace

int RunFlash(CliContext& context, const std::vector<std::string>& arguments) {
    std::string path;
    bool confirmed = false;
    for (const std::string& argument : arguments) {
        if (argument == "--yes") {
            confirmed = true;
        } else if (path.empty() && argument.rfind("--", 0) != 0) {
            path = argument;
        } else {
            context.err << "vantrel-cli: flash takes FILE and --yes\n";
            return kExitUsage;
        }
    }
    if (path.empty()) {
        context.err << "vantrel-cli: flash needs the program FILE\n";
        return kExitUsage;
    }

    const ProgramFileCount count = CountProgramFile(path);
    if (const char* message = CountMessage(count.status)) context.err << message << "\n";
    if (!MayStream(count.status)) return kExitFailed;

    context.err << texts::kFirmwareInstructions << "\n";
    if (!confirmed) {
        context.err << "Press Enter to continue\n" << std::flush;
        std::string line;
        if (!std::getline(std::cin, line)) {
            context.err << "vantrel-cli: no confirmation on standard input; nothing sent\n";
            return kExitFailed;
        }
    }
    if (!context.Connect()) return kExitFailed;
    context.EnterSimulatedBootloader();

    InterruptAsStop interruptAsStop;
    NoticeQueue notices;
    FirmwareWorker worker;
    ProgressPrinter printer(context.err, count.total);
    bool ended = false;
    const bool started = worker.Start(
        context.link, path, [&] { notices.Post([&] { printer.Show(worker.TakeAccepted()); }); },
        [&] { notices.Post([&] { ended = true; }); });
    if (!started) {
        context.err << texts::kUnableToStartThread << "\n";
        return kExitFailed;
    }
    while (!ended) {
        notices.RunPending(kSignalLook);
        if (interrupted != 0) worker.RequestStop();
    }
    worker.Join();
    printer.Done();

    const StreamResult& result = worker.Result();
    switch (result.outcome) {
    case StreamOutcome::kProgrammed:
        context.out << texts::kFirmwareUpdateSuccessful << "\n";
        return 0;
    case StreamOutcome::kCancelled:
        context.err << texts::kUploadFailed << "\n" << texts::kUpdateCancelled << "\n";
        return kExitInterrupted;
    default:
        context.err << FailureMessage(result) << "\n";
        return kExitFailed;
    }
}

}  // namespace vantrel::cli
