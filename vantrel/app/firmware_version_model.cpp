#include "firmware_version_model.h"

#include "board_search.h"
#include "setup_dialog_runner.h"
#include "setup_messages.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

DialogStep FirmwareVersionModel::Next() {
    ctx_.link.settings.FirmwareType = static_cast<FirmwareType>(choice_ + 1);
    return runner_.RunDeviceType() == DialogEnd::Ok ? DialogStep::EndOk : DialogStep::Stay;
}

DialogStep FirmwareVersionModel::QuickConnect() {
    const int selection = ctx_.link.settings.PortSelection;
    int found = 0;
    if (IsSerialSelection(selection)) {
        found = RunSearch(ctx_, ComSearchPlan());
        if (found != 0) ctx_.prompter.Message(EstablishedOnCom(found));
    } else if (IsPc104Selection(selection)) {
        found = RunSearch(ctx_, Pc104SearchPlan());
        if (found != 0) ctx_.prompter.Message(kCommunicationsEstablished);
    }
    if (found == 0) {
        ctx_.prompter.Message(kNoCommunications);
        return DialogStep::Stay;
    }
    ReadBoardCommand(ctx_.link, kIdentificationCommand);
    ctx_.link.settings.FirmwareType = FirmwareType::UPS18;
    ctx_.connected = 1;
    return DialogStep::EndCancel;
}

}  // namespace vantrel
