#pragma once
#include <cstdint>

#include "vantrel/config/board_command_table.h"
#include "vantrel/config/board_transactor.h"
#include "vantrel/config/transfer_session.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

// What the consoles run with; everything here outlives them.
struct ConsoleEnvironment {
    IBoardTransactor& board;
    const BoardCommandTable& commands;
    int32_t& CommBusy;
    IPrompter& prompter;  // message boxes
    const int32_t& pollingActive;
    // The board identification the block command 0x3F fills (16 characters and a zero).
    const char* identification = nullptr;
};

// What a console shows on screen. Every call is optional.
class IConsoleView : public IProgress {
public:
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int) override {}
    void StepProgress() override {}
    // The field texts changed (Display, a refused entry kept).
    virtual void ShowFields() {}
    // The check boxes changed: their states or whether they can be clicked.
    virtual void ShowCheckBoxes() {}
    virtual void FocusField(int /*line*/) {}
};

}  // namespace vantrel
