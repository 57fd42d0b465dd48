#pragma once
#include <cstdint>

#include "board_command_table.h"
#include "board_transactor.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

// Makes a new EEPROM content take effect: writes 0x0004 to the charger mode
// command (0x12). Refuses with "Error - Communications in Progress" while
// CommBusy is set; shows "Upload Failed ..." on result 1. Returns 0 or 1.
int ProcessorReset(IBoardTransactor& board, const BoardCommandTable& commands, int32_t& CommBusy,
                   IPrompter& prompter);

}  // namespace vantrel
