#pragma once
#include <cstdint>
#include <vector>

#include "setup_context.h"

namespace vantrel {

// Board commands the setup sends.
inline constexpr uint8_t kNotifyCommand = 0x00;
inline constexpr uint8_t kIdentificationCommand = 0x3F;
inline constexpr uint8_t kEepromAddressCommand = 0xA0;
// The EEPROM address the probe writes; what comes back is not compared.
inline constexpr int32_t kProbeValue = 34;
inline constexpr int kSetupBaud = 9600;
inline constexpr int kSetupDrainTimeLimit = 3;

// PortSelection := port; a port already open is closed; COM port opened at 9600 baud.
// A device the system refuses is noted in the trace. True when the port opened.
bool OpenComForSelection(SetupContext& ctx, int port);

int ReadBoardCommand(CBoardLink& link, uint8_t command);
int WriteBoardCommand(CBoardLink& link, uint8_t command, int32_t value);

struct ProbeOutcome {
    int write = 1;
    int read = 1;  // 1 as well when the write failed and no read was made
    bool Ok() const { return write == 0 && read == 0; }
};

// LinkProtocol := protocol, then the probe: write 0xA0 with 34, read 0xA0.
// A closed serial port fails at once, as it would without a board.
ProbeOutcome ProbeWithProtocol(CBoardLink& link, int protocol);

// Which ports a search tries, in order, and the protocols tried on each.
struct SearchPlan {
    std::vector<int> ports;        // PortSelection values
    std::vector<int> serialProtocols;
    std::vector<int> pc104Protocols;
};
SearchPlan ComSearchPlan();          // COM1 to COM4 with 2, 1, 0
SearchPlan Pc104SearchPlan();        // 0x300 to 0x360 with 1, 0
SearchPlan AutoSelectPlan(int from);  // from PortSelection up to COM8, then the four PC/104 addresses
const std::vector<int>& ProtocolsFor(const SearchPlan& plan, int port);

// Tries the plan's ports and protocols in order; serial ports are opened before
// their probes, PC/104 selections only set. Returns the PortSelection that
// answered, with its protocol left in force, or 0.
int RunSearch(SetupContext& ctx, const SearchPlan& plan);

}  // namespace vantrel
