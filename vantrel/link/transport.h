#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>

namespace vantrel {

// The link above a transport hears of every byte the transport moves on its own
// (while draining or in a bootloader step), so that it can trace it.
class ByteListener {
public:
    virtual ~ByteListener() = default;
    virtual void Sent(uint8_t byte) = 0;
    virtual void Received(uint8_t byte) = 0;
};

// What a bootloader step made of the bootloader's answer to one character.
enum class BootloaderAnswer : int {
    kAccepted = 0,
    kRefused = 1,     // no answer within the limit, a wrong one, or the application firmware answering
    kProgrammed = 2,  // the bootloader signalled the end of programming
};

// One physical path to the board: a serial port, the PC/104 port space, or no
// port at all. The link chooses one for the port selection and writes the
// transaction, the synchronisation and the trace once, above this interface.
class ITransport {
public:
    virtual ~ITransport() = default;

    // True when the byte went out.
    virtual bool WriteByte(uint8_t byte) = 0;
    // The byte received within timeoutMs, if any. The PC/104 bus always gives a byte.
    [[nodiscard]] virtual std::optional<uint8_t> ReadByte(int timeoutMs) = 0;
    // Whether there is an input queue; without one nothing can be read ahead and
    // InputCount claims a byte is always waiting.
    [[nodiscard]] virtual bool HasInputQueue() const = 0;
    [[nodiscard]] virtual uint32_t InputCount() = 0;
    // Reads and discards what is waiting; true when bytes kept arriving for limit.
    [[nodiscard]] virtual bool Drain(std::chrono::seconds limit, int readTimeoutMs, ByteListener& listener) = 0;
    // Sends one character of a firmware file to the bootloader and reads its
    // answer; sequence is the bootloader's last acknowledgement.
    [[nodiscard]] virtual BootloaderAnswer BootloaderStep(uint8_t ch, std::atomic<uint8_t>& sequence,
                                                          int readTimeoutMs, ByteListener& listener) = 0;
    virtual void Close() = 0;
};

}  // namespace vantrel
