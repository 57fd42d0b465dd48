#include "pc104_transport.h"

#include <chrono>
#include <ctime>
#include <thread>
#include <utility>

#include "bootloader_answer.h"
#include "dev_port_io.h"

namespace vantrel {
namespace {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

void Pc104Transport::SetPortIo(std::shared_ptr<IPortIo> io) {
    io_ = std::move(io);
    tried_ = false;
    ready_ = false;
    error_.clear();
}

IPortIo* Pc104Transport::Io() {
    if (!tried_) {
        if (!io_) io_ = std::make_shared<DevPortIo>();
        tried_ = true;
        error_.clear();
        ready_ = io_->Acquire(error_);
    }
    return ready_ ? io_.get() : nullptr;
}

void Pc104Transport::ByteDelay() const { SleepMs(byteDelayMs_); }

bool Pc104Transport::WriteByte(uint8_t byte) {
    IPortIo* io = Io();
    if (io != nullptr) io->Out(address_, byte);
    ByteDelay();
    return io != nullptr;
}

std::optional<uint8_t> Pc104Transport::ReadByte(int /*timeoutMs*/) {
    std::optional<uint8_t> byte;
    if (IPortIo* io = Io()) byte = io->In(address_);
    ByteDelay();
    return byte;
}

BootloaderAnswer Pc104Transport::BootloaderStep(uint8_t ch, std::atomic<uint8_t>& sequence, int /*readTimeoutMs*/,
                                                ByteListener& /*listener*/) {
    constexpr uint8_t kNothing = 0xFF;
    constexpr uint8_t kProgrammed = 0xFC;
    constexpr int kPollMs = 2;
    const std::time_t start = std::time(nullptr);
    IPortIo* io = Io();
    if (io == nullptr) return BootloaderAnswer::kRefused;
    io->Out(address_, ch);
    SleepMs(kPollMs);
    uint8_t c = io->In(address_);
    for (;;) {
        if (c == kNothing) return BootloaderAnswer::kRefused;
        if (c == kProgrammed) return BootloaderAnswer::kProgrammed;
        // The line feed's answer is not looked at on this bus.
        if (ch == bootloader::kLineFeed) return BootloaderAnswer::kAccepted;
        if (const auto answer = bootloader::RecordAnswer(ch, c, sequence)) return *answer;
        if (bootloader::LimitReached(start)) return BootloaderAnswer::kRefused;
        SleepMs(kPollMs);
        c = io->In(address_);
    }
}

}  // namespace vantrel
