#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "port_open_error.h"

namespace vantrel {

// Line settings as the driver holds them.
struct SerialLineSettings {
    int baud = 0;                // 0 when the speed is not one of the standard rates
    int dataBits = 0;            // 5 to 8
    bool parity = false;
    int stopBits = 1;            // 1 or 2
    bool hardwareFlow = false;   // RTS/CTS
    bool softwareFlow = false;   // XON/XOFF in either direction
    bool raw = false;            // no canonical input, echo, signals or CR/LF translation
};

// One serial device (a POSIX terminal), one byte at a time. All termios and
// ioctl code of the link is here.
//
// Threads: at most one thread reads and one thread writes at a time; Open and
// Close must not run while another thread uses the port. HungUp may be asked
// from any thread.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing terminal device for reading and writing, exclusively,
    // and sets it up: the given baud rate, 8 data bits, no parity, receiver on,
    // modem lines ignored, raw binary mode, XON/XOFF off (they would swallow the
    // data bytes 0x11 and 0x13). Stop bits and RTS/CTS stay as the device had
    // them. Opening while open tries the new device first and then releases the
    // old one either way, so nothing is leaked; as the old descriptor holds the
    // lock, opening the same device again fails with EBUSY (and leaves it closed).
    // The driver is asked for low latency: a USB adapter then hands each
    // received byte on at once instead of holding it for its latency timer
    // (16 ms by default), which a protocol that waits for every answer would
    // pay on every byte. Drivers without the setting (a pseudo-terminal, a
    // plain UART) refuse, and the port works as before.
    // On failure the error code is an errno value and the port stays closed:
    //   ENOENT  no such device;  EACCES  no permission;  ENOTTY  not a terminal;
    //   EBUSY   held by another SerialPort or process (also for root, through a
    //           lock on the device);  anything else open(2) reports.
    // A baud rate the driver does not know leaves the speed as it was; failing
    // to apply the line settings is not reported (the port stays open).
    [[nodiscard]] PortOpenError Open(const std::string& path, int baud);

    // The driver's serial_struct requests (TIOCGSERIAL, TIOCSSERIAL) as ioctl(2)
    // takes them: the seam through which tests see what the driver is asked.
    using SerialInfoRequest = std::function<int(int fd, unsigned long request, void* info)>;
    void SetSerialInfoRequest(SerialInfoRequest request) { serialInfoRequest_ = std::move(request); }

    // Releases the device. Does nothing when the port is closed.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

    // Sends one byte. Returns 1 when the driver took it, 0 when the port is
    // closed, the device is gone, or output stayed blocked (flow control) for
    // kWriteStallMs.
    static constexpr int kWriteStallMs = 2000;
    int WriteByte(uint8_t byte);

    enum class ReadResult {
        kByte,      // byte holds the received value
        kTimedOut,  // nothing arrived within the time-out
        kHungUp,    // the device is gone (hang-up, I/O error, end of file); the
                    // call still took the whole time-out, so callers never spin
        kNotOpen,   // returned at once
    };
    // Waits up to timeoutMs for one byte. byte is untouched unless kByte.
    ReadResult ReadByte(uint8_t& byte, int timeoutMs);

    // Bytes waiting in the input queue (FIONREAD); 0 when closed or on error.
    // POSIX drivers report line errors in-band, so there is no error state to clear.
    uint32_t InputQueueCount() const;

    // Waits until input is waiting or timeoutMs has passed; true when it waits.
    // A device that is gone costs the whole time-out and gives false.
    bool WaitForInput(int timeoutMs);

    // True once the device reported hang-up or an I/O error since Open.
    bool HungUp() const { return hungUp_.load(); }

    // The settings the driver holds now; all zero/false when closed.
    SerialLineSettings LineSettings() const;

private:
    ReadResult HangUp(std::chrono::steady_clock::time_point deadline);

    int fd_ = -1;
    std::string path_;
    SerialInfoRequest serialInfoRequest_;
    std::atomic<bool> hungUp_{false};
};

}  // namespace vantrel
