#pragma once
#include <cstdint>

#include "vantrel/config/message_texts.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

// Starts a sequence of transactions: sets CommBusy, or, while another sequence
// holds it, shows "Error - Communications in Progress" and returns false.
inline bool ClaimCommBusy(int32_t& CommBusy, IPrompter& prompter) {
    if (CommBusy != 0) {
        prompter.Message(texts::kCommunicationsInProgress);
        return false;
    }
    CommBusy = 1;
    return true;
}

}  // namespace vantrel
