#include "dev_port_io.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace vantrel {

DevPortIo::DevPortIo(std::string devicePath) : devicePath_(std::move(devicePath)) {}

DevPortIo::~DevPortIo() {
    if (fd_ >= 0) ::close(fd_);
}

bool DevPortIo::Acquire(std::string& error) {
    if (fd_ >= 0) return true;
    fd_ = ::open(devicePath_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ >= 0) return true;
    const int code = errno;
    error = "cannot open " + devicePath_ + " for PC/104 port access: " + std::strerror(code);
    if (code == EACCES || code == EPERM) error += " (run as root or grant CAP_SYS_RAWIO)";
    if (code == ENOENT) error += " (this kernel has no port device)";
    return false;
}

void DevPortIo::Out(uint16_t address, uint8_t value) {
    if (fd_ < 0) return;
    while (::pwrite(fd_, &value, 1, address) < 0 && errno == EINTR) {
    }
}

uint8_t DevPortIo::In(uint16_t address) {
    uint8_t value = 0xFF;
    if (fd_ < 0) return value;
    while (::pread(fd_, &value, 1, address) < 0 && errno == EINTR) {
    }
    return value;
}

}  // namespace vantrel
