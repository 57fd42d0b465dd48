#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "vantrel/link/port_io.h"

namespace ixsim {
class Pc104Board;
}

namespace vantrel {

// The PC/104 I/O space with a simulated board at one address; the other
// addresses read as an empty bus (0xFF).
class SimulatedPc104Bus : public IPortIo {
public:
    SimulatedPc104Bus(std::shared_ptr<ixsim::Pc104Board> board, uint16_t address)
        : board_(std::move(board)), address_(address) {}

    bool Acquire(std::string&) override { return true; }
    void Out(uint16_t address, uint8_t value) override;
    uint8_t In(uint16_t address) override;

    ixsim::Pc104Board& Board() { return *board_; }

private:
    std::shared_ptr<ixsim::Pc104Board> board_;
    uint16_t address_;
};

}  // namespace vantrel
