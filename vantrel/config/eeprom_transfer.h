#pragma once
#include <functional>
#include <string>
#include <vector>

#include "board_command_table.h"
#include "board_transactor.h"
#include "config_fields.h"
#include "transfer_plan.h"

namespace vantrel {

// How a group transfer ended.
struct TransferOutcome {
    int stopResult = 0;   // 0 ran to its end; otherwise the transaction result that stopped it
    bool functionFailed = false;  // the stop was the board's failure byte 0xFE
    int completed = 0;    // steps done before the stop (all of them without one)
    int unconfirmed = 0;  // items that went on past result 2 or 3 (write not acknowledged,
                          // read checksum wrong: the field kept its old value)
    std::vector<std::size_t> unconfirmedSteps;  // their places in the plan
    int retried = 0;      // repetitions of failed items

    bool Stopped() const { return stopResult != 0; }
};

// The text shown after a transfer that ran to its end with unconfirmed items.
std::string UnconfirmedItemsText(int count);
// The text shown when a transfer stopped: the link's "Upload Failed" text for a
// result 1; for a board that answered, what went wrong instead.
std::string TransferStopText(int result, bool functionFailed);

// Moves record fields one EEPROM word at a time: an address transaction
// (command 0xA0, word 0x100 + offset) where an item starts a run, then a data
// transaction (command 0xA1) per item; the board advances its pointer by one
// word after each data transaction. After any transaction that did not succeed
// the board's pointer is unknown, so the next item sends its address again:
// no word can land where it was not meant to go.
class EepromTransfer {
public:
    EepromTransfer(IBoardTransactor& board, ConfigFields& fields, const BoardCommandTable& commands);

    // The pause after a transaction where a group asks for one; replaceable so tests need not wait.
    std::function<void(int milliseconds)> pause;
    // How often a failed item is repeated (its address, then its data) before it
    // counts as failed; 0 for the window's transfers.
    int retries = 0;

    // One item: returns the link result of its address or data transaction.
    int TransferWord(const TransferStep& item, int pauseMs = 0);

    // Runs a plan; onStep runs after every item that did not stop it.
    TransferOutcome Run(const TransferPlan& plan, const std::function<void()>& onStep = {});

    TransferOutcome TransferCycle(int cycle, const std::function<void()>& onStep = {});  // cycle 0..3
    TransferOutcome TransferSetpoints(const std::function<void()>& onStep = {});
    TransferOutcome TransferSlots(int first, int last, const std::function<void()>& onStep = {});
    TransferOutcome TransferUpsExtras(int direction, const std::function<void()>& onStep = {});

    IBoardTransactor& Board() { return board_; }
    ConfigFields& Fields() { return fields_; }
    const BoardCommandTable& Commands() const { return commands_; }

private:
    int Transaction(uint8_t address, uint8_t command, int32_t* data, int pauseMs);

    IBoardTransactor& board_;
    ConfigFields& fields_;
    const BoardCommandTable& commands_;
};

}  // namespace vantrel
