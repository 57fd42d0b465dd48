#pragma once
#include <memory>
#include <string>
#include <utility>

#include "sim/pc104_board.h"
#include "vantrel/link/port_io.h"

namespace vantrel::cli {

// The PC/104 port space with the simulated board at one base address; the
// other addresses read as an empty bus.
class SimulatedPortIo : public IPortIo {
public:
    SimulatedPortIo(std::shared_ptr<ixsim::Pc104Board> board, uint16_t boardAddress)
        : board_(std::move(board)), boardAddress_(boardAddress) {}

    bool Acquire(std::string& /*error*/) override { return true; }
    void Out(uint16_t address, uint8_t value) override {
        if (address == boardAddress_) board_->Out(value);
    }
    uint8_t In(uint16_t address) override { return address == boardAddress_ ? board_->In() : 0xFF; }

private:
    std::shared_ptr<ixsim::Pc104Board> board_;
    uint16_t boardAddress_;
};

}  // namespace vantrel::cli
