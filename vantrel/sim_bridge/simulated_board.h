#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "sim/board.h"
#include "vantrel/link/link_settings.h"

namespace ixsim {
class Pc104Board;
class PtyBoard;
}  // namespace ixsim

namespace vantrel {

class CBoardLink;

// A simulated board plugged into one port of the link: on a pseudo-terminal
// that becomes COM n's device, or on the PC/104 bus at a base address. It runs
// until destroyed; destroy it after the link is done with it.
class SimulatedBoard {
public:
    // Throws std::runtime_error when the pseudo-terminal cannot be made, and
    // std::invalid_argument for a selection that is neither COM 1 to 8 nor a
    // PC/104 address (10 to 13).
    SimulatedBoard(CBoardLink& link, int portSelection, const ixsim::BoardOptions& options);
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    // A board that answers the link as its settings stand (port, protocol,
    // firmware type, selector addressing): what vantrel-cli --simulate runs.
    static std::shared_ptr<SimulatedBoard> Matching(CBoardLink& link);

    // What the jumper and power-up do to a real board: the bootloader takes a
    // firmware file (vantrel FW Update, vantrel-cli flash).
    void EnterBootloader();

    // "COM1 (/dev/pts/3)" or "the PC/104 bus at 300h".
    std::string Where() const;

    // Null unless the board sits behind that kind of port.
    ixsim::PtyBoard* Serial() const { return serial_.get(); }
    ixsim::Pc104Board* Pc104() const { return pc104_.get(); }

private:
    int portSelection_;
    std::unique_ptr<ixsim::PtyBoard> serial_;
    std::shared_ptr<ixsim::Pc104Board> pc104_;
};

// The board a user of `vantrel --simulate` meets: as fresh from power-up, a
// serial board talks without the bus timer (protocol 2) until command 0x00
// switches it on, with the checksum; a PC/104 board runs the bus timer without
// the checksum (protocol 1).
ixsim::BoardOptions PowerUpSerialBoard(FirmwareType firmware);
ixsim::BoardOptions PowerUpPc104Board(FirmwareType firmware);

}  // namespace vantrel
