#include "update_all.h"

#include "message_texts.h"
#include "processor_reset.h"

namespace vantrel {

void UpdateAll::SetDirections(int direction) {
    ConfigFields& fields = session_.transfer.Fields();
    for (CycleRecord& cycle : fields.cycles) cycle.directions.fill(static_cast<uint8_t>(direction));
    for (std::size_t slot = 0; slot < std::size_t{ConfigFields::kEepromSlotCount}; ++slot) {
        fields.slots[slot].direction = static_cast<uint8_t>(direction);
    }
    fields.setpointDirections.fill(static_cast<uint8_t>(direction));
    fields.maxBatteryCapacityDirection = direction;
    fields.remainingCapacityDirection = direction;
    fields.timeToRechargeDirection = direction;
}

// The UPS extra words and, while the UPS Settings dialog is open, its slots 8 to 11.
// False when the slots stopped.
bool UpdateAll::MoveUpsPart(int direction) {
    EepromTransfer& transfer = session_.transfer;
    session_.CommBusy = 1;
    const TransferPlan extras = UpsExtrasPlan(transfer.Fields(), transfer.Commands(), direction);
    const TransferOutcome moved = transfer.Run(extras);
    retried_ += moved.retried;
    // The extra words stop at their first failure; the ones not moved count as unconfirmed.
    if (moved.Stopped() && moved.stopResult != 1) {
        unconfirmed_ += static_cast<int>(extras.steps.size()) - moved.completed;
    }

    bool slotsMoved = true;
    if (host_.UpsSettingsOpen()) {
        slotsMoved = Account(transfer.TransferSlots(8, 11));
        if (direction == kRead) host_.UpsSettingsFromRecord();
    }
    session_.CommBusy = 0;
    return slotsMoved;
}

bool UpdateAll::Account(const TransferOutcome& part) {
    unconfirmed_ += part.unconfirmed;
    retried_ += part.retried;
    if (!part.Stopped()) return true;
    stopResult_ = part.stopResult;
    session_.prompter.Message(TransferStopText(part.stopResult, part.functionFailed));
    return false;
}

bool UpdateAll::Begin(int direction) {
    if (session_.CommBusy != 0) {
        session_.prompter.Message(texts::kCommunicationsInProgress);
        return false;
    }
    unconfirmed_ = 0;
    stopResult_ = 0;
    retried_ = 0;
    SetDirections(direction);
    return true;
}

int UpdateAll::Read() {
    if (!Begin(kRead)) return 1;
    if (!MoveUpsPart(kRead)) return 1;
    if (host_.ClockOrI2cConsoleOpen()) host_.ConsoleRead();
    return RunMainSequence();
}

int UpdateAll::Write() {
    if (!Begin(kWrite)) return 1;
    if (host_.UpsSettingsOpen()) host_.UpsSettingsToRecord();
    if (!MoveUpsPart(kWrite)) return 1;
    if (host_.ClockOrI2cConsoleOpen()) host_.ConsoleWrite();
    if (RunMainSequence() != 0) return 1;
    if (session_.prompter.AskYesNo(texts::kCpuResetQuestion, texts::kCpuResetCaption)) {
        EepromTransfer& transfer = session_.transfer;
        ProcessorReset(transfer.Board(), transfer.Commands(), session_.CommBusy, session_.prompter);
    }
    return 0;
}

int UpdateAll::RunMainSequence() {
    host_.SetProgressRange(1, kProgressLast);
    host_.SetProgressPosition(1);
    if (session_.CommBusy != 0) {
        session_.prompter.Message(texts::kCommunicationsInProgress);
        return 1;
    }
    session_.CommBusy = 1;
    EepromTransfer& transfer = session_.transfer;
    const auto step = [this] { host_.StepProgress(); };

    bool complete = true;
    for (int cycle = 0; cycle < ConfigFields::kCycleCount && complete; ++cycle) {
        complete = Account(transfer.TransferCycle(cycle, step));
    }
    if (complete) complete = Account(transfer.TransferSlots(0, ConfigFields::kEepromSlotCount - 1, step));
    if (complete) complete = Account(transfer.TransferSetpoints(step));

    if (!complete) {
        host_.SetProgressPosition(1);
        session_.CommBusy = 0;
        return 1;
    }
    session_.CommBusy = 0;
    host_.SetProgressPosition(1);
    host_.RefreshEditors();
    if (unconfirmed_ > 0 && showUnconfirmed) session_.prompter.Message(UnconfirmedItemsText(unconfirmed_));
    return 0;
}

}  // namespace vantrel
