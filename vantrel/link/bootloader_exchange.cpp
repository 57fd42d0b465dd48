#include <chrono>
#include <ctime>
#include <optional>
#include <thread>

#include "board_link.h"

namespace vantrel {
namespace {

constexpr uint8_t kRecordStart = ':';
constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kRecordAccepted = '*';
constexpr std::time_t kAnswerLimitSeconds = 2;
// Bounds each wait for input so the whole-second limit is looked at often.
constexpr int kInputWaitSliceMs = 20;

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool LimitReached(std::time_t start) { return std::time(nullptr) - start >= kAnswerLimitSeconds; }

// Both paths' reading of answer c to a record's start or to a sequence byte
// (not a line feed: each path reads that its own way); empty while the
// answer is still to come.
std::optional<int> RecordAnswer(uint8_t ch, uint8_t c, std::atomic<uint8_t>& sequence) {
    if (ch == kRecordStart) {
        if (c == kRecordAccepted) {
            sequence = kRecordAccepted;
            return 0;
        }
        if (c > kRecordAccepted) return 1;
    } else if (c == sequence.load() + 1) {
        sequence = c;
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int CBoardLink::BootloaderExchange(uint8_t ch, int skip) {
    const int selection = settings.PortSelection;
    if (IsSerialSelection(selection)) return skip ? 0 : BootloaderExchangeSerial(ch);
    if (IsPc104Selection(selection)) return skip ? 0 : BootloaderExchangePc104(ch);
    return 0;
}

int CBoardLink::BootloaderExchangeSerial(uint8_t ch) {
    constexpr uint8_t kRefused = 0xF0;  // the application firmware, not the bootloader, is answering
    constexpr uint8_t kProgrammed = 0xFE;
    const std::time_t start = std::time(nullptr);
    SleepMs(1);
    WriteByte(ch);
    while (!LimitReached(start)) {
        if (BytesAvailable() == 0) {
            serial_.WaitForInput(kInputWaitSliceMs);
            continue;
        }
        SleepMs(1);
        const uint8_t c = ReadByte();
        if (c == kRefused) return 1;
        if (c == kProgrammed) return 2;
        if (ch == kLineFeed) {
            if (c != 0) return 1;
            bootloaderSequence = 0;
            return 0;
        }
        if (const std::optional<int> answer = RecordAnswer(ch, c, bootloaderSequence)) return *answer;
    }
    return 1;
}

int CBoardLink::BootloaderExchangePc104(uint8_t ch) {
    constexpr uint8_t kNothing = 0xFF;
    constexpr uint8_t kProgrammed = 0xFC;
    constexpr int kPollMs = 2;
    const std::time_t start = std::time(nullptr);
    IPortIo* io = PortIo();
    if (io == nullptr) return 1;
    const uint16_t address = Pc104Address(settings.PortSelection);
    io->Out(address, ch);
    SleepMs(kPollMs);
    uint8_t c = io->In(address);
    for (;;) {
        if (c == kNothing) return 1;
        if (c == kProgrammed) return 2;
        if (ch == kLineFeed) return 0;
        if (const std::optional<int> answer = RecordAnswer(ch, c, bootloaderSequence)) return *answer;
        if (LimitReached(start)) return 1;
        SleepMs(kPollMs);
        c = io->In(address);
    }
}

}  // namespace vantrel
