#include "simulated_board.h"

#include <cstdio>
#include <mutex>
#include <stdexcept>

#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "simulated_pc104_bus.h"
#include "vantrel/link/board_link.h"

namespace vantrel {

SimulatedBoard::SimulatedBoard(CBoardLink& link, int portSelection, const ixsim::BoardOptions& options)
    : portSelection_(portSelection) {
    if (IsSerialSelection(portSelection)) {
        serial_ = std::make_unique<ixsim::PtyBoard>(options);
        link.SetComDevice(portSelection, serial_->Path());
    } else if (IsPc104Selection(portSelection)) {
        pc104_ = std::make_shared<ixsim::Pc104Board>(options);
        link.SetPortIo(std::make_shared<SimulatedPc104Bus>(pc104_, Pc104Address(portSelection)));
    } else {
        throw std::invalid_argument("no port for selection " + std::to_string(portSelection));
    }
}

SimulatedBoard::~SimulatedBoard() = default;

std::shared_ptr<SimulatedBoard> SimulatedBoard::Matching(CBoardLink& link) {
    const LinkSettings& settings = link.settings;
    ixsim::BoardOptions options;
    options.protocol = settings.LinkProtocol;
    options.firmwareType = static_cast<int>(settings.FirmwareType);
    options.altAddresses = settings.SelectorAddressing == 1;
    return std::make_shared<SimulatedBoard>(link, settings.PortSelection, options);
}

void SimulatedBoard::EnterBootloader() {
    if (serial_) serial_->WithBoard([](ixsim::Board& board) { board.EnterBootloader(); });
    if (pc104_) {
        std::lock_guard<std::mutex> lock(pc104_->mutex());
        pc104_->board().EnterBootloader();
    }
}

std::string SimulatedBoard::Where() const {
    if (serial_) return "COM" + std::to_string(portSelection_) + " (" + serial_->Path() + ")";
    char address[8];
    std::snprintf(address, sizeof address, "%Xh", Pc104Address(portSelection_));
    return std::string("the PC/104 bus at ") + address;
}

ixsim::BoardOptions PowerUpSerialBoard(FirmwareType firmware) {
    ixsim::BoardOptions options;
    options.protocol = 0;
    options.busTimerAtPowerUp = false;
    options.firmwareType = static_cast<int>(firmware);
    return options;
}

ixsim::BoardOptions PowerUpPc104Board(FirmwareType firmware) {
    ixsim::BoardOptions options;
    options.protocol = 1;
    options.firmwareType = static_cast<int>(firmware);
    return options;
}

}  // namespace vantrel
