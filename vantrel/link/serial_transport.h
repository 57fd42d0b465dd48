#pragma once
#include "serial_port.h"
#include "transport.h"

namespace vantrel {

// The link over a serial port. Only the bootloader's serial selections drain
// their input and talk to the bootloader; on others both steps do nothing and
// report success.
class SerialTransport : public ITransport {
public:
    SerialPort& Port() { return port_; }
    const SerialPort& Port() const { return port_; }
    void SetBootloaderPort(bool bootloaderPort) { bootloaderPort_ = bootloaderPort; }

    bool WriteByte(uint8_t byte) override;
    std::optional<uint8_t> ReadByte(int timeoutMs) override;
    bool HasInputQueue() const override { return true; }
    uint32_t InputCount() override { return port_.InputQueueCount(); }
    bool Drain(std::chrono::seconds limit, int readTimeoutMs, ByteListener& listener) override;
    BootloaderAnswer BootloaderStep(uint8_t ch, std::atomic<uint8_t>& sequence, int readTimeoutMs,
                                    ByteListener& listener) override;
    void Close() override { port_.Close(); }

private:
    SerialPort port_;
    bool bootloaderPort_ = false;
};

}  // namespace vantrel
