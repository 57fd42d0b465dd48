#include "run_transfer.h"

#include "message_texts.h"

namespace vantrel {

int RunTransfer(TransferSession& session, ITransferDialog& dialog, const TransferPlan& group, int direction) {
    if (session.CommBusy != 0) {
        session.prompter.Message(texts::kCommunicationsInProgress);
        return 1;
    }
    group.SetDirections(direction);
    session.CommBusy = 1;
    dialog.CopyFieldsToRecord();

    const TransferOutcome outcome = session.transfer.Run(group, [&dialog] { dialog.StepProgress(); });
    if (outcome.Stopped()) {
        session.prompter.Message(TransferStopText(outcome.stopResult, outcome.functionFailed));
    } else if (outcome.unconfirmed > 0) {
        session.prompter.Message(UnconfirmedItemsText(outcome.unconfirmed));
    }

    dialog.RefreshFromRecord();
    dialog.SetProgressPosition(1);
    session.CommBusy = 0;
    return outcome.Stopped() ? 1 : 0;
}

}  // namespace vantrel
