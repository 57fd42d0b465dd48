#include "com_port_selection_model.h"

#include "board_search.h"
#include "editor_hooks.h"
#include "setup_messages.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

DialogStep ComPortSelectionModel::Ok() {
    const int port = choice + 1;
    ctx_.link.settings.PortSelection = static_cast<uint16_t>(port);
    ctx_.link.drainTimeLimit = kSetupDrainTimeLimit;
    okEnabled = false;

    OpenComForSelection(ctx_, port);
    ReadBoardCommand(ctx_.link, kEepromAddressCommand);
    ctx_.editors.LinkSetupChanged();

    const ProbeOutcome probe = ProbeWithProtocol(ctx_.link, 2);
    if (probe.write != 0) {
        okEnabled = true;
        ctx_.prompter.Message(kNoCommunications);
        return DialogStep::Stay;
    }
    // The write was answered but the read not: the board is there but out of
    // step; Autoselect is left to the user.
    if (probe.read != 0) return DialogStep::Stay;

    ctx_.connected = 1;
    ctx_.prompter.Message(kCommunicationsEstablished);
    ctx_.commBusy = 0;
    return DialogStep::EndOk;
}

DialogStep ComPortSelectionModel::Autoselect() {
    okEnabled = false;
    if (!IsSerialSelection(ctx_.link.settings.PortSelection)) {
        ctx_.prompter.Message(kNoCommunications);
        okEnabled = true;
        return DialogStep::Stay;
    }
    const int found = RunSearch(ctx_, ComSearchPlan());
    if (found != 0) {
        ctx_.prompter.Message(EstablishedOnCom(found));
        okEnabled = true;
        return DialogStep::EndCancel;
    }
    ctx_.prompter.Message(kNoCommunications);
    okEnabled = true;
    return DialogStep::Stay;
}

}  // namespace vantrel
