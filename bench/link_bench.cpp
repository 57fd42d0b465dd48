// Link throughput against the simulated board on a pseudo-terminal.
//
// Paced: the board runs at 9600 baud, so the best possible time is the wire
// time of every byte exchanged (10 bits each). The last line prints measured
// time over wire time against the limit. Unpaced: the same mix with an instant
// board gives the cost of one transaction, and the link's own share of it (the
// CPU time of the calling thread). The bare round trip of a pseudo-terminal is
// measured too, since the bus-timer protocol pays it once per answer byte.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include "sim/pty_board.h"
#include "vantrel/link/board_link.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPacedLimit = 1.03;
constexpr double kSecondsPerByte = 10.0 / 9600.0;

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct MixResult {
    double seconds = 0;
    double cpuSeconds = 0;
    std::size_t transactions = 0;
    std::size_t wireBytes = 0;
    std::size_t answerBytes = 0;
    int failures = 0;

    void Add(const MixResult& other) {
        seconds += other.seconds;
        cpuSeconds += other.cpuSeconds;
        transactions += other.transactions;
        wireBytes += other.wireBytes;
        answerBytes += other.answerBytes;
        failures += other.failures;
    }
};

// A fixed mix per round: a probe (write and read of 0xA0), a setpoint read and
// write, and the 16-byte identification block.
MixResult RunMix(int protocol, bool paced, int rounds) {
    ixsim::BoardOptions options;
    options.protocol = protocol;
    options.firmwareType = 2;
    options.pace9600 = paced;
    ixsim::PtyBoard board(options);

    vantrel::CBoardLink link;
    link.settings.LinkProtocol = static_cast<uint16_t>(protocol);
    link.SetComDevice(1, board.Path());
    if (link.Open(1, 9600) != 1) {
        std::fprintf(stderr, "cannot open %s\n", board.Path().c_str());
        std::exit(1);
    }
    MixResult result;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        int32_t word[4] = {0x0022};
        const uint8_t w = link.settings.BoardWriteAddress;
        const uint8_t r = link.settings.BoardReadAddress;
        result.failures += link.Transact(w, 0xA0, word) != 0;
        result.failures += link.Transact(r, 0xA0, word) != 0;
        result.failures += link.Transact(r, 0x14, word) != 0;
        word[0] = 1800 + round;
        result.failures += link.Transact(w, 0x14, word) != 0;
        result.failures += link.Transact(r, 0x3F, word) != 0;
        result.transactions += 5;
        // Keep the text area as small as the main window keeps it.
        if (link.trace.CommittedLength() > vantrel::LinkTrace::kTrimLimit) link.trace.ClearTrace();
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.cpuSeconds = ThreadCpuSeconds() - cpuStart;
    board.WithBoard([&](ixsim::Board& b) {
        result.wireBytes = b.received.size() + b.answered.size();
        result.answerBytes = b.answered.size();
    });
    return result;
}

// One byte there and back through a bare pseudo-terminal and an echo thread.
double PtyRoundTripSeconds(int trips) {
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return 0;
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    std::thread echo([&] {
        unsigned char byte = 0;
        for (int i = 0; i < trips; ++i) {
            if (read(master, &byte, 1) != 1 || write(master, &byte, 1) != 1) return;
        }
    });
    const auto start = Clock::now();
    unsigned char byte = 0;
    for (int i = 0; i < trips; ++i) {
        if (write(slave, &byte, 1) != 1) break;
        pollfd p{slave, POLLIN, 0};
        poll(&p, 1, 1000);
        if (read(slave, &byte, 1) != 1) break;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count() / trips;
    echo.join();
    close(master);
    close(slave);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    // Measure the link, not the kernel's default 50 us timer slack; the simulator
    // threads started below inherit it.
    prctl(PR_SET_TIMERSLACK, 1UL);

    const double ptyTrip = PtyRoundTripSeconds(1000);
    MixResult unpaced;
    MixResult paced;
    for (int protocol : {0, 1}) {
        const MixResult u = RunMix(protocol, false, rounds * 10);
        const MixResult p = RunMix(protocol, true, rounds);
        const double n = static_cast<double>(u.transactions);
        std::printf("protocol %d: unpaced %.1f us per transaction (link CPU %.1f us); paced %zu bytes in %.3f s, "
                    "wire time %.3f s\n",
                    protocol, 1e6 * u.seconds / n, 1e6 * u.cpuSeconds / n, p.wireBytes, p.seconds,
                    static_cast<double>(p.wireBytes) * kSecondsPerByte);
        unpaced.Add(u);
        paced.Add(p);
    }
    if (unpaced.failures + paced.failures != 0) {
        std::printf("%d transactions failed\n", unpaced.failures + paced.failures);
        return 1;
    }
    const double wireSeconds = static_cast<double>(paced.wireBytes) * kSecondsPerByte;
    const double floor = (wireSeconds + static_cast<double>(paced.answerBytes) * ptyTrip) / wireSeconds;
    std::printf("pseudo-terminal round trip %.1f us: the kernel alone puts this mix at ratio %.3f\n", 1e6 * ptyTrip,
                floor);
    const double n = static_cast<double>(unpaced.transactions);
    std::printf("paced ratio %.3f (limit %.2f), link CPU %.2f%% of wire time; unpaced %.1f us per transaction, "
                "link CPU %.1f us\n",
                paced.seconds / wireSeconds, kPacedLimit, 100.0 * paced.cpuSeconds / wireSeconds,
                1e6 * unpaced.seconds / n, 1e6 * unpaced.cpuSeconds / n);
    return 0;
}
