#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

// Byte input and output in the PC/104 I/O space. The real implementation uses
// the kernel's port I/O; tests plug in the simulated board.
class IPortIo {
public:
    virtual ~IPortIo() = default;
    // Makes the port space usable; false with a reason when it is not (no privilege, no device).
    virtual bool Acquire(std::string& error) = 0;
    virtual void Out(uint16_t address, uint8_t value) = 0;
    virtual uint8_t In(uint16_t address) = 0;
};

}  // namespace vantrel
