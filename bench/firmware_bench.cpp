// Firmware stream against the simulated bootloader paced at 9600 baud.
//
// The protocol's own floor per character is the 1 ms pause before it is sent
// plus one byte time each way (10 bits at 9600 baud). The last line prints the
// measured time over that floor against the limit. The link also pauses 1 ms
// after an answer arrives before it reads it; the ratio against a floor that
// includes that pause is printed too, to show what the link's part costs.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "sim/pty_board.h"
#include "vantrel/firmware/firmware_stream.h"
#include "vantrel/link/board_link.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kLimit = 1.05;
constexpr double kByteSeconds = 10.0 / 9600.0;
constexpr double kPauseBeforeSending = 0.001;
constexpr double kPauseBeforeReading = 0.001;
constexpr int kDataRecords = 24;

std::string FirmwareText() {
    std::string text;
    char record[64];
    for (int i = 0; i < kDataRecords; ++i) {
        unsigned sum = 16 + static_cast<unsigned>(i * 16 >> 8) + static_cast<unsigned>(i * 16 & 0xFF);
        std::string line;
        std::snprintf(record, sizeof record, ":10%04X00", i * 16);
        line = record;
        for (int b = 0; b < 16; ++b) {
            const unsigned value = static_cast<unsigned>(i + b) & 0xFF;
            std::snprintf(record, sizeof record, "%02X", value);
            line += record;
            sum += value;
        }
        std::snprintf(record, sizeof record, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += line + record;
    }
    return text + ":00000001FF\r\n";
}

}  // namespace

int main() {
    char folder[] = "/tmp/ixen-firmware-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::string path = std::string(folder) + "/firmware.hex";
    const std::string text = FirmwareText();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    ixsim::BoardOptions options;
    options.bootloader = true;
    options.pace9600 = true;
    ixsim::PtyBoard board(options);
    vantrel::CBoardLink link;
    link.SetComDevice(1, board.Path());
    link.settings.PortSelection = 1;
    link.settings.TraceEnabled = 0;
    if (link.Open(1, 9600) != 1) return 1;

    std::atomic<bool> cancel{false};
    const Clock::time_point start = Clock::now();
    const vantrel::StreamResult result = vantrel::StreamProgramFile(link, path, cancel, nullptr);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::remove(path.c_str());
    rmdir(folder);
    if (result.outcome != vantrel::StreamOutcome::kProgrammed) {
        std::printf("the stream did not program the board\n");
        return 1;
    }

    const double characters = static_cast<double>(result.accepted + 1);
    const double floor = characters * (kPauseBeforeSending + 2 * kByteSeconds);
    const double linkFloor = floor + characters * kPauseBeforeReading;
    std::printf("characters: %.0f in %.3f s (%.3f ms each)\n", characters, seconds, seconds / characters * 1000);
    std::printf("with the link's pause before reading: %.3f s floor, ratio %.3f\n", linkFloor, seconds / linkFloor);
    std::printf("protocol floor %.3f s: ratio %.3f (limit %.2f)\n", floor, seconds / floor, kLimit);
    return 0;
}
