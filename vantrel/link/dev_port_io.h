#pragma once
#include <string>

#include "port_io.h"

namespace vantrel {

// The PC/104 I/O space of this computer through the kernel's port device: one
// byte read or written at the port address as file offset. Needs root (or
// CAP_SYS_RAWIO); Acquire explains what is missing.
class DevPortIo : public IPortIo {
public:
    explicit DevPortIo(std::string devicePath = "/dev/port");
    ~DevPortIo() override;
    DevPortIo(const DevPortIo&) = delete;
    DevPortIo& operator=(const DevPortIo&) = delete;

    // True when the device is open; otherwise error names the device and the reason.
    bool Acquire(std::string& error) override;
    // Without a successful Acquire, Out does nothing and In gives 0xFF, as an empty bus would.
    void Out(uint16_t address, uint8_t value) override;
    uint8_t In(uint16_t address) override;

private:
    std::string devicePath_;
    int fd_ = -1;
};

}  // namespace vantrel
