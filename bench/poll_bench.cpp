// Polling's speed: one poll of every line of the SMBus, Temperature and Other
// consoles against the simulated board paced at 9600 baud, and the trace text
// area's cost per traced byte when it is nearly empty and when it is full.
//
// The last lines print each figure as a ratio against its target.
#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "sim/pty_board.h"
#include "vantrel/app/trace_text_area.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/link_transactor.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/link_trace.h"
#include "vantrel/monitor/polling.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kWireLimit = 1.05;    // poll time over the wire time of its bytes
constexpr double kTickLimit = 1.0;     // the poll must fit in the one-second tick
constexpr double kTraceLimit = 1.2;    // per-byte cost full over nearly empty
constexpr double kByteSeconds = 10.0 / 9600.0;
constexpr int kPolls = 5;
constexpr int kTracedTransactions = 400;
// A poll's transactions run in one tick; the window paints when the tick returns.
constexpr int kTransactionsPerPoll = 40;
constexpr int kBytesPerTransaction = 10;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct PollFigures {
    double pollSeconds = 0;   // all timed polls
    double wireSeconds = 0;   // their bytes on the line, both ways
    double longestPoll = 0;
};

// Host and board bytes so far.
long LineBytes(ixsim::PtyBoard& board) {
    long bytes = 0;
    board.WithBoard([&bytes](ixsim::Board& b) { bytes = static_cast<long>(b.received.size()) + b.answerCount; });
    return bytes;
}

bool MeasurePolls(PollFigures& figures, bool paced) {
    ixsim::BoardOptions options;
    options.pace9600 = paced;
    options.firmwareType = 1;  // UPS: the firmware with all sixteen temperature sensors
    ixsim::PtyBoard board(options);
    vantrel::CBoardLink link;
    link.SetComDevice(1, board.Path());
    link.settings.PortSelection = 1;
    link.settings.FirmwareType = vantrel::FirmwareType::UPS;
    link.settings.TraceEnabled = 0;
    if (link.Open(1, 9600) != 1) return false;

    vantrel::LinkTransactor transactor(link);
    vantrel::BoardCommandTable commands;
    int32_t busy = 0;
    int32_t active = 0;
    int32_t rate = 1;
    vantrel::SilentPrompter prompter;
    vantrel::ConsoleEnableFlags flags;
    flags.smbus.fill(1);
    flags.temperature.fill(1);
    flags.other.fill(1);
    vantrel::CommandConsoles consoles({transactor, commands, busy, prompter, active, link.BoardIdentification.data()},
                                      flags);
    consoles.ApplyFirmwareType(vantrel::FirmwareType::UPS);

    char folder[] = "/tmp/ixen-poll-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return false;
    const std::string log = std::string(folder) + "/data.txt";
    vantrel::Polling polling({consoles, busy, rate, active, prompter, [] { return std::time(nullptr); }, {}, {}});
    polling.nameField = log;
    polling.logBox = true;
    bool ok = polling.Start();
    polling.Tick();  // counted; the polls follow
    polling.Tick();  // the first poll synchronises the link: not timed
    for (int i = 0; ok && i < kPolls; ++i) {
        const long bytesBefore = LineBytes(board);
        const Clock::time_point start = Clock::now();
        polling.Tick();
        const double seconds = Seconds(Clock::now() - start);
        ok = polling.Active();
        figures.pollSeconds += seconds;
        figures.wireSeconds += static_cast<double>(LineBytes(board) - bytesBefore) * kByteSeconds;
        figures.longestPoll = std::max(figures.longestPoll, seconds);
    }
    std::remove(log.c_str());
    rmdir(folder);
    return ok;
}

// Seconds per traced byte with the text area holding at least `already` characters.
double TraceCostPerByte(std::size_t already) {
    vantrel::TraceTextArea area;
    area.resize(600, 400);
    area.show();
    vantrel::LinkTrace trace;
    trace.SetView(&area);
    auto transaction = [&trace](int n) {
        for (int i = 0; i < kBytesPerTransaction / 2; ++i) {
            trace.AppendSent(static_cast<uint8_t>(n + i));
            trace.AppendReceived(static_cast<uint8_t>(i));
        }
        trace.CommitTrace();
    };
    for (int n = 0; trace.Text().size() < already; ++n) transaction(n);
    QApplication::processEvents();
    const Clock::time_point start = Clock::now();
    for (int n = 0; n < kTracedTransactions; ++n) {
        transaction(n);
        if ((n + 1) % kTransactionsPerPoll == 0) QApplication::processEvents();
    }
    return Seconds(Clock::now() - start) / (kTracedTransactions * kBytesPerTransaction);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    PollFigures polls;
    PollFigures unpaced;
    if (!MeasurePolls(polls, true) || !MeasurePolls(unpaced, false)) {
        std::printf("polling did not run against the simulated board\n");
        return 1;
    }
    // The first measurement of each warms the caches; the second is the figure.
    TraceCostPerByte(100);
    const double nearlyEmpty = TraceCostPerByte(100);
    const double full = TraceCostPerByte(vantrel::LinkTrace::kTrimLimit);

    std::printf("poll of every line: %.3f s on average, %.3f s of bytes on the wire\n", polls.pollSeconds / kPolls,
                polls.wireSeconds / kPolls);
    // Without pacing, a poll costs only the round trips through the pseudo-terminal
    // and the host's own work: what the paced poll adds to the wire time.
    const double positions = polls.wireSeconds / kByteSeconds / 2;
    std::printf("unpaced poll: %.3f s, %.1f us per byte exchange (the pseudo-terminal's round trip and the host)\n",
                unpaced.pollSeconds / kPolls, unpaced.pollSeconds / positions * 1e6);
    std::printf("paced poll: %.1f us per byte exchange over its two byte times\n",
                (polls.pollSeconds - polls.wireSeconds) / positions * 1e6);
    std::printf("trace: %.2f us per byte with 100 characters, %.2f us with %zu\n", nearlyEmpty * 1e6, full * 1e6,
                vantrel::LinkTrace::kTrimLimit);
    std::printf("poll time / wire time: %.3f (target %.2f)\n", polls.pollSeconds / polls.wireSeconds, kWireLimit);
    std::printf("poll time / (wire time + unpaced round trips): %.3f (target %.2f)\n",
                polls.pollSeconds / (polls.wireSeconds + unpaced.pollSeconds), kWireLimit);
    std::printf("longest poll / tick: %.3f (target %.2f)\n", polls.longestPoll, kTickLimit);
    std::printf("trace cost per byte full / nearly empty: %.3f (target %.2f)\n", full / nearlyEmpty, kTraceLimit);
    return 0;
}
