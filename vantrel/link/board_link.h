#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "link_settings.h"
#include "link_trace.h"
#include "port_io.h"
#include "serial_port.h"

namespace vantrel {

// Transaction results.
enum TransactResult : int {
    kTransactOk = 0,
    kTransactNotSynchronised = 1,  // nothing of the frame was sent
    kTransactBadAck = 2,           // wrong acknowledgement, or the board's failure byte 0xFE
    kTransactBadChecksum = 3,      // read answer checksum wrong; caller's data unchanged
};

// The one link object: byte transport over a serial port or a PC/104 I/O port,
// command transactions, the synchronisation handshake, the bootloader exchange
// and the link trace.
//
// Threads: the user-interface thread owns the link. During a firmware update a
// worker thread calls DrainInput and BootloaderExchange while the UI thread waits;
// the flags touched by both are atomic.
class CBoardLink {
public:
    CBoardLink();
    ~CBoardLink();
    CBoardLink(const CBoardLink&) = delete;
    CBoardLink& operator=(const CBoardLink&) = delete;

    LinkSettings settings;
    LinkTrace trace;

    // COM n is a device path; the default for COM n is /dev/ttyS(n-1).
    void SetComDevice(int port, std::string devicePath);
    std::string ComDevice(int port) const;
    // The PC/104 port space; without one the kernel's port I/O is used.
    void SetPortIo(std::shared_ptr<IPortIo> io);

    // Shows "Function Error" when DebugMode is 1; the application sets it to its message box.
    std::function<void(const std::string&)> showMessage;

    // Part 1.1 byte layer.
    int Open(int port, int baud);  // 1 on success, 0 on failure
    int Close();
    int IsOpen() const { return openFlag.load(); }
    uint32_t WriteByte(uint8_t byte);
    uint8_t ReadByte();  // 0x01 when nothing arrived within about 200 ms
    uint32_t BytesAvailable();
    int DrainInput();  // 1 when the board kept sending for the drain time limit
    // Why the last Open failed (errno), 0 after a good open; lets the UI explain a refused device.
    int LastOpenErrno() const { return lastOpenErrno_; }

    // Part 1.2 transactions. data: 32-bit elements, 4 bytes each, low byte first.
    int Transact(uint8_t address, uint8_t command, int32_t* data, int unused = 0);
    bool Synchronise();
    uint8_t Checksum(const uint8_t* bytes, std::size_t count) const;
    int BootloaderExchange(uint8_t ch, int skip);  // 0 accepted, 1 no/wrong answer, 2 end of programming

    // Part 1.1 fields.
    uint32_t bytesTransferred = 0;
    std::atomic<int> openFlag{0};
    std::atomic<int> drainTimeLimit{3};  // seconds
    int pc104ByteDelayMs = 10;
    // Part 1.2 fields.
    std::atomic<uint8_t> bootloaderSequence{0};
    std::atomic<uint8_t> resyncNeeded{1};
    std::array<char, 17> BoardIdentification{};

private:
    IPortIo& PortIo();

    SerialPort serial_;
    std::map<int, std::string> comDevices_;
    std::shared_ptr<IPortIo> portIo_;
    int lastOpenErrno_ = 0;
};

}  // namespace vantrel
