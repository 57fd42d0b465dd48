#pragma once
#include <cstdint>

#include "eeprom_transfer.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

// A progress bar: range, step 1, position.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void StepProgress() = 0;
};

// What a transfer runs with: the word transfer, the program-wide busy flag and
// the message boxes.
struct TransferSession {
    EepromTransfer& transfer;
    int32_t& CommBusy;
    IPrompter& prompter;
};

}  // namespace vantrel
