#pragma once
#include <memory>
#include <string>

#include "port_io.h"
#include "transport.h"

namespace vantrel {

// The link over one byte-wide port in the PC/104 I/O space. The bus has no
// input queue: reads take what the port holds. Every byte is followed by the
// byte delay, which the link owns (byteDelayMs refers to it).
class Pc104Transport : public ITransport {
public:
    explicit Pc104Transport(const int& byteDelayMs) : byteDelayMs_(byteDelayMs) {}

    // The port space; without one the kernel's port I/O (DevPortIo) is used. It
    // is acquired on the first byte; without access bytes go nowhere, reads give
    // nothing, and Error says why.
    void SetPortIo(std::shared_ptr<IPortIo> io);
    const std::string& Error() const { return error_; }
    void SetAddress(uint16_t address) { address_ = address; }

    bool WriteByte(uint8_t byte) override;
    std::optional<uint8_t> ReadByte(int timeoutMs) override;
    bool HasInputQueue() const override { return false; }
    uint32_t InputCount() override { return 1; }
    bool Drain(std::chrono::seconds /*limit*/, int /*readTimeoutMs*/, ByteListener& /*listener*/) override {
        return false;
    }
    // Reads the port directly: these bytes are not traced.
    BootloaderAnswer BootloaderStep(uint8_t ch, std::atomic<uint8_t>& sequence, int readTimeoutMs,
                                    ByteListener& listener) override;
    void Close() override {}

private:
    // Null when the port space cannot be used.
    IPortIo* Io();
    void ByteDelay() const;

    const int& byteDelayMs_;
    std::shared_ptr<IPortIo> io_;
    bool tried_ = false;
    bool ready_ = false;
    std::string error_;
    uint16_t address_ = 0;
};

}  // namespace vantrel
