#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/board.h"
#include "sim/pc104_board.h"
#include "sim/pty_board.h"
#include "vantrel/link/board_link.h"

namespace fwtest {

enum class Transport { kSerial, kPc104 };
std::string TransportName(Transport transport);

// A link wired to the simulated board: COM1 on a pseudo-terminal, or PC/104 at
// 0x300 in process.
class BoardRig {
public:
    BoardRig(Transport transport, ixsim::BoardOptions options);

    void WithBoard(const std::function<void(ixsim::Board&)>& fn);
    void EnterBootloader();
    // Every byte the board has had from the host.
    std::vector<uint8_t> Received();
    std::string ReceivedText();

    Transport transport;
    std::unique_ptr<ixsim::PtyBoard> ptyBoard;
    std::shared_ptr<ixsim::Pc104Board> pc104Board;
    vantrel::CBoardLink link;  // last: closed before the boards go
};

// Intel HEX firmware text with CR LF line ends: data records of 16 bytes at
// rising addresses, then the end-of-file record.
struct FirmwareText {
    int dataRecords = 4;
    int badChecksumAt = -1;        // this data record's checksum is off by one
    int endRecordAfter = -1;       // the end record also follows this data record
    bool endRecord = true;         // the end-of-file record at the end
    bool finalLineEnd = true;      // the last line ends with CR LF
    std::string Text() const;
};

// The bytes the bootloader receives for a file: each CR LF as one LF.
std::string AsSent(const std::string& text);

}  // namespace fwtest
