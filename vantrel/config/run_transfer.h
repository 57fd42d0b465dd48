#pragma once
#include "transfer_plan.h"
#include "transfer_session.h"

namespace vantrel {

// The editor dialog a Read or Write button runs for.
class ITransferDialog : public IProgress {
public:
    // Copies the dialog's fields into the record; a field that fails its range
    // check shows the editor's message and keeps its record value.
    virtual void CopyFieldsToRecord() = 0;
    virtual void RefreshFromRecord() = 0;
};

// An editor's Read (kRead) or Write (kWrite): refuses while CommBusy is set;
// sets the group's direction flags and CommBusy, copies the dialog's fields in,
// runs the group stepping the progress, shows the stop's text on a stop or
// the unconfirmed-items warning when items went on past results 2 or 3, then
// refreshes the dialog, sets the progress to 1 and clears CommBusy.
// Returns 0, or 1 when refused or stopped.
int RunTransfer(TransferSession& session, ITransferDialog& dialog, const TransferPlan& group, int direction);

}  // namespace vantrel
