#pragma once
#include "transfer_session.h"

namespace vantrel {

// The Update All dialog and the other dialogs its sequences look at.
class IUpdateAllHost : public IProgress {
public:
    virtual bool UpsSettingsOpen() { return false; }
    virtual void UpsSettingsToRecord() {}
    virtual void UpsSettingsFromRecord() {}
    // The realtime clock or I2C console is open: Update All runs its own read or write.
    virtual bool ClockOrI2cConsoleOpen() { return false; }
    virtual void ConsoleRead() {}
    virtual void ConsoleWrite() {}
    // Every open Cycle dialog and the EEprom Setpoints dialog reload from the record.
    virtual void RefreshEditors() {}
};

// Moves the whole configuration: the UPS extra words, then 4 cycles (fields 0
// and 3 to 15), 16 slots and the setpoints. Cycle fields 1 and 2 are not moved.
class UpdateAll {
public:
    // The dialog's progress range. The sequence has 121 items, so the bar is full
    // for its last four.
    static constexpr int kProgressLast = 117;

    UpdateAll(TransferSession& session, IUpdateAllHost& host) : session_(session), host_(host) {}

    // Return 0, or 1 when refused or stopped.
    int Read();
    // Asks the CPU Reset question after a complete write; on Yes resets the processor.
    int Write();
    int RunMainSequence();

    // Items the last Read or Write went on past with result 2 or 3.
    int Unconfirmed() const { return unconfirmed_; }
    // The transaction result that stopped the last Read or Write; 0 when none did.
    int StopResult() const { return stopResult_; }
    // Repetitions of failed items in the last Read or Write (see EepromTransfer::retries).
    int Retried() const { return retried_; }

    // Whether a complete Read or Write shows the unconfirmed-items warning itself;
    // a caller that moves more items afterwards reports one total instead.
    bool showUnconfirmed = true;

private:
    // Refused (false, with its message) while another transfer runs.
    bool Begin(int direction);
    void SetDirections(int direction);
    bool MoveUpsPart(int direction);
    // Keeps the counts of a finished part; false when it stopped (after its message).
    bool Account(const TransferOutcome& part);

    TransferSession& session_;
    IUpdateAllHost& host_;
    int unconfirmed_ = 0;
    int stopResult_ = 0;
    int retried_ = 0;
};

}  // namespace vantrel
