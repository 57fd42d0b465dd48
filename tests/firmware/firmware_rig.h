#pragma once
#include <string>

#include "../link/board_rig.h"

namespace fwtest {

using linktest::BoardRig;
using linktest::Transport;

// What jumper and power-up do to a real board.
void EnterBootloader(BoardRig& rig);
// Every byte the board has had from the host, as text.
std::string ReceivedText(BoardRig& rig);

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
