#pragma once
#include "transport.h"

namespace vantrel {

// No port selected: nothing goes out, nothing comes in, every step "succeeds".
class NoPortTransport : public ITransport {
public:
    bool WriteByte(uint8_t /*byte*/) override { return false; }
    std::optional<uint8_t> ReadByte(int /*timeoutMs*/) override { return std::nullopt; }
    bool HasInputQueue() const override { return false; }
    uint32_t InputCount() override { return 1; }
    bool Drain(std::chrono::seconds /*limit*/, int /*readTimeoutMs*/, ByteListener& /*listener*/) override {
        return false;
    }
    BootloaderAnswer BootloaderStep(uint8_t /*ch*/, std::atomic<uint8_t>& /*sequence*/, int /*readTimeoutMs*/,
                                    ByteListener& /*listener*/) override {
        return BootloaderAnswer::kAccepted;
    }
    void Close() override {}
};

}  // namespace vantrel
