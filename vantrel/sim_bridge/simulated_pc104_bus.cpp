#include "simulated_pc104_bus.h"

#include "sim/pc104_board.h"

namespace vantrel {

void SimulatedPc104Bus::Out(uint16_t address, uint8_t value) {
    if (address == address_) board_->Out(value);
}

uint8_t SimulatedPc104Bus::In(uint16_t address) {
    return address == address_ ? board_->In() : uint8_t{0xFF};
}

}  // namespace vantrel
