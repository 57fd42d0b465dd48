#include "serial_port.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

struct BaudRate {
    int value;
    speed_t speed;
};

constexpr BaudRate kBaudRates[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},   {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
    {230400, B230400},
};

bool SpeedOf(int baud, speed_t& speed) {
    for (const auto& rate : kBaudRates) {
        if (rate.value == baud) {
            speed = rate.speed;
            return true;
        }
    }
    return false;
}

int BaudOf(speed_t speed) {
    for (const auto& rate : kBaudRates) {
        if (rate.speed == speed) return rate.value;
    }
    return 0;
}

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// A gone device answers every call at once; sleeping out the time-out keeps
// callers that loop on reads from spinning.
void SleepUntil(Clock::time_point deadline) { std::this_thread::sleep_until(deadline); }

void ApplyLineSettings(int fd, int baud) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return;
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                          INPCK | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHOK | ECHONL | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    speed_t speed{};
    if (SpeedOf(baud, speed)) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
    tcsetattr(fd, TCSANOW, &tio);
}

// Asks the driver to pass received bytes on at once. A driver without
// serial_struct (a pseudo-terminal) or one that refuses the change leaves the
// port as it was, which works, only slower on a USB adapter.
void RequestLowLatency(int fd, const SerialPort::SerialInfoRequest& request) {
    constexpr int kLowLatency = static_cast<int>(ASYNC_LOW_LATENCY);
    serial_struct info{};
    if (request(fd, TIOCGSERIAL, &info) != 0) return;
    if ((info.flags & kLowLatency) != 0) return;
    info.flags |= kLowLatency;
    request(fd, TIOCSSERIAL, &info);
}

int SystemIoctl(int fd, unsigned long request, void* info) { return ioctl(fd, request, info); }

// The descriptor, or minus the errno value.
int OpenExclusive(const std::string& path) {
    // Non-blocking: open must not wait for carrier, and reads are bounded by poll().
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -errno;
    if (!isatty(fd)) {
        ::close(fd);
        return -ENOTTY;
    }
    // TIOCEXCL does not stop root; the lock does, between cooperating programs.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = (errno == EWOULDBLOCK) ? EBUSY : errno;
        ::close(fd);
        return -error;
    }
    ioctl(fd, TIOCEXCL);
    return fd;
}

}  // namespace

SerialPort::~SerialPort() { Close(); }

PortOpenError SerialPort::Open(const std::string& path, int baud) {
    const int fd = OpenExclusive(path);
    Close();
    if (fd < 0) return {path, -fd};
    ApplyLineSettings(fd, baud);
    RequestLowLatency(fd, serialInfoRequest_ ? serialInfoRequest_ : SerialInfoRequest(SystemIoctl));
    fd_ = fd;
    path_ = path;
    hungUp_ = false;
    return {path, 0};
}

void SerialPort::Close() {
    if (fd_ < 0) return;
    // The exclusive flag belongs to the terminal, not to this descriptor; it
    // would outlive us while anyone else keeps the device open.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

int SerialPort::WriteByte(uint8_t byte) {
    if (fd_ < 0) return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteStallMs);
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1) return 1;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            hungUp_ = true;
            return 0;
        }
        const int left = RemainingMs(deadline);
        if (left == 0) return 0;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, left) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            hungUp_ = true;
            return 0;
        }
    }
}

SerialPort::ReadResult SerialPort::ReadByte(uint8_t& byte, int timeoutMs) {
    if (fd_ < 0) return ReadResult::kNotOpen;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        // Wait first: the answer is rarely there yet when the host has just sent.
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, RemainingMs(deadline));
        if (ready < 0 && errno != EINTR) return HangUp(deadline);
        if (ready > 0) {
            uint8_t value = 0;
            const ssize_t n = ::read(fd_, &value, 1);
            if (n == 1) {
                byte = value;
                return ReadResult::kByte;
            }
            const bool again = n < 0 && (errno == EAGAIN || errno == EINTR);
            // Hang-up: end of file, an I/O error, or poll reporting it with nothing left to read.
            if (!again || (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return HangUp(deadline);
        }
        if (RemainingMs(deadline) == 0) return ReadResult::kTimedOut;
    }
}

SerialPort::ReadResult SerialPort::HangUp(std::chrono::steady_clock::time_point deadline) {
    hungUp_ = true;
    SleepUntil(deadline);
    return ReadResult::kHungUp;
}

uint32_t SerialPort::InputQueueCount() const {
    if (fd_ < 0) return 0;
    int count = 0;
    if (ioctl(fd_, FIONREAD, &count) != 0 || count < 0) return 0;
    return static_cast<uint32_t>(count);
}

bool SerialPort::WaitForInput(int timeoutMs) {
    if (fd_ < 0) return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (InputQueueCount() > 0) return true;
        const int left = RemainingMs(deadline);
        if (left == 0) return false;
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, left);
        if (ready < 0 && errno == EINTR) continue;
        if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            if (InputQueueCount() > 0) return true;
            hungUp_ = true;
            SleepUntil(deadline);
            return false;
        }
    }
}

SerialLineSettings SerialPort::LineSettings() const {
    SerialLineSettings line;
    termios tio{};
    if (fd_ < 0 || tcgetattr(fd_, &tio) != 0) return line;
    line.baud = BaudOf(cfgetospeed(&tio));
    switch (tio.c_cflag & CSIZE) {
        case CS5: line.dataBits = 5; break;
        case CS6: line.dataBits = 6; break;
        case CS7: line.dataBits = 7; break;
        default: line.dataBits = 8; break;
    }
    line.parity = (tio.c_cflag & PARENB) != 0;
    line.stopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 1;
    line.hardwareFlow = (tio.c_cflag & CRTSCTS) != 0;
    line.softwareFlow = (tio.c_iflag & (IXON | IXOFF)) != 0;
    line.raw = (tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) == 0 && (tio.c_oflag & OPOST) == 0 &&
               (tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP)) == 0;
    return line;
}

}  // namespace vantrel
