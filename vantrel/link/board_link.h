#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frame_layout.h"
#include "link_settings.h"
#include "link_trace.h"
#include "no_port_transport.h"
#include "pc104_transport.h"
#include "port_io.h"
#include "port_open_error.h"
#include "prompter.h"
#include "serial_transport.h"

namespace vantrel {

// Transaction results.
enum TransactResult : int {
    kTransactOk = 0,
    kTransactNotSynchronised = 1,  // nothing of the frame was sent
    kTransactBadAck = 2,           // wrong acknowledgement, or the board's failure byte 0xFE
    kTransactBadChecksum = 3,      // read answer checksum wrong; caller's data unchanged
};

// The one link object: command transactions, the synchronisation handshake, the
// bootloader exchange and the link trace, written once over a transport (a
// serial port, the PC/104 port space or none) chosen from the port selection.
//
// Threads: the user-interface thread owns the link. During a firmware update a
// worker thread calls DrainInput and BootloaderExchange while the UI thread waits;
// the flags touched by both are atomic and the trace locks itself. Calls must
// never overlap otherwise (the serial port allows one reader and one writer).
class CBoardLink : private ByteListener {
public:
    CBoardLink();
    ~CBoardLink() override;
    CBoardLink(const CBoardLink&) = delete;
    CBoardLink& operator=(const CBoardLink&) = delete;

    LinkSettings settings;
    LinkTrace trace;

    // COM n is a device path; the default for COM n is /dev/ttyS(n-1).
    void SetComDevice(int port, std::string devicePath);
    std::string ComDevice(int port) const;
    // The PC/104 port space; without one the kernel's port I/O (DevPortIo) is used.
    // It is acquired on the first PC/104 byte; without access bytes go nowhere
    // and reads give 0x01, and PortIoError says why.
    void SetPortIo(std::shared_ptr<IPortIo> io) { pc104_.SetPortIo(std::move(io)); }
    std::string PortIoError() const { return pc104_.Error(); }

    // Where "Function Error" goes when DebugMode is 1; without one it is dropped.
    void SetPrompter(IPrompter* prompter) { prompter_ = prompter != nullptr ? prompter : &silent_; }
    IPrompter& Prompter() const { return *prompter_; }

    // Byte layer.
    [[nodiscard]] int Open(int port, int baud);  // 1 on success, 0 on failure (see LastOpenError)
    int Close();
    int IsOpen() const { return openFlag.load(); }
    uint32_t WriteByte(uint8_t byte);
    uint8_t ReadByte();  // 0x01 when nothing arrived within about 200 ms
    uint32_t BytesAvailable();
    [[nodiscard]] int DrainInput();  // 1 when the board kept sending for the drain time limit
    // Why the last Open failed; its code is 0 after a good open. Lets the UI explain a refused device.
    const PortOpenError& LastOpenError() const { return lastOpenError_; }
    // True once the open serial device went away (adapter pulled, far end closed);
    // reads then keep failing, each after the normal time-out.
    bool DeviceLost() const { return serial_.Port().HungUp(); }
    // The serial port itself, for callers that show or check its line settings.
    const SerialPort& Serial() const { return serial_.Port(); }

    // Transactions. data: 32-bit elements, 4 bytes each, low byte first.
    [[nodiscard]] int Transact(uint8_t address, uint8_t command, int32_t* data, int unused = 0);
    [[nodiscard]] bool Synchronise();
    uint8_t Checksum(const uint8_t* bytes, std::size_t count) const;
    // 0 accepted, 1 no/wrong answer, 2 end of programming (see BootloaderAnswer).
    [[nodiscard]] int BootloaderExchange(uint8_t ch, int skip);

    // Byte-layer fields.
    uint32_t bytesTransferred = 0;
    // Read time-outs, milliseconds: a single-byte read waits perByteMs + constantMs
    // (the interval time-out only matters between the bytes of a longer read).
    struct ReadTimeouts {
        int intervalMs = 100;
        int perByteMs = 100;
        int constantMs = 100;
    };
    ReadTimeouts readTimeouts;
    std::atomic<int> openFlag{0};
    std::atomic<int> drainTimeLimit{3};  // seconds
    int pc104ByteDelayMs = 10;
    // Transaction fields.
    std::atomic<uint8_t> bootloaderSequence{0};
    std::atomic<uint8_t> resyncNeeded{1};
    // The last transaction's result 2 was the board's failure byte 0xFE (a failed function).
    bool lastFunctionFailed = false;
    std::array<char, 17> BoardIdentification{};

private:
    // The transport of the port selection, chosen again only when the selection changes.
    ITransport& Transport();
    int SingleByteTimeoutMs() const { return readTimeouts.perByteMs + readTimeouts.constantMs; }
    // Bytes a transport moves on its own go into the trace like any other.
    void Sent(uint8_t byte) override;
    void Received(uint8_t byte) override;

    int RunExchange(const FrameLayout& layout, const std::vector<uint8_t>& hostBytes,
                    std::vector<uint8_t>& answer);
    // Receives what the input queue holds, without waiting, up to limit answer bytes.
    void ReceiveWaiting(std::vector<uint8_t>& answer, std::size_t limit);
    int FailedExchange(uint8_t wrongByte);

    SerialTransport serial_;
    Pc104Transport pc104_{pc104ByteDelayMs};
    NoPortTransport noPort_;
    ITransport* transport_ = nullptr;
    int transportSelection_ = 0;
    std::map<int, std::string> comDevices_;
    PortOpenError lastOpenError_;
    SilentPrompter silent_;
    IPrompter* prompter_ = &silent_;
};

}  // namespace vantrel
