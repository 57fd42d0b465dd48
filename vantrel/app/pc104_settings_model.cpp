#include "pc104_settings_model.h"

#include "board_search.h"
#include "editor_hooks.h"
#include "setup_messages.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

DialogStep Pc104SettingsModel::Ok() {
    ctx_.link.settings.PortSelection = static_cast<uint16_t>(10 + choice);
    ctx_.link.drainTimeLimit = kSetupDrainTimeLimit;
    okEnabled = false;
    ReadBoardCommand(ctx_.link, kEepromAddressCommand);
    ctx_.editors.LinkSetupChanged();
    ctx_.prompter.Message(kUsePc104Autoselect);
    ctx_.connected = 0;
    return DialogStep::Stay;
}

DialogStep Pc104SettingsModel::Autoselect() {
    const int found = RunSearch(ctx_, Pc104SearchPlan());
    ctx_.prompter.Message(found != 0 ? EstablishedOnPc104(found) : std::string(kNoCommunications));
    return DialogStep::Stay;
}

}  // namespace vantrel
