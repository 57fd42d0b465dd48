#include "serial_transport.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "bootloader_answer.h"

namespace vantrel {
namespace {

constexpr uint8_t kNothingReceived = 0x01;  // what a read that timed out gives
// Bounds each wait for input so the whole-second limit is looked at often.
constexpr int kInputWaitSliceMs = 20;

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

bool SerialTransport::WriteByte(uint8_t byte) { return port_.WriteByte(byte) == 1; }

std::optional<uint8_t> SerialTransport::ReadByte(int timeoutMs) {
    uint8_t byte = 0;
    if (port_.ReadByte(byte, timeoutMs) == SerialPort::ReadResult::kByte) return byte;
    return std::nullopt;
}

bool SerialTransport::Drain(std::chrono::seconds limit, int readTimeoutMs, ByteListener& listener) {
    if (!bootloaderPort_) return false;
    const std::time_t start = std::time(nullptr);
    while (InputCount() > 0) {
        listener.Received(ReadByte(readTimeoutMs).value_or(kNothingReceived));
        if (std::time(nullptr) - start >= limit.count()) return true;
    }
    return false;
}

BootloaderAnswer SerialTransport::BootloaderStep(uint8_t ch, std::atomic<uint8_t>& sequence, int readTimeoutMs,
                                                 ByteListener& listener) {
    constexpr uint8_t kApplicationAnswer = 0xF0;  // the application firmware, not the bootloader, is answering
    constexpr uint8_t kProgrammed = 0xFE;
    if (!bootloaderPort_) return BootloaderAnswer::kAccepted;
    const std::time_t start = std::time(nullptr);
    SleepMs(1);
    WriteByte(ch);
    listener.Sent(ch);
    while (!bootloader::LimitReached(start)) {
        if (InputCount() == 0) {
            port_.WaitForInput(kInputWaitSliceMs);
            continue;
        }
        SleepMs(1);
        const uint8_t c = ReadByte(readTimeoutMs).value_or(kNothingReceived);
        listener.Received(c);
        if (c == kApplicationAnswer) return BootloaderAnswer::kRefused;
        if (c == kProgrammed) return BootloaderAnswer::kProgrammed;
        if (ch == bootloader::kLineFeed) {
            if (c != 0) return BootloaderAnswer::kRefused;
            sequence = 0;
            return BootloaderAnswer::kAccepted;
        }
        if (const auto answer = bootloader::RecordAnswer(ch, c, sequence)) return *answer;
    }
    return BootloaderAnswer::kRefused;
}

}  // namespace vantrel
